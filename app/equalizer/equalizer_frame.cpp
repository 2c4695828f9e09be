#include "app/equalizer/equalizer_frame.h"

#include "app/equalizer/equalizer_view.h"

#include <QEvent>
#include <QMdiArea>

CEqualizerFrame::CEqualizerFrame(QWidget* parent) : ZemChildFrame(parent) {
    SetTitleSuffix(QString::fromUtf8(kTitleSuffix));
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
        if (CEqualizerView* view = GetEqualizerView())
            view->Refresh();
    });
}

CEqualizerFrame::~CEqualizerFrame() {
    if (CEqualizerView* view = GetEqualizerView())
        view->OnDestroyWindow();
}

CEqualizerView* CEqualizerFrame::GetEqualizerView() const {
    return qobject_cast<CEqualizerView*>(GetActiveView());
}

void CEqualizerFrame::FitToView() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (QWidget* view = widget())
        view->adjustSize();
    adjustSize();
    setFixedSize(size());
}

void CEqualizerFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    ZemChildFrame::OnInitialUpdateFrame(document, false);
    FitToView();
    if (makeVisible) {
        show();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
}
