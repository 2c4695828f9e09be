// The audio setup wizard: a welcome page, the three decision pages (how many cards, which
// layout, which card) and a closing page, over AudioWizard. Finish writes the assignment.
#pragma once

#include "app/audio_settings/audio_wizard.h"
#include "app/audio_settings/global_dsp_editor.h"

#include <QWizard>
#include <QWizardPage>

#include <vector>

class OutputDevice;
class OutputManager;
class QLabel;
class QListWidget;
class QRadioButton;

// Welcome: what the wizard sets up.
class CAudioWizardPage1 : public QWizardPage {
public:
    CAudioWizardPage1();
};

// How many sound cards.
class CAudioWizardPage2 : public QWizardPage {
public:
    explicit CAudioWizardPage2(zem::audio::AudioWizard& wizard);
    bool validatePage() override;

private:
    zem::audio::AudioWizard& m_wizard;
    QRadioButton* m_options[3];
};

// Crossfader sides or speaker and headphones; headphones on a shared four-channel card.
class CAudioWizardPage3 : public QWizardPage {
public:
    explicit CAudioWizardPage3(zem::audio::AudioWizard& wizard);
    void initializePage() override;
    bool validatePage() override;

private:
    void UpdateEnabling();
    zem::audio::AudioWizard& m_wizard;
    QRadioButton* m_fader;
    QRadioButton* m_speaker;
    QRadioButton* m_shared;
    QRadioButton* m_separate;
};

// Which card plays which role.
class CAudioWizardPage4 : public QWizardPage {
public:
    CAudioWizardPage4(zem::audio::AudioWizard& wizard, const std::vector<OutputDevice*>& devices);
    void initializePage() override;
    bool validatePage() override;

private:
    zem::audio::AudioWizard& m_wizard;
    const std::vector<OutputDevice*>& m_devices;
    QLabel* m_firstLabel;
    QLabel* m_secondLabel;
    QListWidget* m_first;
    QListWidget* m_second;
};

// What Finish will do.
class CAudioWizardPage5 : public QWizardPage {
public:
    CAudioWizardPage5(zem::audio::AudioWizard& wizard, const std::vector<OutputDevice*>& devices);
    void initializePage() override;

private:
    zem::audio::AudioWizard& m_wizard;
    const std::vector<OutputDevice*>& m_devices;
    QLabel* m_summary;
};

class CAudioWizardSheet : public QWizard {
public:
    // dsp is the global effect list the down-mixer goes into; it outlives the sheet.
    CAudioWizardSheet(OutputManager& outputs, zem::audio::GlobalDspEditor& dsp,
                      QWidget* parent = nullptr);
    void accept() override;
    const zem::audio::AudioWizard& Wizard() const { return m_wizard; }

    enum PageId { kWelcome, kCardCount, kLayout, kCards, kFinish };

private:
    zem::audio::AudioWizard m_wizard;
    std::vector<OutputDevice*> m_devices;
    zem::audio::GlobalDspEditor& m_dsp;
};

// The "Audio setup wizard..." command and the first-run offer: runs the wizard modally over
// the engine's global effect list; true when the user finished it.
bool RunAudioWizard(QWidget* parent, OutputManager& outputs);
