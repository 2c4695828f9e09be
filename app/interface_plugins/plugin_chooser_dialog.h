// Dialog 175: every interface plug-in of the plug-ins folder by file name, with the selected
// one's description; OK answers its full path. Children: list "plugins", text "description".
#pragma once

#include "app/interface_plugins/plugin_scan.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPlainTextEdit;

namespace zem::interface_plugins {

class PluginChooserDialog : public QDialog {
public:
    explicit PluginChooserDialog(std::vector<InterfacePluginFile> plugins,
                                 QWidget* parent = nullptr);
    // Empty when nothing is selected.
    std::string ChosenPath() const;

private:
    std::vector<InterfacePluginFile> m_plugins;
    QListWidget* m_list;
    QPlainTextEdit* m_description;
};

// Runs the chooser modally over the plug-ins of dir; nothing on cancel or without a choice.
std::optional<std::string> ChooseInterfacePlugin(QWidget* parent, const std::string& dir);

} // namespace zem::interface_plugins
