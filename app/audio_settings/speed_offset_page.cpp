#include "app/audio_settings/speed_offset_page.h"

#include "app/audio_settings/audio_texts.h"
#include "app/audio_settings/number_text.h"
#include "contracts/soundrail.h"
#include "platform/ui_hooks.h"

namespace zem::audio {

SpeedOffsetPage::SpeedOffsetPage(std::vector<OutputDevice*> devices)
    : m_devices(std::move(devices)), m_selection(m_devices.empty() ? -1 : 0) {}

std::vector<std::string> SpeedOffsetPage::CardNames() const {
    std::vector<std::string> names;
    for (OutputDevice* d : m_devices)
        names.emplace_back(d->GetOutputDeviceName());
    return names;
}

std::string SpeedOffsetPage::FieldText() const {
    if (m_selection < 0)
        return {};
    return FormatSpeedOffset(m_devices[m_selection]->GetSpeedOffset());
}

bool SpeedOffsetPage::Store(const std::string& fieldText) {
    if (m_selection < 0)
        return true;
    float offset = 0.f;
    if (!ParseSpeedOffset(fieldText, offset)) {
        ShowMessageBox(kSpeedOffsetRange);
        return false;
    }
    m_devices[m_selection]->SetSpeedOffset(offset);
    return true;
}

bool SpeedOffsetPage::Select(int index, const std::string& fieldText) {
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return false;
    if (!Store(fieldText))
        return false;
    m_selection = index;
    return true;
}

bool SpeedOffsetPage::Apply(const std::string& fieldText) {
    return Store(fieldText);
}

} // namespace zem::audio
