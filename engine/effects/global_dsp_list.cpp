#include "engine/effects/global_dsp_list.h"

#include "contracts/private_ini.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string ListFile() {
    const char* iniDir = ZEM_GetZEMPath(3);
    return iniDir ? std::string(iniDir) + "/" + kGlobalDSPFileName : std::string();
}

} // namespace

std::vector<GlobalDSPEntry> ReadGlobalDSPList() {
    std::vector<GlobalDSPEntry> entries;
    const std::string file = ListFile();
    if (file.empty())
        return entries;
    PrivateINI ini(file.c_str());
    const int count = std::min(ini.GetInt(kGlobalDSPGeneralSection, kGlobalDSPCountKey, 0),
                               MixerDevice::kMaxListedEffects);
    for (int i = 0; i < count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, kGlobalDSPEntryKeyFormat, i);
        char value[1024];
        ini.GetString(kGlobalDSPEffectsSection, key, value, "", sizeof value);
        char* bar = std::strchr(value, '|');
        int effect = 0;
        if (bar) {
            *bar = '\0';
            effect = std::atoi(bar + 1);
        }
        if (value[0])
            entries.emplace_back(value, effect);
    }
    return entries;
}

bool WriteGlobalDSPList(const std::vector<GlobalDSPEntry>& entries) {
    const std::string file = ListFile();
    if (file.empty())
        return false;
    PrivateINI ini(file.c_str());
    bool ok = ini.WriteInt(kGlobalDSPGeneralSection, kGlobalDSPCountKey,
                           static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        char key[32];
        std::snprintf(key, sizeof key, kGlobalDSPEntryKeyFormat, static_cast<int>(i));
        const std::string value = entries[i].first + "|" + std::to_string(entries[i].second);
        ok = ini.WriteString(kGlobalDSPEffectsSection, key, value.c_str()) && ok;
    }
    return ok;
}

bool AddToGlobalDSPList(const std::string& file, int effect) {
    std::vector<GlobalDSPEntry> entries = ReadGlobalDSPList();
    const GlobalDSPEntry entry{file, effect};
    if (std::find(entries.begin(), entries.end(), entry) != entries.end())
        return true;
    if (file.empty() || entries.size() >= static_cast<size_t>(MixerDevice::kMaxListedEffects))
        return false;
    entries.push_back(entry);
    return WriteGlobalDSPList(entries);
}

bool RemoveFromGlobalDSPList(const std::string& file, int effect) {
    std::vector<GlobalDSPEntry> entries = ReadGlobalDSPList();
    const auto end = std::remove(entries.begin(), entries.end(), GlobalDSPEntry{file, effect});
    if (end == entries.end())
        return true;
    entries.erase(end, entries.end());
    return WriteGlobalDSPList(entries);
}
