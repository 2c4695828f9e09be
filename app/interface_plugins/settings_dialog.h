// Dialog 174, "Interface plugin settings...": the loaded modules by file name, the selected
// one's description, and Add, Remove, Settings and OK. What the buttons do is
// InterfaceSettingsModel's; the dialog forwards and redraws.
// Children: list "modules", text "description", buttons "add", "remove", "settings", "ok".
#pragma once

#include "app/interface_plugins/settings_model.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QListWidget;
class QPlainTextEdit;

namespace zem::interface_plugins {

class CInterfaceModules;

class InterfaceSettingsDialog : public QDialog {
public:
    // Asks for the plug-in file to add; nothing on cancel.
    using Chooser = std::function<std::optional<std::string>()>;

    // Without a chooser, Add runs the plug-in chooser over the list's plug-ins folder.
    InterfaceSettingsDialog(CInterfaceModules& modules, Chooser choose = {},
                            QWidget* parent = nullptr);

private:
    void refill(int select);
    int selected() const;

    CInterfaceModules& m_modules;
    InterfaceSettingsModel m_model;
    Chooser m_choose;
    QListWidget* m_list;
    QPlainTextEdit* m_description;
};

// The "Interface plugin settings..." command: the dialog modally, then the list saved and every
// module updated.
void RunInterfacePluginSettings(QWidget* parent, CInterfaceModules& modules);

} // namespace zem::interface_plugins
