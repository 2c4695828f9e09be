#include "app/recorder/recorder_window.h"

#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_template.h"
#include "app/recorder/recorder_doc.h"
#include "app/recorder/recorder_frame.h"
#include "app/recorder/recorder_view.h"

#include <QMdiArea>

ZemDocument* MakeRecorderDocument() {
    return new CRecorderDoc();
}

ZemChildFrame* MakeRecorderFrame() {
    return new CRecorderFrame();
}

ZemView* MakeRecorderView() {
    return new CRecorderView();
}

void OpenRecorderWindow(ZemDocTemplate& recorderTemplate) {
    for (ZemDocument* doc : recorderTemplate.GetDocuments()) {
        for (ZemView* view : doc->GetViews()) {
            ZemChildFrame* frame = view->GetParentFrame();
            if (!frame)
                continue;
            if (frame->isMinimized())
                frame->showNormal();
            if (QMdiArea* area = frame->mdiArea())
                area->setActiveSubWindow(frame);
            else
                frame->activateWindow();
            frame->raise();
            return;
        }
    }
    recorderTemplate.OpenDocumentFile(QString());
}
