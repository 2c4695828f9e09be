#include "app/interface_plugins/new_plugins_dialog.h"
#include "app/interface_plugins/dialog_ids.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace zem::interface_plugins {

NewPluginsDialog::NewPluginsDialog(std::vector<std::string> paths, QWidget* parent)
    : QDialog(parent), m_paths(std::move(paths)), m_list(new QListWidget(this)) {
    setObjectName(QString::number(kDialogNewPlugins));
    setWindowTitle(QStringLiteral("New interface plugins"));
    m_list->setObjectName(QStringLiteral("plugins"));
    for (const std::string& path : m_paths) {
        auto* item = new QListWidgetItem(QString::fromStdString(path), m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("New interface plugins were found. "
                                                "Check the ones to load:"),
                                 this));
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(520, 300);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::string> NewPluginsDialog::CheckedPaths() const {
    std::vector<std::string> checked;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            checked.push_back(m_paths[static_cast<std::size_t>(i)]);
    return checked;
}

NewPluginsQuestion NewPluginsDialogQuestion(QWidget* parent) {
    return
        [parent](const std::vector<std::string>& paths) -> std::optional<std::vector<std::string>> {
            NewPluginsDialog dialog(paths, parent);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return dialog.CheckedPaths();
        };
}

} // namespace zem::interface_plugins
