#include "app/interface_plugins/plugin_chooser_dialog.h"
#include "app/interface_plugins/dialog_ids.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zem::interface_plugins {

PluginChooserDialog::PluginChooserDialog(std::vector<InterfacePluginFile> plugins, QWidget* parent)
    : QDialog(parent), m_plugins(std::move(plugins)), m_list(new QListWidget(this)),
      m_description(new QPlainTextEdit(this)) {
    setObjectName(QString::number(kDialogPluginChooser));
    setWindowTitle(QStringLiteral("Add interface plugin"));
    m_list->setObjectName(QStringLiteral("plugins"));
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setReadOnly(true);
    for (const InterfacePluginFile& plugin : m_plugins)
        m_list->addItem(QString::fromStdString(plugin.fileName));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_description);
    layout->addWidget(buttons);
    resize(420, 360);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_description->setPlainText(
            row >= 0 ? QString::fromStdString(m_plugins[static_cast<std::size_t>(row)].description)
                     : QString());
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (!m_plugins.empty())
        m_list->setCurrentRow(0);
}

std::string PluginChooserDialog::ChosenPath() const {
    const int row = m_list->currentRow();
    return row >= 0 ? m_plugins[static_cast<std::size_t>(row)].path : std::string();
}

std::optional<std::string> ChooseInterfacePlugin(QWidget* parent, const std::string& dir) {
    PluginChooserDialog dialog(ListInterfacePlugins(dir), parent);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenPath().empty())
        return std::nullopt;
    return dialog.ChosenPath();
}

} // namespace zem::interface_plugins
