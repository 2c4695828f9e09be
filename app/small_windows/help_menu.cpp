#include "app/small_windows/help_menu.h"

#include "app/small_windows/about_box.h"
#include "app/small_windows/small_windows_texts.h"
#include "app/small_windows/tip_dialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zem::small {

namespace {

QAction* MakeCommand(QMenu* menu, int id, const char* text) {
    auto* action = new QAction(QString::fromUtf8(text), menu);
    action->setData(id);
    return action;
}

bool HasCommand(const QMenu& menu, int id) {
    for (const QAction* action : menu.actions())
        if (!action->menu() && action->data().isValid() && action->data().toInt() == id)
            return true;
    return false;
}

} // namespace

QMenu* FindHelpMenu(const QMenuBar& bar) {
    for (QAction* action : bar.actions())
        if (action->menu() && action->text() == QLatin1String(kHelpMenuText))
            return action->menu();
    return nullptr;
}

QMenu* BuildHelpMenu(QMenuBar& bar) {
    QMenu* help = FindHelpMenu(bar);
    if (!help)
        help = bar.addMenu(kHelpMenuText);
    if (!HasCommand(*help, kCmdAbout))
        help->addAction(MakeCommand(help, kCmdAbout, kAboutMenuText));
    return help;
}

QMenu* EnsureTipOfTheDayItem(QMenuBar& bar) {
    QMenu* help = FindHelpMenu(bar);
    if (!help) {
        help = bar.addMenu(kHelpMenuText);
        help->addAction(MakeCommand(help, kCmdTipOfTheDay, kTipMenuText));
        return help;
    }
    const QList<QAction*> items = help->actions();
    if (!items.isEmpty() && items.first()->text() == QLatin1String(kTipMenuText))
        return help;
    QAction* first = items.isEmpty() ? nullptr : items.first();
    help->insertAction(first, MakeCommand(help, kCmdTipOfTheDay, kTipMenuText));
    help->insertSeparator(first);
    return help;
}

bool HelpCommands::OnCommand(int id) {
    if (id == kCmdTipOfTheDay)
        ShowTipOfTheDay(m_parent, m_profile);
    else if (id == kCmdAbout)
        ShowAboutBox(m_parent);
    else
        return false;
    return true;
}

bool HelpCommands::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id != kCmdTipOfTheDay && id != kCmdAbout)
        return false;
    state.Enable();
    return true;
}

} // namespace zem::small
