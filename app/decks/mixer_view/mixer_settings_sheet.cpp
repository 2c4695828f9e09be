#include "app/decks/mixer_view/mixer_settings_sheet.h"

#include "app/decks/app_context.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_view/mixer_view.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CMixerSettingsFader2::CMixerSettingsFader2(zem::board::CentreVolumePage& page, QWidget* parent)
    : QWidget(parent), m_page(page), m_list(new QComboBox), m_edit(new QLineEdit) {
    m_list->setObjectName("centreVolumes");
    m_edit->setObjectName("centreVolumeEdit");
    auto* add = new QPushButton("Add");
    add->setObjectName("addCentreVolume");
    auto* remove = new QPushButton("Remove");
    remove->setObjectName("removeCentreVolume");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Crossfader volumes in center (%):"), 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(m_edit, 2, 0);
    grid->addWidget(add, 2, 1);
    grid->setRowStretch(3, 1);
    connect(add, &QPushButton::clicked, this, [this] {
        if (m_page.Add(m_edit->text().toStdString()))
            Fill();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_page.Remove(m_list->currentIndex()))
            Fill();
    });
    Fill();
}

void CMixerSettingsFader2::Fill() {
    m_list->clear();
    for (const std::string& item : m_page.GetItems())
        m_list->addItem(QString::fromStdString(item));
}

CMixerSettingsMainVolumePage::CMixerSettingsMainVolumePage(zem::board::MasterVolumePage& page,
                                                           QWidget* parent)
    : QWidget(parent) {
    auto* devices = new QComboBox;
    devices->setObjectName("masterDevices");
    for (const auto& entry : page.GetEntries())
        devices->addItem(QString::fromStdString(entry.name), entry.device);
    devices->setCurrentIndex(page.GetSelection());
    connect(devices, &QComboBox::activated, this, [&page](int index) { page.Select(index); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Master volume device:"));
    layout->addWidget(devices);
    layout->addStretch(1);
}

CMixerSettingsSheet::CMixerSettingsSheet(CMixerView& view, QWidget* parent)
    : QDialog(parent), m_view(view),
      m_sheet(view.Board(), view.MasterControl(), view.Settings(),
              [parent](const char* text) { QMessageBox::warning(parent, "ZEM", text); }) {
    setWindowTitle(zem::board::MixerSettingsSheet::Title());
    auto* tabs = new QTabWidget;
    tabs->addTab(new CMixerSettingsFader2(m_sheet.GetCentrePage()), "Crossfader");
    tabs->addTab(new CMixerSettingsMainVolumePage(m_sheet.GetMasterPage()), "Master volume");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { m_sheet.GetMasterPage().Apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CMixerSettingsSheet::done(int result) {
    if (!m_finished) {
        m_finished = true;
        m_sheet.Finish(result == QDialog::Accepted);
        m_view.Refresh();
    }
    QDialog::done(result);
}

void ShowMixerSettings(QWidget* parent) {
    CMixerView* view = AppContext().mixerView;
    if (!view)
        return;
    CMixerSettingsSheet sheet(*view, parent);
    sheet.exec();
}
