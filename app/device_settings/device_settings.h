// The logic of the "Device settings..." sheet: its seven pages in order, checking a page when
// the user leaves it, and writing every page on OK or Apply (Cancel writes nothing).
//
// Threads: user-interface thread only.
#pragma once

#include "app/device_settings/input_plugins.h"
#include "app/device_settings/settings_pages.h"
#include "app/effects/global_dsp.h"

#include <string>
#include <vector>

class Mixer;
class ZemProfile;

namespace zem::settings {

inline constexpr const char kDeviceSettingsTitle[] = "Device settings...";

class DeviceSettings {
public:
    static constexpr int kPageCount = 7;
    static constexpr int kDSPPage = 2;
    static constexpr int kInputPluginsPage = 5;

    // Reads every page from the profile and the global DSP list.
    DeviceSettings(ZemProfile& profile, Mixer& mixer, zem::effects::ChooseEffectFn choose);

    static const char* PageTitle(int page);
    static int PageDialogId(int page);
    // The profile page at a sheet index; null for the DSP and input plug-ins pages.
    SettingsPage* FieldsPage(int page);
    zem::effects::GlobalDSPList& DSP() { return m_dsp; }
    InputPluginsPage& InputPlugins() { return m_input; }

    // False, after the range message, when the page holds a value out of its range.
    bool LeavePage(int page);
    // Checks every page and writes them all. On a bad value nothing is written: the message is
    // shown, the result is false, and badPage (when given) names the page to return to.
    bool Apply(int* badPage = nullptr);

private:
    ZemProfile& m_profile;
    std::vector<SettingsPage> m_pages; // Pitch, Jog wheel, Playback, On open, Buffering
    zem::effects::GlobalDSPList m_dsp;
    InputPluginsPage m_input;
};

} // namespace zem::settings
