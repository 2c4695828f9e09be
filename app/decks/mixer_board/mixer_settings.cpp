#include "app/decks/mixer_board/mixer_settings.h"

#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/mixer_board.h"
#include "app/decks/mixer_board/settings_store.h"
#include "platform/ini_file.h"

#include <algorithm>
#include <utility>

namespace zem::board {

CentreVolumePage::CentreVolumePage(std::vector<int> volumes) : m_volumes(std::move(volumes)) {
    for (int v : m_volumes)
        m_items.push_back(std::to_string(v));
}

bool CentreVolumePage::Add(const std::string& typed) {
    const int value = zem::ini::ParseLeadingInt(typed, 0);
    // A centre volume of 0 or below leaves the fader curve nothing to scale.
    if (value <= 0 || std::find(m_volumes.begin(), m_volumes.end(), value) != m_volumes.end())
        return false;
    m_volumes.push_back(value);
    m_items.push_back(typed);
    return true;
}

bool CentreVolumePage::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(m_volumes.size()))
        return false;
    m_volumes.erase(m_volumes.begin() + index);
    m_items.erase(m_items.begin() + index);
    return true;
}

MasterVolumePage::MasterVolumePage(MasterVolume& system, SettingsStore& store,
                                   const std::function<void(const char*)>& showMessage)
    : m_store(store) {
    for (const MasterVolumeDevice& d : system.ListDevices()) {
        if (!d.described && showMessage)
            showMessage(kDevCapsError);
        m_entries.push_back({d.described ? d.name : std::string(kUnknownDevice), d.index});
    }
    if (m_entries.empty())
        return;
    const int saved = m_store.GetInt(kMixerSection, kMasterDeviceKey, 0);
    m_selection = 0;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].device == saved)
            m_selection = static_cast<int>(i);
}

void MasterVolumePage::Select(int entry) {
    if (entry >= 0 && entry < static_cast<int>(m_entries.size()))
        m_selection = entry;
}

void MasterVolumePage::Apply() {
    if (m_selection >= 0)
        m_store.WriteInt(kMixerSection, kMasterDeviceKey,
                         m_entries[static_cast<size_t>(m_selection)].device);
}

MixerSettingsSheet::MixerSettingsSheet(MixerBoard& board, MasterVolume& system,
                                       SettingsStore& store,
                                       const std::function<void(const char*)>& showMessage)
    : m_board(board), m_centre(board.GetCentreVolumes()), m_master(system, store, showMessage) {}

const char* MixerSettingsSheet::Title() {
    return kSettingsSheetTitle;
}

void MixerSettingsSheet::Finish(bool ok) {
    if (ok)
        m_master.Apply();
    m_board.SetCentreVolumes(m_centre.GetVolumes());
    if (ok)
        m_board.SaveSettings();
    m_board.BindMasterFader();
}

} // namespace zem::board
