#include "app/device_settings/input_plugins.h"

#include "engine/effects/effects_module.h"
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/device_module_info.h"
#include "engine/input_modules/dll_input_buffer_winamp.h"
#include "engine/input_modules/winamp_in_module.h"
#include "engine/mixer/mixer.h"
#include "platform/ui_hooks.h"

#include <memory>

namespace zem::settings {

InputPluginsPage::InputPluginsPage(Mixer& mixer) : m_mixer(mixer) {
    std::vector<DeviceModuleInfo*> infos;
    mixer.GetDeviceModuleInfos(infos);
    for (DeviceModuleInfo* info : infos) {
        const std::string path = info->path;
        const size_t slash = path.find_last_of("/\\");
        const int type = info->type;
        m_entries.push_back(
            {slash == std::string::npos ? path : path.substr(slash + 1), info->description,
             type >= 0 && type < kModuleTypeCount ? ModuleTypeNames[type] : "", info});
    }
    Select(0);
}

void InputPluginsPage::Select(int index) {
    m_selection = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

std::string InputPluginsPage::GetDescription() const {
    return m_selection < 0 ? std::string()
                           : m_entries[static_cast<size_t>(m_selection)].description;
}

void InputPluginsPage::Configure() {
    WithTemporaryBuffer(false);
}

void InputPluginsPage::About() {
    WithTemporaryBuffer(true);
}

void InputPluginsPage::WithTemporaryBuffer(bool about) {
    if (m_selection < 0)
        return;
    std::unique_ptr<DeviceInputBuffer> buffer;
    try {
        buffer.reset(
            m_mixer.CreateDeviceInputBuffer(m_entries[static_cast<size_t>(m_selection)].info));
    } catch (ZEMException& e) {
        zem::ShowMessageBox(e.GetMessage());
        return;
    }
    if (!buffer) {
        zem::ShowMessageBox(kNoSettingsMessage);
        return;
    }
    // The buffer's copy of a Winamp plug-in is the one that has been started, so its own
    // about box is asked, not the registry's.
    if (about) {
        if (auto* winamp = dynamic_cast<DLLInputBuffer_WinAMP*>(buffer.get())) {
            In_Module* module = winamp->GetModuleInfo().winampModule;
            if (module && module->About)
                module->About(nullptr);
            else
                zem::ShowMessageBox(kNoSettingsMessage);
            return;
        }
    }
    if (!buffer->ShowSettings())
        zem::ShowMessageBox(kNoSettingsMessage);
}

} // namespace zem::settings
