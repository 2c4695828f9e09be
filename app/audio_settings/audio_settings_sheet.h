// The "General audio settings..." sheet: its synchronisation page sets the sync time and a
// speed correction per sound card, over SpeedOffsetPage.
#pragma once

#include "app/audio_settings/speed_offset_page.h"

#include <QDialog>

class OutputManager;
class QLineEdit;
class QListWidget;

class CAudioSettingsSynchronization : public QWidget {
public:
    explicit CAudioSettingsSynchronization(zem::audio::SpeedOffsetPage& page,
                                           QWidget* parent = nullptr);
    // Stores the field into the selected card and shows the card's value again.
    bool Apply();
    // Apply, then the sync time; false (with a message) when either field is not valid.
    bool Commit();

private:
    void SelectionChanged(int row);
    zem::audio::SpeedOffsetPage& m_page;
    QLineEdit* m_syncTime;
    QListWidget* m_cards;
    QLineEdit* m_offset;
};

class CAudioSettingsSheet : public QDialog {
public:
    CAudioSettingsSheet(OutputManager& outputs, QWidget* parent = nullptr);
    void accept() override;
    CAudioSettingsSynchronization& SynchronizationPage() { return *m_sync; }

private:
    zem::audio::SpeedOffsetPage m_page;
    CAudioSettingsSynchronization* m_sync;
};

// The "General settings..." command; true when the user pressed OK. The caller then stores
// GetSyncTime() in the profile.
bool ShowGeneralAudioSettings(QWidget* parent, OutputManager& outputs);
