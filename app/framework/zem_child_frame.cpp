#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMdiArea>

ZemChildFrame::ZemChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    // Closed frames go away, which takes their views and, after the last one, the document.
    setAttribute(Qt::WA_DeleteOnClose);
}

ZemChildFrame::~ZemChildFrame() {
    StorePlacement();
    // The views leave their documents now, while the frame is still a ZemChildFrame to them.
    for (ZemView* view : findChildren<ZemView*>())
        if (ZemDocument* document = view->GetDocument())
            document->RemoveView(view);
}

void ZemChildFrame::SetView(ZemView* view) {
    setWidget(view);
    m_activeView = view;
}

ZemView* ZemChildFrame::GetActiveView() const {
    return m_activeView.data();
}

void ZemChildFrame::SetActiveView(ZemView* view) {
    m_activeView = view;
}

ZemDocument* ZemChildFrame::GetActiveDocument() const {
    return m_activeView ? m_activeView->GetDocument() : nullptr;
}

void ZemChildFrame::SetPlacementKey(const std::string& section, const std::string& keyBase) {
    m_section = section;
    m_keyBase = keyBase;
}

void ZemChildFrame::SetMinimumTrackSize(int width, int height) {
    setMinimumSize(width, height);
}

bool ZemChildFrame::RestorePlacement(bool keepSize) {
    ZemPlacement stored;
    if (!m_profile || !ZemLoadPlacement(*m_profile, m_section, m_keyBase, stored))
        return false;
    if (keepSize)
        move(stored.left, stored.top);
    else
        setGeometry(stored.left, stored.top, stored.right - stored.left,
                    stored.bottom - stored.top);
    return true;
}

void ZemChildFrame::StorePlacement() {
    if (!m_profile)
        return;
    ZemPlacement placement;
    const Qt::WindowStates state = windowState();
    placement.status = state & Qt::WindowMinimized   ? kShowStateMinimized
                       : state & Qt::WindowMaximized ? kShowStateMaximized
                                                     : kShowStateNormal;
    const QRect r = GetNormalGeometry();
    placement.left = r.left();
    placement.top = r.top();
    placement.right = r.left() + r.width();
    placement.bottom = r.top() + r.height();
    ZemStorePlacement(*m_profile, m_section, m_keyBase, placement);
}

QRect ZemChildFrame::GetNormalGeometry() const {
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return geometry();
    return m_normal.isValid() ? m_normal : geometry();
}

void ZemChildFrame::OnCreateFrame() {
    RestorePlacement(false);
}

void ZemChildFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    if (document)
        setWindowTitle(document->GetTitle());
    for (ZemView* view : findChildren<ZemView*>())
        view->OnInitialUpdate();
    if (makeVisible) {
        show();
        if (mdiArea())
            mdiArea()->setActiveSubWindow(this);
    }
}

void ZemChildFrame::BringToFront() {
    if (isMinimized())
        showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    else
        activateWindow();
    raise();
}

void ZemChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowTitleChange || m_titleSuffix.isEmpty())
        return;
    const QString title = windowTitle();
    if (!title.isEmpty() && !title.endsWith(m_titleSuffix))
        setWindowTitle(title + m_titleSuffix);
}

void ZemChildFrame::closeEvent(QCloseEvent* event) {
    if (ZemDocument* document = GetActiveDocument()) {
        if (!document->CanCloseFrame(this)) {
            event->ignore();
            return;
        }
    }
    QMdiSubWindow::closeEvent(event);
}

void ZemChildFrame::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    trackNormalGeometry();
}

void ZemChildFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    trackNormalGeometry();
}

void ZemChildFrame::trackNormalGeometry() {
    // Qt keeps the restore rectangle of a maximised subwindow to itself, so the frame notes the
    // last rectangle it had in the normal state.
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        m_normal = geometry();
}
