#include "app/skins/skin_factories.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/skins/active_skin.h"
#include "app/skins/mixer_device_view_skins.h"
#include "app/skins/mixer_view_skins.h"

ZemChildFrame* NewDeckFrameSkins() {
    auto* frame = new CDeckFrame();
    // The skin draws the title bar.
    frame->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    return frame;
}

ZemView* NewDeckViewSkins() {
    const zem::skins::ActiveSkin& skin = zem::skins::TheSkin();
    return new CMixerDeviceViewSkins(skin.Skin(), skin.Module());
}

ZemView* NewMixerViewSkins() {
    AppMixer* mixer = AppContext().mixer;
    const zem::skins::ActiveSkin& skin = zem::skins::TheSkin();
    return mixer ? new CMixerViewSkins(*mixer, skin.Skin(), skin.Module()) : nullptr;
}
