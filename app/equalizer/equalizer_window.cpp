#include "app/equalizer/equalizer_window.h"

#include "app/decks/deck_view/zem_doc.h"
#include "app/equalizer/equalizer_frame.h"
#include "app/equalizer/equalizer_view.h"
#include "app/framework/zem_doc_template.h"

#include <QMdiArea>

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
            if (frame->isMinimized())
                frame->showNormal();
            if (QMdiArea* area = frame->mdiArea())
                area->setActiveSubWindow(frame);
            else
                frame->activateWindow();
            frame->raise();
            static_cast<CEqualizerView*>(view)->Refresh();
        }
        return;
    }
    ZemChildFrame* frame = equalizerTemplate.CreateNewFrame(&deck);
    if (frame)
        equalizerTemplate.InitialUpdateFrame(frame, &deck, true);
}
