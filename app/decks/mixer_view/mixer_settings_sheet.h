// The "Mixer settings..." property sheet: the crossfader centre-volume page and the master-volume
// page, over the board's settings logic (zem::board::MixerSettingsSheet).
#pragma once

#include "app/decks/mixer_board/mixer_settings.h"

#include <QDialog>

class CMixerView;
class QComboBox;
class QLineEdit;

class CMixerSettingsFader2 : public QWidget {
public:
    explicit CMixerSettingsFader2(zem::board::CentreVolumePage& page, QWidget* parent = nullptr);

private:
    void Fill();
    zem::board::CentreVolumePage& m_page;
    QComboBox* m_list;
    QLineEdit* m_edit;
};

class CMixerSettingsMainVolumePage : public QWidget {
public:
    explicit CMixerSettingsMainVolumePage(zem::board::MasterVolumePage& page,
                                          QWidget* parent = nullptr);
};

class CMixerSettingsSheet : public QDialog {
    Q_OBJECT
public:
    CMixerSettingsSheet(CMixerView& view, QWidget* parent = nullptr);
    // OK, Cancel and closing all end here: the list goes back to the board either way.
    void done(int result) override;

private:
    CMixerView& m_view;
    zem::board::MixerSettingsSheet m_sheet;
    bool m_finished = false;
};

// The main window's "Mixer settings..." command; nothing happens while no board is open.
void ShowMixerSettings(QWidget* parent);
