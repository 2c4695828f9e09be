// The "Advanced audio settings..." sheet: one page per sound card with its switches, rate,
// speed offset and what it plays, over AdvancedAudioSettings. Nothing reaches a card before
// OK or Apply.
#pragma once

#include "app/audio_settings/advanced_settings.h"

#include <QDialog>

#include <vector>

class OutputManager;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

class CAdvancedAudioCardPage : public QWidget {
public:
    CAdvancedAudioCardPage(zem::audio::AdvancedAudioSettings& settings, int card,
                           QWidget* parent = nullptr);
    // Shows the working copy again (after Apply).
    void Refresh();
    std::string SpeedOffsetText() const;

private:
    QComboBox* SubChannelCombo(const char* name);
    void RefreshDeckItem(int channel);
    zem::audio::CardSettings& Edited() { return m_settings.Edited(m_card); }

    zem::audio::AdvancedAudioSettings& m_settings;
    int m_card;
    std::vector<std::string> m_choices;
    QCheckBox* m_enabled;
    QCheckBox* m_software;
    QComboBox* m_rate;
    QLineEdit* m_offset;
    QComboBox* m_headphones;
    QComboBox* m_master;
    QComboBox* m_sfx;
    QListWidget* m_decks;
    QComboBox* m_deckOutput;
};

class CAdvancedAudioSettingsSheet : public QDialog {
public:
    CAdvancedAudioSettingsSheet(OutputManager& outputs, QWidget* parent = nullptr);
    bool Apply();
    void accept() override;

private:
    zem::audio::AdvancedAudioSettings m_settings;
    std::vector<CAdvancedAudioCardPage*> m_pages;
};

// The "Advanced settings..." command; true when the user pressed OK. The caller then runs
// Mixer::UpdateVolumes.
bool ShowAdvancedAudioSettings(QWidget* parent, OutputManager& outputs);
