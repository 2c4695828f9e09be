#include "app/framework/window_order.h"
#include "app/framework/zem_child_frame.h"

#include <QMdiArea>

#include <algorithm>

std::vector<QMdiSubWindow*> ZemWindowOrder(const QMdiArea* workspace) {
    std::vector<QMdiSubWindow*> order;
    if (!workspace)
        return order;
    // The current subwindow stays known while the program is not the active application, as
    // the active child of a workspace does.
    QMdiSubWindow* active = workspace->currentSubWindow();
    if (!active)
        return order;
    // Stacking order lists the bottom window first; walk down from the active one.
    const QList<QMdiSubWindow*> stack = workspace->subWindowList(QMdiArea::StackingOrder);
    const qsizetype at = stack.indexOf(active);
    if (at < 0)
        return order;
    for (qsizetype i = at; i >= 0; --i)
        order.push_back(stack[i]);
    return order;
}

ZemChildFrame* ZemActiveChildFrame(const QMdiArea* workspace) {
    return workspace ? qobject_cast<ZemChildFrame*>(workspace->currentSubWindow()) : nullptr;
}
