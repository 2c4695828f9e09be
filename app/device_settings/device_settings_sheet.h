// The modal "Device settings..." sheet: one tab per page over zem::settings::DeviceSettings.
#pragma once

#include "app/device_settings/device_settings.h"

#include <QDialog>

class Mixer;
class QTabWidget;
class ZemProfile;

class CDeviceSettingsSheet : public QDialog {
    Q_OBJECT
public:
    // choose defaults to the modal effect chooser.
    CDeviceSettingsSheet(Mixer& mixer, ZemProfile& profile, QWidget* parent = nullptr,
                         zem::effects::ChooseEffectFn choose = {});
    zem::settings::DeviceSettings& Settings() { return m_settings; }
    QTabWidget* Tabs() const { return m_tabs; }
    // OK runs only once every page holds good values.
    void accept() override;
    // Writes every page; on a bad value shows its page and writes nothing.
    bool ApplyNow();

private:
    void OnTabChanged(int index);

    zem::settings::DeviceSettings m_settings;
    QTabWidget* m_tabs;
    int m_currentTab = 0;
};

// The main window's "&Device settings..." command.
void ShowDeviceSettings(QWidget* parent, Mixer& mixer, ZemProfile& profile);
