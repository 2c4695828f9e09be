// The "--widget-map FILE" option: once start-up has settled, and every 200 ms after, one line
// per visible control that has a name, "WINDOW<TAB>NAME<TAB>X Y WIDTH HEIGHT<TAB>STATE" in
// screen coordinates, WINDOW being the title of the child window or dialog holding it ("-" for
// the main window's own), STATE what it shows (a slider's value, a text, an edit field's or
// drop-down's text, a list's selected items). Dialogs are mapped while they are open. Test
// drivers that click real buttons with xdotool and check what happened read it; nothing in the
// program depends on it.
#pragma once

#include <string>

class QWidget;

namespace zem::shell {

// Writes the map of window; false when the file cannot be written.
bool WriteWidgetMap(QWidget& window, const std::string& path);
// The same once the windows have drawn their first readouts, and again every 200 ms.
void WriteWidgetMapWhenSettled(QWidget& window, const std::string& path);

} // namespace zem::shell
