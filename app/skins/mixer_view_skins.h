// The skinned mixer board: the plain board's controls and commands drawn from the skin at the
// skin module's places, with a fader-type switch that is checked while the crossfader plays
// another curve than the first of the centre-volume list.
#pragma once

#include "app/decks/mixer_view/mixer_view.h"
#include "app/skins/skinned_window.h"

class QPushButton;

class CMixerViewSkins : public CMixerView {
    Q_OBJECT
public:
    CMixerViewSkins(AppMixer& mixer, const zem::skins::CSkin& skin, const SkinModuleInfo& module,
                    std::unique_ptr<zem::board::MasterVolume> master = {},
                    std::unique_ptr<zem::board::BoardClock> clock = {},
                    const std::string& centreVolumeFile = {});

    // The skin's drawing stops before the controls go.
    ~CMixerViewSkins() override;

    QSize sizeHint() const override;
    zem::skins::SkinnedWindow& Skinned() { return *m_skinned; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void CentreTextChanged() override;

private:
    zem::skins::SkinnedWindow* m_skinned = nullptr;
    QPushButton* m_faderType = nullptr;
};
