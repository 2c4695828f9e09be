#include "app/recorder/recorder_window.h"

#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_template.h"
#include "app/recorder/recorder_doc.h"
#include "app/recorder/recorder_frame.h"
#include "app/recorder/recorder_view.h"

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
            frame->BringToFront();
            return;
        }
    }
    recorderTemplate.OpenDocumentFile(QString());
}
