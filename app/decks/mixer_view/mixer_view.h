// The mixer board's window: three channel strips, the crossfader with its A and B selectors,
// the headphone list, the master fader and the centre-volume display. The behaviour is the
// board's (zem::board::MixerBoard); the widgets forward what the user does and draw what the
// board reports.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/decks/mixer_board/board_clock.h"
#include "app/decks/mixer_board/master_volume.h"
#include "app/decks/mixer_board/mixer_board.h"
#include "app/decks/mixer_view/profile_store.h"
#include "app/framework/zem_view.h"

#include <array>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QSlider;
class QTimer;

class CMixerView : public ZemView, private zem::board::MixerBoardUi {
    Q_OBJECT
public:
    // master: the system volume (null: ALSA's); clock: the fade clock (null: the process
    // clock); centreVolumeFile: empty for "CFCenterVolumes.ini" in the INI folder.
    explicit CMixerView(AppMixer& mixer, std::unique_ptr<zem::board::MasterVolume> master = {},
                        std::unique_ptr<zem::board::BoardClock> clock = {},
                        const std::string& centreVolumeFile = {});
    // Writes the board's settings and, once the board was open, ends the program.
    ~CMixerView() override;

    zem::board::MixerBoard& Board() { return *m_board; }
    zem::board::MasterVolume& MasterControl() { return *m_masterVolume; }
    zem::board::SettingsStore& Settings() { return m_store; }
    // The main frame changed the board (the crossfader, most often) through Board().
    void FaderScrolled() { Refresh(); }
    // Draws every control from the board.
    void Refresh();

    void OnInitialUpdate() override;
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

protected:
    // The centre-volume text changed (the fader type did, most often).
    virtual void CentreTextChanged() {}

private:
    void ShowCenterText(const std::string& text) override;
    void StartFadeTimer() override;
    void StopFadeTimer() override;
    bool AskFade(zem::board::FadeDialogValues& values) override;
    void BoardChanged() override;

    void BuildControls();
    void HeadphonesChosen();

    ProfileSettingsStore m_store;
    std::unique_ptr<zem::board::MasterVolume> m_masterVolume;
    std::unique_ptr<zem::board::BoardClock> m_clock;
    std::unique_ptr<zem::board::MixerBoard> m_board;
    bool m_open = false;

    struct Strip {
        QComboBox* selector = nullptr;
        QSlider* slider = nullptr;
    };
    std::array<Strip, zem::board::MixerBoard::kStrips> m_strips;
    QComboBox* m_faderA = nullptr;
    QComboBox* m_faderB = nullptr;
    QSlider* m_crossfader = nullptr;
    QListWidget* m_headphones = nullptr;
    QSlider* m_master = nullptr;
    QLabel* m_centre = nullptr;
    QTimer* m_fadeTimer = nullptr;
};
