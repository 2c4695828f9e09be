// The skinned deck window: the plain deck window's controls and commands, drawn from the skin
// at the skin module's places, in a frame of its own: a title bar from the skin with the
// window's title in the skin's caption font, an activity light that is lit while the deck
// plays, and the system's minimise and close buttons. A minimised window has the system's
// frame.
#pragma once

#include "app/decks/deck_view/mixer_device_view.h"
#include "app/skins/skinned_window.h"

class QLabel;

class CMixerDeviceViewSkins : public CMixerDeviceView {
    Q_OBJECT
public:
    CMixerDeviceViewSkins(const zem::skins::CSkin& skin, const SkinModuleInfo& module,
                          QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // The skin's drawing stops before the controls go.
    ~CMixerDeviceViewSkins() override;

    QSize sizeHint() const override;
    zem::skins::SkinnedWindow& Skinned() { return *m_skinned; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void PlayStateChanged(bool playing) override;

private:
    void FollowFrame();

    const zem::skins::CSkin& m_skin;
    zem::skins::SkinnedWindow* m_skinned = nullptr;
    QWidget* m_caption = nullptr;
    QLabel* m_captionText = nullptr;
    QWidget* m_light = nullptr;
    bool m_followingFrame = false;
};
