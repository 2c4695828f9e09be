// The equalizer window's form: a fader, a level label and a kill button per band, the group
// kill buttons, the enable and three-band switches, Reset and the preset menu. It forwards
// every click to EqualizerWindowLogic and draws what the logic's Refresh reports.
#pragma once

#include "app/equalizer/equalizer_window_logic.h"
#include "app/framework/zem_view.h"

#include <memory>

class CZEMDoc;
class QCheckBox;
class QGridLayout;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;

class CEqualizerView : public ZemView {
    Q_OBJECT
public:
    explicit CEqualizerView(QWidget* parent = nullptr);
    ~CEqualizerView() override;

    CZEMDoc* GetDeckDocument() const;
    MixerDevice* GetDevice() const;
    // The logic, pointed at the document's deck of this moment.
    zem::eqwin::EqualizerWindowLogic& GetLogic();

    // Joins the logic to the frame's profile, then shows the deck's equalizer.
    void OnInitialUpdate() override;
    // The deck changed (or another song came): show it again.
    void OnUpdate(ZemView* sender, long hint) override;
    // Preset menu, three-band switch and Close (this window only, not the deck).
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

    // Controls follow the deck's active equalizer, in its layout.
    void Refresh();
    // The layout shown: 172 ten bands, 181 three.
    int GetForm() const { return m_form; }
    QMenu* GetPresetMenu() const { return m_menu; }
    // Called once while the window is still on its document: remembers the equalizer kind.
    void OnDestroyWindow();

    // How preset file names are asked for; the default is the system's file dialog.
    static void SetPresetDialog(zem::eqwin::PresetDialog dialog);

private:
    void build();
    void buildMenu();
    void showForm(int form);
    void updateLevel(int band, float boost, float frequency);

    std::unique_ptr<ZemProfile> m_fallbackProfile;
    std::unique_ptr<zem::eqwin::EqualizerWindowLogic> m_logic;
    QGridLayout* m_grid = nullptr;
    QLabel* m_levels[10] = {};
    QSlider* m_faders[10] = {};
    QPushButton* m_kills[10] = {};
    QPushButton* m_groups[3] = {};
    QCheckBox* m_enable = nullptr;
    QCheckBox* m_threeBand = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_presets = nullptr;
    QMenu* m_menu = nullptr;
    int m_form = 0;
    bool m_destroyed = false;
};
