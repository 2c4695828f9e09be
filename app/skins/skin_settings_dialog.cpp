#include "app/skins/skin_settings_dialog.h"

#include "app/skins/skin.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zem::skins {

std::vector<std::string> ListSkinFolders(const std::string& programDir) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(programDir) / "skins", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code e;
        if (it->is_directory(e) && fs::is_regular_file(it->path() / kSkinConfigName, e))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

SkinSettingsDialog::SkinSettingsDialog(const std::vector<std::string>& skins,
                                       const std::string& current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Skin settings"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Skins:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("skins"));
    label->setBuddy(m_list);
    for (const std::string& name : skins) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), m_list);
        if (name == current)
            m_list->setCurrentItem(item);
    }
    m_list->setMinimumSize(260, 160);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::string SkinSettingsDialog::Chosen() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text().toStdString() : std::string();
}

} // namespace zem::skins
