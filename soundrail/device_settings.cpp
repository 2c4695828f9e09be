// Assignments and device settings, one INI section per card (by name) in "Soundrail.ini" under
// the general configuration path. Every change is written at once; the file is small and the
// writes are atomic, so a crash never leaves half a configuration.
#include "soundrail/device_core.h"

#include "platform/ini_file.h"

#include <mutex>
#include <string>

namespace soundrail {

namespace {

std::mutex& PathMutex() {
    static std::mutex m;
    return m;
}

std::string& ConfigPath() {
    static std::string path;
    return path;
}

std::string Section(const DeviceCore& d) {
    return "Device " + d.name;
}

int8_t SubChannel(int v) {
    return static_cast<int8_t>(v >= 0 && v <= 3 ? v : 0);
}

} // namespace

std::string SettingsFile() {
    std::lock_guard<std::mutex> lock(PathMutex());
    if (ConfigPath().empty())
        return {};
    return ConfigPath() + "/Soundrail.ini";
}

void LoadDeviceSettings(DeviceCore& d) {
    const std::string file = SettingsFile();
    if (file.empty())
        return;
    const std::string sec = Section(d);
    const char* s = sec.c_str();
    d.disabled.store(zem::ini::GetInt(file, s, "Disabled", 0) != 0);
    d.softwarePlayback.store(zem::ini::GetInt(file, s, "Software Playback", 0) != 0);
    const int rate =
        zem::ini::GetInt(file, s, "Samples Per Second", static_cast<int>(d.rate.load()));
    if (rate >= 8000 && rate <= 192000)
        d.rate.store(static_cast<unsigned>(rate));
    float offset = zem::ini::GetFloat(file, s, "Speed Offset", 0.f);
    if (!(offset >= -10.f && offset <= 10.f))
        offset = 0.f;
    d.speedOffset.store(offset);
    d.headphones.store(SubChannel(zem::ini::GetInt(file, s, "Headphones", 0)));
    d.master.store(SubChannel(zem::ini::GetInt(file, s, "Master", 0)));
    d.sfx.store(SubChannel(zem::ini::GetInt(file, s, "SFX", 0)));
    // One digit per deck channel; anything that is not 0 to 3 counts as unassigned.
    const std::string map = zem::ini::GetString(file, s, "Channels", "");
    for (int c = 0; c < kDeckChannels; ++c) {
        const char ch = c < static_cast<int>(map.size()) ? map[c] : '0';
        d.assignment[c].store(SubChannel(ch >= '0' && ch <= '9' ? ch - '0' : 0));
    }
    d.options = "file=" + zem::ini::GetString(file, s, "Output File", "") +
                "\nrender=" + std::to_string(zem::ini::GetInt(file, s, "Render Mode", 0)) + "\n";
}

void SaveDeviceSettings(const DeviceCore& d, const char* onlyKey) {
    const std::string file = SettingsFile();
    if (file.empty())
        return;
    const std::string sec = Section(d);
    const char* s = sec.c_str();
    auto wanted = [onlyKey](const char* key) { return !onlyKey || std::string(onlyKey) == key; };
    if (wanted("Channels")) {
        std::string map(kDeckChannels, '0');
        for (int c = 0; c < kDeckChannels; ++c)
            map[c] = static_cast<char>('0' + d.assignment[c].load());
        zem::ini::WriteValue(file, s, "Channels", map.c_str());
    }
    if (wanted("Disabled"))
        zem::ini::WriteInt(file, s, "Disabled", d.disabled.load() ? 1 : 0);
    if (wanted("Software Playback"))
        zem::ini::WriteInt(file, s, "Software Playback", d.softwarePlayback.load() ? 1 : 0);
    if (wanted("Samples Per Second"))
        zem::ini::WriteInt(file, s, "Samples Per Second", static_cast<int>(d.rate.load()));
    if (wanted("Speed Offset"))
        zem::ini::WriteFloat(file, s, "Speed Offset", d.speedOffset.load());
    if (wanted("Headphones"))
        zem::ini::WriteInt(file, s, "Headphones", d.headphones.load());
    if (wanted("Master"))
        zem::ini::WriteInt(file, s, "Master", d.master.load());
    if (wanted("SFX"))
        zem::ini::WriteInt(file, s, "SFX", d.sfx.load());
}

} // namespace soundrail

void OutputDevice::SetGeneralConfigPath(const char* path) {
    std::lock_guard<std::mutex> lock(soundrail::PathMutex());
    std::string p = path ? path : "";
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\'))
        p.pop_back();
    soundrail::ConfigPath() = p;
}

namespace soundrail {

void FlushDeviceSettings(DeviceCore& d) {
    if (!d.channelsDirty)
        return;
    d.channelsDirty = false;
    SaveDeviceSettings(d, "Channels");
}

} // namespace soundrail
