// The "--widget-map FILE" option: once start-up has settled, one line per visible control that
// has a name, "WINDOW<TAB>NAME<TAB>X Y WIDTH HEIGHT" in screen coordinates, WINDOW being the
// title of the child window holding it ("-" for the main window's own). Test drivers that click
// real buttons with xdotool read it; nothing in the program depends on it.
#pragma once

#include <string>

class QWidget;

namespace zem::shell {

// Writes the map of window; false when the file cannot be written.
bool WriteWidgetMap(QWidget& window, const std::string& path);
// The same once the windows have drawn their first readouts.
void WriteWidgetMapWhenSettled(QWidget& window, const std::string& path);

} // namespace zem::shell
