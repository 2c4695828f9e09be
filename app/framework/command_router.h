// Routes command numbers through the command targets, as the active child window sees them:
// its active view, the view's document, the frame itself, then the fallback targets the
// program adds (main window, application) in the order added. Menus ask the same chain for
// enabling and check marks each time they open.
#pragma once

#include "app/framework/command_target.h"
#include "app/framework/framework_export.h"

#include <QObject>

#include <vector>

class QAction;
class QMdiArea;
class QMenu;

class ZEM_FRAMEWORK_EXPORT ZemCommandRouter : public QObject {
    Q_OBJECT
public:
    explicit ZemCommandRouter(QMdiArea* workspace, QObject* parent = nullptr);

    // Fallback targets must outlive the router or be removed first.
    void AddFallbackTarget(ZemCommandTarget* target);
    void RemoveFallbackTarget(ZemCommandTarget* target);

    // The chain for the current child window, first target first.
    std::vector<ZemCommandTarget*> Chain() const;
    // Offers the command down the chain; true when a target handled it.
    bool Route(int id);
    // Asks the chain; true when a target owns the command. An unowned command is disabled.
    bool UpdateCommand(int id, ZemCommandState& state) const;

    // The action's triggering routes its command number (its data). Attaching twice is harmless.
    void AttachAction(QAction* action);
    // Every action of the menu and its submenus, present and added later, is attached, and each
    // opening of the menu updates them first.
    void AttachMenu(QMenu* menu);
    // Sets enabling and check marks of the menu's command actions from the chain.
    void UpdateMenu(QMenu* menu) const;

    // The command number an action carries; false when its data holds none.
    static bool CommandOf(const QAction* action, int& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiArea* m_workspace;
    std::vector<ZemCommandTarget*> m_fallbacks;
};
