#include "app/recorder/recording_name.h"

#include "app/framework/zem_profile.h"
#include "engine/foundations/standard_dirs.h"

#include <cstdio>
#include <filesystem>

namespace zem::rec {

std::string DefaultRecordingFolder() {
    return std::string(ZEM_GetZEMPath(0)) + "/Recordings";
}

std::string RecordingFolder(ZemProfile* profile) {
    const std::string fallback = DefaultRecordingFolder();
    if (!profile)
        return fallback;
    const std::string chosen = profile->GetProfileString(kProfileSection, kFolderKey, "");
    return chosen.empty() ? fallback : chosen;
}

std::string RecordingBaseName(const std::tm& t) {
    char text[64];
    std::snprintf(text, sizeof text, "ZEM %04d-%02d-%02d %02d-%02d-%02d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string UniqueRecordingPath(const std::string& folder, const std::tm& local,
                                const std::string& extension) {
    const std::string base = folder + "/" + RecordingBaseName(local);
    std::string path = base + extension;
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec) || ec; ++n) {
        ec.clear();
        path = base + " (" + std::to_string(n) + ")" + extension;
    }
    return path;
}

} // namespace zem::rec
