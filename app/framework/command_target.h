// Commands by number. Every menu item or key is a QAction whose data is the command number;
// the router offers it to a chain of command targets until one handles it, and asks the same
// chain how the item should look (enabled, checked) before a menu opens.
#pragma once

#include "app/framework/framework_export.h"

// Standard command numbers the framework itself answers or that the program shares with it.
inline constexpr int kCommandFileNew = 57600;
inline constexpr int kCommandFileOpen = 57601;
inline constexpr int kCommandFileClose = 57602;
inline constexpr int kCommandFileSave = 57603;

// How a command's menu item or button should look. Starts enabled and without a check mark;
// only a target that calls SetCheck makes the item show one.
class ZEM_FRAMEWORK_EXPORT ZemCommandState {
public:
    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true) {
        m_checked = on;
        m_checkSet = true;
    }
    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }
    bool HasCheck() const { return m_checkSet; }

private:
    bool m_enabled = true;
    bool m_checked = false;
    bool m_checkSet = false;
};

class ZEM_FRAMEWORK_EXPORT ZemCommandTarget {
public:
    virtual ~ZemCommandTarget();
    // Carries out the command and returns true, or returns false to let the next target try.
    virtual bool OnCommand(int id);
    // Returns true when this target owns the command, after setting how it looks; false passes
    // the question on. A command nobody owns is shown disabled, since nobody would carry it out.
    virtual bool OnUpdateCommand(int id, ZemCommandState& state);
};
