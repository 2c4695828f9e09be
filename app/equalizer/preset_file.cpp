#include "app/equalizer/preset_file.h"

#include "app/equalizer/equalizer_ids.h"
#include "engine/foundations/standard_dirs.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zem::eqwin {

namespace {

// A preset holds two short blocks; anything this large is something else.
constexpr long kMaxPresetBytes = 64 * 1024;

bool SoundBandLine(const std::string& line) {
    float frequency = 0, bandwidth = 0, boost = 0;
    int kill = 0;
    if (std::sscanf(line.c_str(), "%f, %f, %f, %d", &frequency, &bandwidth, &boost, &kill) != 4)
        return false;
    return frequency > 0 && bandwidth > 0 && boost > 0;
}

} // namespace

PresetCheck CheckPresetFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return PresetCheck::kMissing;
    if (st.st_size > kMaxPresetBytes)
        return PresetCheck::kNotEqualizer;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return PresetCheck::kMissing;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.find('\0') != std::string::npos)
        return PresetCheck::kNotEqualizer;

    std::istringstream lines(text);
    std::string line;
    bool sound = false;
    while (std::getline(lines, line)) {
        int count = 0;
        if (line.empty() || line[0] != '=' || std::sscanf(line.c_str(), "=%d", &count) != 1)
            continue;
        // The deck only takes blocks of its two equalizers; others it skips, and so do we.
        if (count != 3 && count != 10)
            continue;
        for (int band = 0; band < count; ++band)
            if (!std::getline(lines, line) || !SoundBandLine(line))
                return PresetCheck::kNotEqualizer;
        sound = true;
    }
    return sound ? PresetCheck::kOk : PresetCheck::kNotEqualizer;
}

std::string PresetPath(const std::string& name) {
    const char* folder = ZEM_GetZEMPath(kPresetFolderIndex);
    return std::string(folder ? folder : ".") + "/" + name;
}

} // namespace zem::eqwin
