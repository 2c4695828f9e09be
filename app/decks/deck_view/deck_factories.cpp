#include "app/decks/deck_view/deck_factories.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"

ZemDocument* NewDeckDocument() {
    return AppContext().mixer ? new CZEMDoc() : nullptr;
}

ZemChildFrame* NewDeckFrame() {
    return new CDeckFrame();
}

ZemView* NewDeckView() {
    return new CMixerDeviceView();
}
