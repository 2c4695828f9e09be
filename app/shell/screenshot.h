// The "--screenshot" option: once start-up is over and the windows have drawn their first
// readouts, a picture of the whole main window is written and the program closes as the user
// would close it.
#pragma once

#include <string>

class QWidget;

namespace zem::shell {

// result becomes 1 when the picture cannot be written.
void TakeScreenshotWhenSettled(QWidget& window, const std::string& path, int& result);

} // namespace zem::shell
