#include "app/audio_settings/advanced_audio_sheet.h"

#include "app/audio_settings/number_text.h"
#include "contracts/soundrail.h"
#include "platform/ui_hooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using zem::audio::kDeckChannelCount;

namespace {

std::vector<OutputDevice*> Devices(OutputManager& outputs) {
    std::vector<OutputDevice*> devices;
    outputs.GetOutputDevicesList(devices);
    return devices;
}

} // namespace

CAdvancedAudioCardPage::CAdvancedAudioCardPage(zem::audio::AdvancedAudioSettings& settings,
                                               int card, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_card(card),
      m_choices(settings.SubChannelChoices(card)),
      m_enabled(new QCheckBox("Enabled: ZEM may play on this card")),
      m_software(new QCheckBox("Software playback")), m_rate(new QComboBox),
      m_offset(new QLineEdit), m_headphones(SubChannelCombo("headphones")),
      m_master(SubChannelCombo("master")), m_sfx(SubChannelCombo("sfx")), m_decks(new QListWidget),
      m_deckOutput(SubChannelCombo("deckOutput")) {
    m_enabled->setObjectName("enabled");
    m_software->setObjectName("softwarePlayback");
    m_rate->setObjectName("sampleRate");
    m_offset->setObjectName("speedOffset");
    m_decks->setObjectName("decks");
    m_decks->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (unsigned long rate : zem::audio::OfferedSampleRates())
        m_rate->addItem(QString::number(rate), QVariant(qulonglong(rate)));
    if (m_rate->findData(QVariant(qulonglong(Edited().sampleRate))) < 0)
        m_rate->addItem(QString::number(Edited().sampleRate),
                        QVariant(qulonglong(Edited().sampleRate)));
    for (int c = 0; c < kDeckChannelCount; ++c)
        m_decks->addItem(QString());
    // Room for the first sixteen deck channels without scrolling.
    m_decks->setMinimumHeight(16 * m_decks->fontMetrics().height() * 5 / 4);
    m_decks->setMinimumWidth(m_decks->fontMetrics().horizontalAdvance("Deck channel 255: ") +
                             m_decks->fontMetrics().horizontalAdvance("Not on this card") + 40);

    auto* cardBox = new QGroupBox("This card");
    auto* cardForm = new QFormLayout(cardBox);
    cardForm->addRow(m_enabled);
    cardForm->addRow(m_software);
    cardForm->addRow("Sample rate (Hz; changes only\nwhile the card is not open):", m_rate);
    cardForm->addRow("Speed offset (percent, -10 to 10):", m_offset);

    auto* playsBox = new QGroupBox("What it plays");
    auto* playsForm = new QFormLayout(playsBox);
    playsForm->addRow("Headphone cue on:", m_headphones);
    playsForm->addRow("Master output on:", m_master);
    playsForm->addRow("Sound effects (SFX) on:", m_sfx);

    auto* left = new QVBoxLayout;
    left->addWidget(cardBox);
    left->addWidget(playsBox);
    left->addStretch(1);

    auto* selectAll = new QPushButton("Select all");
    selectAll->setObjectName("selectAllDecks");
    auto* assign = new QPushButton("Assign");
    assign->setObjectName("assignDecks");
    auto* deckBox = new QGroupBox("Decks (select one, a range with Shift, or all)");
    auto* deckLayout = new QVBoxLayout(deckBox);
    deckLayout->addWidget(m_decks, 1);
    auto* assignRow = new QHBoxLayout;
    assignRow->addWidget(selectAll);
    assignRow->addWidget(new QLabel("Selected decks to:"));
    assignRow->addWidget(m_deckOutput, 1);
    assignRow->addWidget(assign);
    deckLayout->addLayout(assignRow);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(deckBox, 1);

    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) { Edited().enabled = on; });
    connect(m_software, &QCheckBox::toggled, this,
            [this](bool on) { Edited().softwarePlayback = on; });
    connect(m_rate, &QComboBox::activated, this,
            [this](int index) { Edited().sampleRate = m_rate->itemData(index).toULongLong(); });
    connect(m_headphones, &QComboBox::activated, this,
            [this](int index) { Edited().headphones = index; });
    connect(m_master, &QComboBox::activated, this, [this](int index) { Edited().master = index; });
    connect(m_sfx, &QComboBox::activated, this, [this](int index) { Edited().sfx = index; });
    connect(selectAll, &QPushButton::clicked, m_decks, &QListWidget::selectAll);
    connect(assign, &QPushButton::clicked, this, [this] {
        const int sub = m_deckOutput->currentIndex();
        for (int c = 0; c < kDeckChannelCount; ++c) {
            if (!m_decks->item(c)->isSelected())
                continue;
            m_settings.AssignDecks(m_card, c, c, sub);
            RefreshDeckItem(c);
        }
    });
    Refresh();
}

QComboBox* CAdvancedAudioCardPage::SubChannelCombo(const char* name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    for (const std::string& choice : m_choices)
        combo->addItem(QString::fromStdString(choice));
    return combo;
}

void CAdvancedAudioCardPage::RefreshDeckItem(int channel) {
    const int sub = Edited().decks[channel];
    const std::string label = sub >= 0 && sub < static_cast<int>(m_choices.size())
                                  ? m_choices[sub]
                                  : "Sub-channel " + std::to_string(sub);
    m_decks->item(channel)->setText(
        QString("Deck channel %1: %2").arg(channel).arg(QString::fromStdString(label)));
}

void CAdvancedAudioCardPage::Refresh() {
    const zem::audio::CardSettings& s = Edited();
    m_enabled->setChecked(s.enabled);
    m_software->setChecked(s.softwarePlayback);
    m_rate->setCurrentIndex(m_rate->findData(QVariant(qulonglong(s.sampleRate))));
    m_offset->setText(QString::fromStdString(zem::audio::FormatSpeedOffset(s.speedOffset)));
    m_headphones->setCurrentIndex(s.headphones);
    m_master->setCurrentIndex(s.master);
    m_sfx->setCurrentIndex(s.sfx);
    for (int c = 0; c < kDeckChannelCount; ++c)
        RefreshDeckItem(c);
}

std::string CAdvancedAudioCardPage::SpeedOffsetText() const {
    return m_offset->text().toStdString();
}

CAdvancedAudioSettingsSheet::CAdvancedAudioSettingsSheet(OutputManager& outputs, QWidget* parent)
    : QDialog(parent), m_settings(Devices(outputs)) {
    setWindowTitle(zem::audio::kAdvancedSheetTitle);
    auto* tabs = new QTabWidget;
    for (int card = 0; card < m_settings.CardCount(); ++card) {
        m_pages.push_back(new CAdvancedAudioCardPage(m_settings, card));
        tabs->addTab(m_pages.back(), QString::fromStdString(m_settings.CardName(card)));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { Apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

bool CAdvancedAudioSettingsSheet::Apply() {
    std::vector<std::string> offsets;
    for (const CAdvancedAudioCardPage* page : m_pages)
        offsets.push_back(page->SpeedOffsetText());
    if (!m_settings.Apply(offsets))
        return false;
    for (const std::string& name : m_settings.RateRefusals())
        zem::ShowMessageBox(
            ("The sample rate of \"" + name + "\" cannot change while the card is open.").c_str());
    for (CAdvancedAudioCardPage* page : m_pages)
        page->Refresh();
    return true;
}

void CAdvancedAudioSettingsSheet::accept() {
    if (Apply())
        QDialog::accept();
}

bool ShowAdvancedAudioSettings(QWidget* parent, OutputManager& outputs) {
    CAdvancedAudioSettingsSheet sheet(outputs, parent);
    const bool ok = sheet.exec() == QDialog::Accepted;
    // Listing the cards writes the deck assignments to the settings file now, not only at exit.
    std::vector<OutputDevice*> cards;
    outputs.GetOutputDevicesList(cards);
    return ok;
}
