#include "app/device_settings/device_settings.h"

#include "platform/ui_hooks.h"

#include <utility>

namespace zem::settings {

namespace {

struct PageInfo {
    const char* title;
    int dialogId;
    int fieldsIndex; // into the profile pages; -1 for the DSP and input plug-ins pages
};

constexpr PageInfo kPages[DeviceSettings::kPageCount] = {
    {"Pitch", 115, 0},   {"Jog wheel", 200, 1},       {"DSP", 199, -1},      {"Playback", 117, 2},
    {"On open", 116, 3}, {"Input plug-ins", 196, -1}, {"Buffering", 217, 4},
};

} // namespace

DeviceSettings::DeviceSettings(ZemProfile& profile, Mixer& mixer,
                               zem::effects::ChooseEffectFn choose)
    : m_profile(profile), m_pages(BuildSettingsPages()), m_dsp(std::move(choose)), m_input(mixer) {
    for (SettingsPage& page : m_pages)
        page.Read(profile);
}

const char* DeviceSettings::PageTitle(int page) {
    return page >= 0 && page < kPageCount ? kPages[page].title : "";
}

int DeviceSettings::PageDialogId(int page) {
    return page >= 0 && page < kPageCount ? kPages[page].dialogId : 0;
}

SettingsPage* DeviceSettings::FieldsPage(int page) {
    if (page < 0 || page >= kPageCount || kPages[page].fieldsIndex < 0)
        return nullptr;
    return &m_pages[static_cast<size_t>(kPages[page].fieldsIndex)];
}

bool DeviceSettings::LeavePage(int page) {
    SettingsPage* fields = FieldsPage(page);
    if (!fields)
        return true;
    if (const auto message = fields->Validate()) {
        zem::ShowMessageBox(message->c_str());
        return false;
    }
    return true;
}

bool DeviceSettings::Apply(int* badPage) {
    for (int page = 0; page < kPageCount; ++page) {
        if (!LeavePage(page)) {
            if (badPage)
                *badPage = page;
            return false;
        }
    }
    for (const SettingsPage& page : m_pages)
        page.Write(m_profile);
    if (!m_dsp.Apply())
        zem::ShowMessageBox("Unable to write the global DSP list!");
    return true;
}

} // namespace zem::settings
