// "Help | About ZEM...": the program's name, version and credits, and OK.
#pragma once

class QDialog;
class QWidget;

namespace zem::small {

// Built, not shown: the caller (or a test) runs it.
QDialog* MakeAboutBox(QWidget* parent);
void ShowAboutBox(QWidget* parent);

} // namespace zem::small
