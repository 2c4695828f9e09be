#include "app/decks/deck_view/deck_dialogs.h"

#include "engine/deck/mixer_device.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// Fade pitch to...

FadePitchDialog::FadePitchDialog(MixerDevice& deck, double seconds, QWidget* parent)
    : QDialog(parent), m_value(new QDoubleSpinBox(this)),
      m_tempo(new QRadioButton(QStringLiteral("Tempo (BPM)"), this)),
      m_percent(new QRadioButton(QStringLiteral("Percent of the song's own speed"), this)),
      m_seconds(new QDoubleSpinBox(this)) {
    setWindowTitle(QStringLiteral("Fade pitch to..."));
    m_value->setObjectName(QStringLiteral("fadeValue"));
    m_value->setDecimals(2);
    m_value->setRange(0, 100000);
    m_seconds->setObjectName(QStringLiteral("fadeSeconds"));
    m_seconds->setDecimals(2);
    m_seconds->setRange(0, 3600);
    m_seconds->setSuffix(QStringLiteral(" s"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Target:"), m_value);
    form->addRow(QString(), m_tempo);
    form->addRow(QString(), m_percent);
    form->addRow(QStringLiteral("Time:"), m_seconds);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
    const float base = deck.GetBPMInfo()->baseTempo;
    if (base != 0)
        SetValues(deck.GetCurrentTempo(), 0, seconds);
    else
        SetValues(100, 1, seconds);
}

double FadePitchDialog::GetValue() const {
    return m_value->value();
}
int FadePitchDialog::GetMode() const {
    return m_percent->isChecked() ? 1 : 0;
}
double FadePitchDialog::GetSeconds() const {
    return m_seconds->value();
}
void FadePitchDialog::SetValues(double value, int mode, double seconds) {
    m_value->setValue(value);
    (mode == 1 ? m_percent : m_tempo)->setChecked(true);
    m_seconds->setValue(seconds);
}

// Notes.

NotesDialog::NotesDialog(MixerDevice& deck, QWidget* parent)
    : QDialog(parent), m_deck(deck), m_editor(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Notes"));
    m_editor->setObjectName(QStringLiteral("notesEdit"));
    m_editor->setPlainText(QString::fromLocal8Bit(deck.GetNotesText()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addWidget(OkCancel(this));
    resize(360, 240);
}

void NotesDialog::accept() {
    // The deck keeps what fits its notes buffer.
    std::string text = m_editor->toPlainText().toLocal8Bit().toStdString();
    if (text.size() >= static_cast<size_t>(MixerDevice::kNotesSize))
        text.resize(MixerDevice::kNotesSize - 1);
    m_deck.SetNotesText(text.data());
    QDialog::accept();
}

// Tempo.

TempoDialog::TempoDialog(MixerDevice& deck, const zem::deckwin::DeckClock& clock, QWidget* parent)
    : QDialog(parent), m_deck(deck), m_clock(clock), m_edit(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Tempo"));
    m_edit->setObjectName(QStringLiteral("tempoEdit"));
    m_edit->setText(
        QString::fromStdString(zem::deckwin::FormatTempo(deck.GetBPMInfo()->baseTempo)));
    auto* tap = new QPushButton(QStringLiteral("&Tap"), this);
    tap->setObjectName(QStringLiteral("tapButton"));
    tap->setAutoDefault(false);
    auto* reset = new QPushButton(QStringLiteral("&Reset"), this);
    reset->setAutoDefault(false);
    connect(tap, &QPushButton::clicked, this, &TempoDialog::Tap);
    connect(reset, &QPushButton::clicked, this, &TempoDialog::ResetTaps);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("BPM:"), this));
    row->addWidget(m_edit);
    row->addWidget(tap);
    row->addWidget(reset);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(OkCancel(this));
}

void TempoDialog::Tap() {
    m_edit->setText(
        QString::fromStdString(zem::deckwin::FormatTempo(m_tapper.Tap(m_clock.NowMs()))));
}

void TempoDialog::ResetTaps() {
    m_tapper.Reset();
    m_edit->setText(QString::fromStdString(zem::deckwin::FormatTempo(0)));
}

void TempoDialog::accept() {
    zem::deckwin::StoreTappedTempo(
        m_deck, zem::deckwin::ParseTempo(m_edit->text().toLocal8Bit().constData()));
    QDialog::accept();
}

// Deck settings.

DeckSettingsDialog::DeckSettingsDialog(MixerDevice& deck, const zem::deckwin::DeckClock& clock,
                                       std::function<void(MixerDevice&)> changed, QWidget* parent)
    : QDialog(parent), m_model(deck), m_clock(clock), m_changed(std::move(changed)),
      m_thisTempo(new QLabel(this)), m_others(new QComboBox(this)), m_otherTempo(new QLabel(this)),
      m_matchChange(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Deck settings"));
    m_thisTempo->setObjectName(QStringLiteral("thisTempo"));
    m_others->setObjectName(QStringLiteral("otherDecks"));
    m_otherTempo->setObjectName(QStringLiteral("otherTempo"));
    m_matchChange->setObjectName(QStringLiteral("matchChange"));
    const auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* reset = button("Reset to 100%", "resetPitch");
    QPushButton* tapThis = button("Tap tempo...", "tapThis");
    QPushButton* tapOther = button("Tap tempo...", "tapOther");
    QPushButton* matchThis = button("Match this deck to it", "matchThis");
    QPushButton* matchOther = button("Match it to this deck", "matchOther");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("This deck's tempo:"), this), 0, 0);
    grid->addWidget(m_thisTempo, 0, 1);
    grid->addWidget(reset, 0, 2);
    grid->addWidget(tapThis, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Other deck:"), this), 1, 0);
    grid->addWidget(m_others, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Its tempo:"), this), 2, 0);
    grid->addWidget(m_otherTempo, 2, 1);
    grid->addWidget(tapOther, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Pitch change to match (%):"), this), 3, 0);
    grid->addWidget(m_matchChange, 3, 1);
    grid->addWidget(matchThis, 4, 1);
    grid->addWidget(matchOther, 4, 2, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(close);

    for (const zem::deckview::OtherDeck& other : m_model.OtherDecks())
        m_others->addItem(QString::fromLocal8Bit(other.label.c_str()),
                          QVariant::fromValue(static_cast<void*>(other.deck)));
    connect(m_others, &QComboBox::currentIndexChanged, this, &DeckSettingsDialog::Refresh);
    connect(reset, &QPushButton::clicked, this, [this] {
        m_model.ResetToOwnRate();
        Changed(m_model.GetDeck());
    });
    connect(tapThis, &QPushButton::clicked, this, [this] { TapTempo(m_model.GetDeck()); });
    connect(tapOther, &QPushButton::clicked, this, [this] {
        if (MixerDevice* other = GetSelected())
            TapTempo(*other);
    });
    connect(matchThis, &QPushButton::clicked, this, [this] {
        if (MixerDevice* other = GetSelected(); other && m_model.MatchThisTo(*other))
            Changed(m_model.GetDeck());
    });
    connect(matchOther, &QPushButton::clicked, this, [this] {
        if (MixerDevice* other = GetSelected(); other && m_model.MatchOtherToThis(*other))
            Changed(*other);
    });
    Refresh();
}

MixerDevice* DeckSettingsDialog::GetSelected() const {
    return m_others->currentIndex() < 0
               ? nullptr
               : static_cast<MixerDevice*>(m_others->currentData().value<void*>());
}

void DeckSettingsDialog::Refresh() {
    m_thisTempo->setText(
        QString::fromStdString(zem::deckview::DeckSettingsModel::TempoText(m_model.GetDeck())));
    MixerDevice* other = GetSelected();
    m_otherTempo->setText(
        other ? QString::fromStdString(zem::deckview::DeckSettingsModel::TempoText(*other))
              : QString());
    m_matchChange->setText(other ? QString::fromStdString(m_model.MatchText(*other)) : QString());
}

void DeckSettingsDialog::TapTempo(MixerDevice& deck) {
    TempoDialog dialog(deck, m_clock, this);
    if (dialog.exec() == QDialog::Accepted)
        Changed(deck);
}

void DeckSettingsDialog::Changed(MixerDevice& deck) {
    if (m_changed)
        m_changed(deck);
    Refresh();
}
