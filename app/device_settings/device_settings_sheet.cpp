#include "app/device_settings/device_settings_sheet.h"

#include "app/device_settings/settings_page_widgets.h"
#include "app/effects/deck_effects_dialog.h"
#include "app/effects/effect_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

using zem::settings::DeviceSettings;

namespace {

zem::effects::ChooseEffectFn OrChooser(zem::effects::ChooseEffectFn choose, QWidget* parent) {
    if (choose)
        return choose;
    return [parent] { return RunEffectChooser(parent); };
}

} // namespace

CDeviceSettingsSheet::CDeviceSettingsSheet(Mixer& mixer, ZemProfile& profile, QWidget* parent,
                                           zem::effects::ChooseEffectFn choose)
    : QDialog(parent), m_settings(profile, mixer, OrChooser(std::move(choose), this)),
      m_tabs(new QTabWidget) {
    setWindowTitle(zem::settings::kDeviceSettingsTitle);
    for (int page = 0; page < DeviceSettings::kPageCount; ++page) {
        QWidget* widget = nullptr;
        if (page == DeviceSettings::kDSPPage)
            widget = new CDeviceSettingsDSP(m_settings.DSP());
        else if (page == DeviceSettings::kInputPluginsPage)
            widget = BuildInputPluginsPage(m_settings.InputPlugins());
        else
            widget = BuildFieldsPage(*m_settings.FieldsPage(page));
        m_tabs->addTab(widget, DeviceSettings::PageTitle(page));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &CDeviceSettingsSheet::OnTabChanged);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDeviceSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { ApplyNow(); });
    // Every page's tab stays in sight.
    m_tabs->setUsesScrollButtons(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CDeviceSettingsSheet::OnTabChanged(int index) {
    if (index == m_currentTab)
        return;
    if (!m_settings.LeavePage(m_currentTab)) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_currentTab);
        return;
    }
    m_currentTab = index;
}

bool CDeviceSettingsSheet::ApplyNow() {
    int bad = -1;
    if (m_settings.Apply(&bad))
        return true;
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(bad);
    m_currentTab = bad;
    return false;
}

void CDeviceSettingsSheet::accept() {
    if (ApplyNow())
        QDialog::accept();
}

void ShowDeviceSettings(QWidget* parent, Mixer& mixer, ZemProfile& profile) {
    CDeviceSettingsSheet sheet(mixer, profile, parent);
    sheet.exec();
}
