// The menu items of the plug-in view types: "&Settings" > "&Interface" > "Interface views"
// lists every type, "&File" > "&New" the types registered with the in-File-New flag. Each
// rebuild empties the two pop-ups and inserts the types in list order, each at the top, so
// the type registered last comes first. An item's data is its command, 4480 + the type's index.
#pragma once

#include <QString>

#include <vector>

class QMenu;
class QMenuBar;
class QWidget;
struct ZEM_ViewDescriptor;

namespace zem::interface_plugins {

inline constexpr const char kInterfaceViewsMenu[] = "Interface views";

// The sub-menu of parent (a QMenu or QMenuBar) whose text, without "&", is text's; null when
// there is none.
QMenu* FindSubmenu(QWidget& parent, const QString& text);

// Missing "Interface views" and "&New" pop-ups are made (the first at the end of "&Interface",
// the second at the top of "&File"); a missing "&Settings", "&Interface" or "&File" leaves its
// part alone. Types past the last view command get no item.
void RebuildViewMenus(QMenuBar& menuBar, const std::vector<ZEM_ViewDescriptor*>& views);

} // namespace zem::interface_plugins
