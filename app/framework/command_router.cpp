#include "app/framework/command_router.h"
#include "app/framework/window_order.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"

#include <QAction>
#include <QActionEvent>
#include <QMdiArea>
#include <QMenu>

#include <algorithm>

namespace {

// Marks actions and menus already wired, so that attaching again does not route twice.
constexpr const char* kRoutedProperty = "zemCommandRouter";

} // namespace

ZemCommandRouter::ZemCommandRouter(QMdiArea* workspace, QObject* parent)
    : QObject(parent), m_workspace(workspace) {}

void ZemCommandRouter::AddFallbackTarget(ZemCommandTarget* target) {
    if (target && std::find(m_fallbacks.begin(), m_fallbacks.end(), target) == m_fallbacks.end())
        m_fallbacks.push_back(target);
}

void ZemCommandRouter::RemoveFallbackTarget(ZemCommandTarget* target) {
    m_fallbacks.erase(std::remove(m_fallbacks.begin(), m_fallbacks.end(), target),
                      m_fallbacks.end());
}

std::vector<ZemCommandTarget*> ZemCommandRouter::Chain() const {
    std::vector<ZemCommandTarget*> chain;
    if (ZemChildFrame* frame = ZemActiveChildFrame(m_workspace)) {
        if (ZemView* view = frame->GetActiveView()) {
            chain.push_back(view);
            if (ZemDocument* document = view->GetDocument())
                chain.push_back(document);
        }
        chain.push_back(frame);
    }
    chain.insert(chain.end(), m_fallbacks.begin(), m_fallbacks.end());
    return chain;
}

bool ZemCommandRouter::Route(int id) {
    // A target may close windows while handling; nothing in the chain is touched after it.
    for (ZemCommandTarget* target : Chain())
        if (target->OnCommand(id))
            return true;
    return false;
}

bool ZemCommandRouter::UpdateCommand(int id, ZemCommandState& state) const {
    for (ZemCommandTarget* target : Chain())
        if (target->OnUpdateCommand(id, state))
            return true;
    state.Enable(false);
    return false;
}

bool ZemCommandRouter::CommandOf(const QAction* action, int& id) {
    if (!action || action->isSeparator() || action->menu())
        return false;
    bool ok = false;
    const int value = action->data().toInt(&ok);
    if (!ok)
        return false;
    id = value;
    return true;
}

void ZemCommandRouter::AttachAction(QAction* action) {
    int id = 0;
    if (!CommandOf(action, id) || action->property(kRoutedProperty).toBool())
        return;
    action->setProperty(kRoutedProperty, true);
    // The number is read at trigger time, so an action whose data changes routes its new one.
    connect(action, &QAction::triggered, this, [this, action] {
        int command = 0;
        if (CommandOf(action, command))
            Route(command);
    });
}

void ZemCommandRouter::AttachMenu(QMenu* menu) {
    if (!menu || menu->property(kRoutedProperty).toBool())
        return;
    menu->setProperty(kRoutedProperty, true);
    menu->installEventFilter(this);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    for (QAction* action : menu->actions()) {
        if (action->menu())
            AttachMenu(action->menu());
        else
            AttachAction(action);
    }
}

void ZemCommandRouter::UpdateMenu(QMenu* menu) const {
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        int id = 0;
        if (!CommandOf(action, id))
            continue;
        ZemCommandState state;
        UpdateCommand(id, state);
        action->setEnabled(state.IsEnabled());
        if (state.HasCheck()) {
            action->setCheckable(true);
            action->setChecked(state.IsChecked());
        }
    }
}

bool ZemCommandRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionChanged) {
        QAction* action = static_cast<QActionEvent*>(event)->action();
        if (action->menu())
            AttachMenu(action->menu());
        else
            AttachAction(action);
    }
    return QObject::eventFilter(watched, event);
}
