#include "app/decks/mixer_board/centre_volumes.h"

#include "engine/foundations/standard_dirs.h"
#include "platform/ini_file.h"

#include <algorithm>
#include <cstdio>

namespace zem::board {

namespace {

std::string VolumeKey(int index) {
    char key[32];
    std::snprintf(key, sizeof key, kCentreVolumeKeyFormat, index);
    return key;
}

} // namespace

std::vector<int> BuiltInCentreVolumes() {
    return {100, 75, 50};
}

std::string CentreVolumeFilePath(const std::string& iniFolder) {
    return iniFolder + "/" + kCentreVolumeFileName;
}

std::string DefaultCentreVolumeFilePath() {
    const char* folder = ZEM_GetZEMPath(3);
    return CentreVolumeFilePath(folder ? folder : ".");
}

std::vector<int> ReadCentreVolumes(const std::string& path) {
    const int count = std::min(
        zem::ini::GetInt(path, kCentreVolumeSection, kCentreVolumeCountKey, 0), kMaxCentreVolumes);
    std::vector<int> volumes;
    for (int i = 0; i < count; ++i) {
        const int v = zem::ini::GetInt(path, kCentreVolumeSection, VolumeKey(i).c_str(), 0);
        if (v > 0)
            volumes.push_back(v);
    }
    return volumes.empty() ? BuiltInCentreVolumes() : volumes;
}

bool WriteCentreVolumes(const std::string& path, const std::vector<int>& volumes) {
    // The whole section goes first, so that keys of a longer earlier list do not linger.
    zem::ini::WriteValue(path, kCentreVolumeSection, nullptr, nullptr);
    bool ok = zem::ini::WriteInt(path, kCentreVolumeSection, kCentreVolumeCountKey,
                                 static_cast<int>(volumes.size()));
    for (size_t i = 0; i < volumes.size(); ++i)
        ok = zem::ini::WriteInt(path, kCentreVolumeSection, VolumeKey(static_cast<int>(i)).c_str(),
                                volumes[i]) &&
             ok;
    return ok;
}

} // namespace zem::board
