#include "app/equalizer/equalizer_window.h"

#include "app/decks/deck_view/zem_doc.h"
#include "app/equalizer/equalizer_frame.h"
#include "app/equalizer/equalizer_view.h"
#include "app/framework/zem_doc_template.h"

ZemChildFrame* MakeEqualizerFrame() {
    return new CEqualizerFrame();
}

ZemView* MakeEqualizerView() {
    return new CEqualizerView();
}

void OpenEqualizerWindow(ZemDocTemplate& equalizerTemplate, CZEMDoc& deck) {
    for (ZemView* view : deck.GetViews()) {
        if (!qobject_cast<CEqualizerView*>(view))
            continue;
        if (ZemChildFrame* frame = view->GetParentFrame()) {
            frame->BringToFront();
            static_cast<CEqualizerView*>(view)->Refresh();
        }
        return;
    }
    ZemChildFrame* frame = equalizerTemplate.CreateNewFrame(&deck);
    if (frame)
        equalizerTemplate.InitialUpdateFrame(frame, &deck, true);
}
