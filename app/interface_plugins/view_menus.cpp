#include "app/interface_plugins/view_menus.h"
#include "app/interface_plugins/view_strings.h"
#include "app/interface_plugins/view_types.h"

#include "contracts/view_descriptor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zem::interface_plugins {

namespace {

QString WithoutMnemonics(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Empties menu and fills it with the types that pass, each inserted above the previous one.
template <typename Pass>
void Refill(QMenu& menu, const std::vector<ZEM_ViewDescriptor*>& views, Pass pass) {
    menu.clear();
    const std::size_t commands = kLastViewCommand - kFirstViewCommand + 1;
    for (std::size_t i = 0; i < views.size() && i < commands; ++i) {
        if (!pass(*views[i]))
            continue;
        auto* action = new QAction(QString::fromStdString(ViewName(*views[i])), &menu);
        action->setData(kFirstViewCommand + static_cast<int>(i));
        QList<QAction*> present = menu.actions();
        menu.insertAction(present.isEmpty() ? nullptr : present.front(), action);
    }
}

} // namespace

QMenu* FindSubmenu(QWidget& parent, const QString& text) {
    const QString wanted = WithoutMnemonics(text);
    for (QAction* action : parent.actions())
        if (action->menu() && WithoutMnemonics(action->text()) == wanted)
            return action->menu();
    return nullptr;
}

void RebuildViewMenus(QMenuBar& menuBar, const std::vector<ZEM_ViewDescriptor*>& views) {
    QMenu* settings = FindSubmenu(menuBar, QStringLiteral("&Settings"));
    if (QMenu* ui = settings ? FindSubmenu(*settings, QStringLiteral("&Interface")) : nullptr) {
        QMenu* list = FindSubmenu(*ui, kInterfaceViewsMenu);
        if (!list)
            list = ui->addMenu(kInterfaceViewsMenu);
        Refill(*list, views, [](const ZEM_ViewDescriptor&) { return true; });
    }
    if (QMenu* file = FindSubmenu(menuBar, QStringLiteral("&File"))) {
        QMenu* fileNew = FindSubmenu(*file, QStringLiteral("&New"));
        if (!fileNew) {
            fileNew = new QMenu(QStringLiteral("&New"), file);
            const QList<QAction*> present = file->actions();
            file->insertMenu(present.isEmpty() ? nullptr : present.front(), fileNew);
        }
        Refill(*fileNew, views, [](const ZEM_ViewDescriptor& v) { return v.inFileNew != 0; });
    }
}

} // namespace zem::interface_plugins
