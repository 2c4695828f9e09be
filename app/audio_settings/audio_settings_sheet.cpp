#include "app/audio_settings/audio_settings_sheet.h"

#include "app/audio_settings/audio_texts.h"
#include "app/audio_settings/number_text.h"
#include "contracts/soundrail.h"
#include "platform/ui_hooks.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

std::vector<OutputDevice*> Devices(OutputManager& outputs) {
    std::vector<OutputDevice*> devices;
    outputs.GetOutputDevicesList(devices);
    return devices;
}

} // namespace

CAudioSettingsSynchronization::CAudioSettingsSynchronization(zem::audio::SpeedOffsetPage& page,
                                                             QWidget* parent)
    : QWidget(parent), m_page(page), m_syncTime(new QLineEdit), m_cards(new QListWidget),
      m_offset(new QLineEdit) {
    m_syncTime->setObjectName("syncTime");
    m_cards->setObjectName("speedOffsetCards");
    m_offset->setObjectName("speedOffset");
    m_syncTime->setText(QString::number(GetSyncTime()));
    m_syncTime->setToolTip(
        "The sound library's timing value in milliseconds (5000 unless changed).");
    for (const std::string& name : m_page.CardNames())
        m_cards->addItem(QString::fromStdString(name));
    m_cards->setCurrentRow(m_page.Selection());
    m_offset->setText(QString::fromStdString(m_page.FieldText()));
    m_offset->setToolTip("Added to the playback speed of everything this card plays, to make up "
                         "for a card whose clock runs fast or slow.");

    auto* layout = new QFormLayout(this);
    layout->addRow("Sync time (milliseconds, 0 to 60000):", m_syncTime);
    layout->addRow(new QLabel("Speed offset per sound card:"));
    layout->addRow(m_cards);
    layout->addRow("Offset of the selected card (percent, -10 to 10):", m_offset);
    connect(m_cards, &QListWidget::currentRowChanged, this,
            [this](int row) { SelectionChanged(row); });
}

void CAudioSettingsSynchronization::SelectionChanged(int row) {
    if (row < 0 || row == m_page.Selection())
        return;
    if (!m_page.Select(row, m_offset->text().toStdString())) {
        // The field still holds the previous card's bad value: keep that card selected.
        const QSignalBlocker block(m_cards);
        m_cards->setCurrentRow(m_page.Selection());
        return;
    }
    m_offset->setText(QString::fromStdString(m_page.FieldText()));
}

bool CAudioSettingsSynchronization::Apply() {
    if (!m_page.Apply(m_offset->text().toStdString()))
        return false;
    m_offset->setText(QString::fromStdString(m_page.FieldText()));
    return true;
}

bool CAudioSettingsSynchronization::Commit() {
    unsigned long sync = 0;
    if (!zem::audio::ParseSyncTime(m_syncTime->text().toStdString(), sync)) {
        zem::ShowMessageBox(zem::audio::kSyncTimeRange);
        return false;
    }
    if (!Apply())
        return false;
    SetSyncTime(sync);
    return true;
}

CAudioSettingsSheet::CAudioSettingsSheet(OutputManager& outputs, QWidget* parent)
    : QDialog(parent), m_page(Devices(outputs)), m_sync(new CAudioSettingsSynchronization(m_page)) {
    setWindowTitle(zem::audio::kGeneralSheetTitle);
    auto* tabs = new QTabWidget;
    tabs->addTab(m_sync, "Synchronization");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { m_sync->Apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CAudioSettingsSheet::accept() {
    if (m_sync->Commit())
        QDialog::accept();
}

bool ShowGeneralAudioSettings(QWidget* parent, OutputManager& outputs) {
    CAudioSettingsSheet sheet(outputs, parent);
    return sheet.exec() == QDialog::Accepted;
}
