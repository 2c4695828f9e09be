// Dialog 202: the new interface plug-ins found at start, each with a check box (checked at
// first); OK answers the checked paths, Cancel none. Child: list "plugins".
#pragma once

#include "app/interface_plugins/new_plugins_offer.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace zem::interface_plugins {

class NewPluginsDialog : public QDialog {
public:
    explicit NewPluginsDialog(std::vector<std::string> paths, QWidget* parent = nullptr);
    std::vector<std::string> CheckedPaths() const;

private:
    std::vector<std::string> m_paths;
    QListWidget* m_list;
};

// The question OfferNewPlugins asks, as this dialog run modally.
NewPluginsQuestion NewPluginsDialogQuestion(QWidget* parent);

} // namespace zem::interface_plugins
