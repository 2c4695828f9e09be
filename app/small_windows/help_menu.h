// The main window's "&Help" menu: "Ti&p of the Day..." first, and "&About ZEM...". Plain
// menu-bar work, so it runs on the offscreen platform too.
#pragma once

#include "app/framework/command_target.h"

class QMenu;
class QMenuBar;
class QWidget;
class ZemProfile;

namespace zem::small {

// The "&Help" menu of bar (found by its text), or null.
QMenu* FindHelpMenu(const QMenuBar& bar);

// Gives bar a "&Help" menu ending in "&About ZEM..." (command 57664); neither is added twice.
// Call when the menu bar is built. Returns the menu.
QMenu* BuildHelpMenu(QMenuBar& bar);

// Makes "Ti&p of the Day..." (command 121) the first item of the "&Help" menu, followed by a
// separator, unless its first item already has that text. A bar without "&Help" gets one
// appended that holds only that item. Call when the menu bar is built and whenever it opens
// (other code may have rebuilt the menu). Returns the menu.
QMenu* EnsureTipOfTheDayItem(QMenuBar& bar);

// Carries out the two Help commands over parent: the tip of the day and the about box.
class HelpCommands : public ZemCommandTarget {
public:
    // Both must outlive this.
    HelpCommands(QWidget* parent, ZemProfile& profile) : m_parent(parent), m_profile(profile) {}
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

private:
    QWidget* m_parent;
    ZemProfile& m_profile;
};

} // namespace zem::small
