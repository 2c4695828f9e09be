#include "app/audio_settings/audio_wizard_sheet.h"

#include "app/audio_settings/audio_texts.h"
#include "contracts/soundrail.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* Explanation(const char* text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QString CardName(const std::vector<OutputDevice*>& devices, int index) {
    if (index < 0 || index >= static_cast<int>(devices.size()))
        return "?";
    return QString("\"%1\"").arg(devices[index]->GetOutputDeviceName());
}

} // namespace

CAudioWizardPage1::CAudioWizardPage1() {
    setTitle("Audio setup");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation(
        "This wizard decides which sound card plays your decks, the headphone cue, the master "
        "output and the sound effects.\n\n"
        "It asks three things: how many sound cards you use, how you want to hear the mix, and "
        "which card does what. Nothing changes until you press Finish.\n\n"
        "Every detail can be changed later under Settings | Mixer Settings | Advanced "
        "settings..."));
    layout->addStretch(1);
}

CAudioWizardPage2::CAudioWizardPage2(zem::audio::AudioWizard& wizard) : m_wizard(wizard) {
    setTitle("How many sound cards?");
    m_options[0] = new QRadioButton("&One sound card");
    m_options[1] = new QRadioButton("&Two sound cards");
    m_options[2] = new QRadioButton("T&hree or more sound cards");
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation(
        "One card: the computer's own stereo output, or a single card with four outputs (two "
        "stereo pairs).\n\n"
        "Two cards: for example the built-in output for the speakers and a USB card for your "
        "headphones, or one card for each side of the crossfader."));
    for (int i = 0; i < 3; ++i) {
        m_options[i]->setObjectName(QString("cardCount%1").arg(i + 1));
        group->addButton(m_options[i], i + 1);
        layout->addWidget(m_options[i]);
    }
    m_options[wizard.CardCount() - 1]->setChecked(true);
    layout->addStretch(1);
}

bool CAudioWizardPage2::validatePage() {
    for (int i = 0; i < 3; ++i)
        if (m_options[i]->isChecked())
            return m_wizard.LeaveCardCountPage(i + 1);
    return false;
}

CAudioWizardPage3::CAudioWizardPage3(zem::audio::AudioWizard& wizard)
    : m_wizard(wizard),
      m_fader(new QRadioButton("&Crossfader sides: alternate decks on the LEFT fader and the "
                               "RIGHT fader outputs")),
      m_speaker(new QRadioButton("&Speaker and headphones: the mix on the speakers, the decks "
                                 "you cue in the headphones")),
      m_shared(new QRadioButton("&Four outputs: speakers on the first pair, headphones on the "
                                "second")),
      m_separate(new QRadioButton("One stereo &output: no headphone cue")) {
    setTitle("How do you want to hear the mix?");
    m_fader->setObjectName("faderLayout");
    m_speaker->setObjectName("speakerLayout");
    m_shared->setObjectName("sharedHeadphones");
    m_separate->setObjectName("noSharedHeadphones");
    auto* layouts = new QButtonGroup(this);
    layouts->addButton(m_fader);
    layouts->addButton(m_speaker);
    auto* headphones = new QButtonGroup(this);
    headphones->addButton(m_shared);
    headphones->addButton(m_separate);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_speaker);
    layout->addWidget(m_fader);
    layout->addSpacing(8);
    layout->addWidget(new QLabel("With one card:"));
    layout->addWidget(m_separate);
    layout->addWidget(m_shared);
    layout->addSpacing(8);
    layout->addWidget(Explanation(
        "One stereo card: choose speaker and headphones with one stereo output; everything plays "
        "on the card and there is no pre-listening.\n\n"
        "One four-channel card: choose four outputs to cue on its second pair, or crossfader "
        "sides to give each side a pair of its own (for an outside mixer). ZEM then adds the "
        "down-mixer effect, which folds each deck to mono so that it fits one pair.\n\n"
        "Two cards: speaker and headphones puts the mix on the first card and the cue on the "
        "second; crossfader sides gives each card one side."));
    layout->addStretch(1);
    m_speaker->setChecked(true);
    m_separate->setChecked(true);
    connect(m_fader, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
}

void CAudioWizardPage3::initializePage() {
    (m_wizard.FaderLayout() ? m_fader : m_speaker)->setChecked(true);
    (m_wizard.SharedHeadphones() ? m_shared : m_separate)->setChecked(true);
    UpdateEnabling();
}

void CAudioWizardPage3::UpdateEnabling() {
    m_wizard.SetFaderLayout(m_fader->isChecked());
    const bool enabled = m_wizard.SharedHeadphonesEnabled();
    m_shared->setEnabled(enabled);
    m_separate->setEnabled(enabled);
}

bool CAudioWizardPage3::validatePage() {
    m_wizard.SetFaderLayout(m_fader->isChecked());
    m_wizard.SetSharedHeadphones(m_shared->isChecked());
    return true;
}

CAudioWizardPage4::CAudioWizardPage4(zem::audio::AudioWizard& wizard,
                                     const std::vector<OutputDevice*>& devices)
    : m_wizard(wizard), m_devices(devices), m_firstLabel(new QLabel), m_secondLabel(new QLabel),
      m_first(new QListWidget), m_second(new QListWidget) {
    setTitle("Which sound card does what?");
    m_first->setObjectName("firstCard");
    m_second->setObjectName("secondCard");
    m_firstLabel->setBuddy(m_first);
    m_secondLabel->setBuddy(m_second);
    for (OutputDevice* d : devices) {
        m_first->addItem(d->GetOutputDeviceName());
        m_second->addItem(d->GetOutputDeviceName());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Explanation("The lists show every sound card ZEM found."));
    layout->addWidget(m_firstLabel);
    layout->addWidget(m_first);
    layout->addWidget(m_secondLabel);
    layout->addWidget(m_second);
}

void CAudioWizardPage4::initializePage() {
    m_firstLabel->setText(QString::fromStdString(m_wizard.FirstListLabel()));
    m_secondLabel->setText(QString::fromStdString(m_wizard.SecondListLabel()));
    m_second->setEnabled(m_wizard.SecondListEnabled());
    if (!m_wizard.SecondListEnabled())
        m_second->setCurrentRow(-1);
}

bool CAudioWizardPage4::validatePage() {
    auto chosen = [](QListWidget* list) {
        return list->selectedItems().isEmpty() ? -1 : list->currentRow();
    };
    const int first = chosen(m_first);
    int outputs = -1;
    if (first >= 0 && first < static_cast<int>(m_devices.size())) {
        std::vector<std::string> labels;
        m_devices[static_cast<size_t>(first)]->GetSubChannelLabels(labels);
        outputs = static_cast<int>(labels.size());
    }
    return m_wizard.LeaveCardPage(first, chosen(m_second), outputs);
}

CAudioWizardPage5::CAudioWizardPage5(zem::audio::AudioWizard& wizard,
                                     const std::vector<OutputDevice*>& devices)
    : m_wizard(wizard), m_devices(devices), m_summary(Explanation("")) {
    setTitle("Ready");
    m_summary->setObjectName("summary");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addStretch(1);
}

void CAudioWizardPage5::initializePage() {
    const QString a = CardName(m_devices, m_wizard.FirstCard());
    const QString b = CardName(m_devices, m_wizard.SecondCard());
    QString text;
    if (m_wizard.CardCount() == 2 && m_wizard.FaderLayout())
        text = QString("Alternate decks play on %1 (LEFT fader) and %2 (RIGHT fader). The master "
                       "output is on %1; sound effects play on both.")
                   .arg(a, b);
    else if (m_wizard.CardCount() == 2)
        text = QString("All decks and the master output play on %1, the headphone cue on %2. "
                       "Sound effects play on both.")
                   .arg(a, b);
    else if (m_wizard.FaderLayout())
        text = QString("Alternate decks play on the first and the second pair of %1; the master "
                       "output is on the first pair. The down-mixer effect is added.")
                   .arg(a);
    else if (m_wizard.SharedHeadphones())
        text = QString("All decks and the master output play on the first pair of %1, the "
                       "headphone cue on its second pair. The down-mixer effect is added.")
                   .arg(a);
    else
        text = QString("Everything plays on %1.").arg(a);
    m_summary->setText(text + "\n\nPress Finish to set this up. Your previous assignments are "
                              "replaced.");
}

CAudioWizardSheet::CAudioWizardSheet(OutputManager& outputs, zem::audio::GlobalDspEditor& dsp,
                                     QWidget* parent)
    : QWizard(parent), m_dsp(dsp) {
    outputs.GetOutputDevicesList(m_devices);
    setWindowTitle(zem::audio::kWizardTitle);
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setPage(kWelcome, new CAudioWizardPage1);
    setPage(kCardCount, new CAudioWizardPage2(m_wizard));
    setPage(kLayout, new CAudioWizardPage3(m_wizard));
    setPage(kCards, new CAudioWizardPage4(m_wizard, m_devices));
    setPage(kFinish, new CAudioWizardPage5(m_wizard, m_devices));
    // Named for the drivers of the real program's windows.
    button(QWizard::NextButton)->setObjectName("nextButton");
    button(QWizard::BackButton)->setObjectName("backButton");
    button(QWizard::FinishButton)->setObjectName("finishButton");
    resize(620, 480);
}

void CAudioWizardSheet::accept() {
    m_wizard.Finish(m_devices, m_dsp);
    QWizard::accept();
}

bool RunAudioWizard(QWidget* parent, OutputManager& outputs) {
    zem::audio::EngineGlobalDspList dsp;
    CAudioWizardSheet sheet(outputs, dsp, parent);
    const bool finished = sheet.exec() == QDialog::Accepted;
    // Listing the cards writes the deck assignments to the settings file now, not only at exit.
    std::vector<OutputDevice*> cards;
    outputs.GetOutputDevicesList(cards);
    return finished;
}
