#include "app/interface_plugins/settings_dialog.h"
#include "app/interface_plugins/dialog_ids.h"
#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/plugin_chooser_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zem::interface_plugins {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

InterfaceSettingsDialog::InterfaceSettingsDialog(CInterfaceModules& modules, Chooser choose,
                                                 QWidget* parent)
    : QDialog(parent), m_modules(modules), m_model(modules), m_choose(std::move(choose)),
      m_list(new QListWidget(this)), m_description(new QPlainTextEdit(this)) {
    if (!m_choose)
        m_choose = [this] { return ChooseInterfacePlugin(this, m_modules.PluginsDir()); };
    setObjectName(QString::number(kDialogInterfaceSettings));
    setWindowTitle(QStringLiteral("Interface plugin settings"));
    m_list->setObjectName(QStringLiteral("modules"));
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setReadOnly(true);

    QPushButton* add = Button(this, "add", "&Add...");
    QPushButton* remove = Button(this, "remove", "&Remove");
    QPushButton* settings = Button(this, "settings", "&Settings...");
    QPushButton* ok = Button(this, "ok", "OK");
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, remove, settings})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 2);
    left->addWidget(m_description, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(480, 360);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_description->setPlainText(QString::fromStdString(m_model.Description(row)));
    });
    connect(add, &QPushButton::clicked, this, [this] {
        if (const std::optional<std::string> path = m_choose(); path && m_model.Add(*path))
            refill(static_cast<int>(m_modules.Count()) - 1);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = selected();
        if (m_model.Remove(row))
            refill(std::min(row, static_cast<int>(m_modules.Count()) - 1));
    });
    connect(settings, &QPushButton::clicked, this, [this] { m_model.ShowSettings(selected()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    refill(0);
}

void InterfaceSettingsDialog::refill(int select) {
    m_list->clear();
    for (const std::string& name : m_model.Names())
        m_list->addItem(QString::fromStdString(name));
    m_list->setCurrentRow(select < m_list->count() ? select : -1);
    if (m_list->currentRow() < 0)
        m_description->clear();
}

int InterfaceSettingsDialog::selected() const {
    return m_list->currentRow();
}

void RunInterfacePluginSettings(QWidget* parent, CInterfaceModules& modules) {
    {
        InterfaceSettingsDialog dialog(modules, {}, parent);
        dialog.exec();
    }
    InterfaceSettingsModel(modules).Finish();
}

} // namespace zem::interface_plugins
