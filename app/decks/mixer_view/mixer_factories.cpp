#include "app/decks/mixer_view/mixer_factories.h"

#include "app/decks/app_context.h"
#include "app/decks/mixer_view/mixer_doc.h"
#include "app/decks/mixer_view/mixer_frame.h"
#include "app/decks/mixer_view/mixer_view.h"

ZemDocument* NewMixerDocument() {
    return new CMixerDoc;
}

ZemChildFrame* NewMixerFrame() {
    return new CMixerFrame;
}

ZemView* NewMixerView() {
    AppMixer* mixer = AppContext().mixer;
    return mixer ? new CMixerView(*mixer) : nullptr;
}
