// The "General..." dialog: the user-interface thread's priority on a four-step slider
// (normal, above normal, highest, time-critical).
#pragma once

class QWidget;

namespace zem::shell {

// setting: 0..3 in and out; true on OK.
bool RunGeneralDialog(QWidget* parent, int& setting);

} // namespace zem::shell
