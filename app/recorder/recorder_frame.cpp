#include "app/recorder/recorder_frame.h"

#include "app/recorder/recorder_view.h"

#include <QMdiArea>

CRecorderFrame::CRecorderFrame(QWidget* parent) : ZemChildFrame(parent) {
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

CRecorderView* CRecorderFrame::GetRecorderView() const {
    return qobject_cast<CRecorderView*>(GetActiveView());
}

void CRecorderFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    ZemChildFrame::OnInitialUpdateFrame(document, false);
    if (QWidget* view = widget())
        view->adjustSize();
    adjustSize();
    setFixedSize(size());
    if (makeVisible) {
        show();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
}
