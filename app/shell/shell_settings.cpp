#include "app/shell/shell_settings.h"

#include "app/framework/zem_profile.h"
#include "app/shell/shell_texts.h"
#include "platform/thread.h"

namespace zem::shell {

namespace {

// A sync time beyond ten minutes is not a setting anybody made.
constexpr int kMaxSyncTime = 600000;

} // namespace

int ThreadPriorityFromSetting(int setting) {
    switch (setting) {
    case 1:
        return kPriorityAboveNormal;
    case 2:
        return kPriorityHighest;
    case 3:
        return kPriorityTimeCritical;
    default:
        return kPriorityNormal;
    }
}

int ShellSettings::readFlag(const char* section, const char* key, int def) const {
    const int v = m_profile.GetProfileInt(section, key, def);
    return v == 0 || v == 1 ? v : def;
}

int ShellSettings::ThreadPrioritySetting() const {
    const int v = m_profile.GetProfileInt(kInterfaceSection, kThreadPriorityKey, 0);
    return v >= 0 && v <= 3 ? v : 0;
}

void ShellSettings::SetThreadPrioritySetting(int setting) {
    m_profile.WriteProfileInt(kInterfaceSection, kThreadPriorityKey, setting);
}

std::string ShellSettings::SkinFile() const {
    std::string name = m_profile.GetProfileString(kSkinsSection, kSkinFileKey, kDefaultSkin);
    // A name that climbs out of the skins folder is not a skin name.
    if (name.empty() || name.find("..") != std::string::npos)
        return kDefaultSkin;
    return name;
}

void ShellSettings::SetSkinFile(const std::string& name) {
    m_profile.WriteProfileString(kSkinsSection, kSkinFileKey, name.c_str());
}

bool ShellSettings::SkinsEnabled() const {
    return readFlag(kSkinsSection, kSkinsEnabledKey, 1);
}

void ShellSettings::SetSkinsEnabled(bool on) {
    m_profile.WriteProfileInt(kSkinsSection, kSkinsEnabledKey, on ? 1 : 0);
}

bool ShellSettings::BackgroundEnabled() const {
    return readFlag(kSkinsSection, kBackgroundEnabledKey, 1);
}

void ShellSettings::SetBackgroundEnabled(bool on) {
    m_profile.WriteProfileInt(kSkinsSection, kBackgroundEnabledKey, on ? 1 : 0);
}

std::string ShellSettings::BackgroundBitmap() const {
    return m_profile.GetProfileString(kSkinsSection, kBackgroundBitmapKey, kDefaultBackground);
}

void ShellSettings::SetBackgroundBitmap(const std::string& path) {
    m_profile.WriteProfileString(kSkinsSection, kBackgroundBitmapKey, path);
}

bool ShellSettings::ShowSplash() const {
    return readFlag(kStartupSection, kShowSplashKey, 1);
}

void ShellSettings::SetShowSplash(bool on) {
    m_profile.WriteProfileInt(kStartupSection, kShowSplashKey, on ? 1 : 0);
}

std::string ShellSettings::OpenFiles() const {
    return m_profile.GetProfileString(kStartupSection, kOpenFilesKey, kDefaultOpenFiles);
}

void ShellSettings::ClearOpenFiles() {
    m_profile.WriteProfileString(kStartupSection, kOpenFilesKey, "");
}

std::string ShellSettings::Version() const {
    return m_profile.GetProfileString(kStartupSection, kVersionKey, "");
}

void ShellSettings::StoreVersion() {
    m_profile.WriteProfileString(kStartupSection, kVersionKey, kVersion);
}

int ShellSettings::DefaultFilter() const {
    const int v = m_profile.GetProfileInt(kStartupSection, kDefaultFilterKey, 1);
    // No dialog has a thousand filters; anything odd starts at the first.
    return v >= 1 && v <= 1000 ? v : 1;
}

void ShellSettings::SetDefaultFilter(int index) {
    m_profile.WriteProfileInt(kStartupSection, kDefaultFilterKey, index == 0 ? 1 : index);
}

std::string ShellSettings::StartupDirectory(const std::string& current) const {
    return m_profile.GetProfileString(kStartupSection, kStartupDirectoryKey, current);
}

void ShellSettings::SetStartupDirectory(const std::string& dir) {
    m_profile.WriteProfileString(kStartupSection, kStartupDirectoryKey, dir);
}

unsigned long ShellSettings::SyncTime() const {
    const int v = m_profile.GetProfileInt(kMixerSection, kSyncTimeKey, kDefaultSyncTime);
    return static_cast<unsigned long>(v > 0 && v <= kMaxSyncTime ? v : kDefaultSyncTime);
}

void ShellSettings::SetSyncTime(unsigned long ms) {
    m_profile.WriteProfileInt(kMixerSection, kSyncTimeKey, static_cast<int>(ms));
}

bool ShellSettings::TipAtStartUp() const {
    return m_profile.GetProfileInt(kTipSection, kTipStartUpKey, 0) == 0;
}

int ShellSettings::TipFilePos() const {
    const int v = m_profile.GetProfileInt(kTipSection, kTipFilePosKey, 0);
    return v >= 0 ? v : 0;
}

std::vector<std::string> SplitOpenFiles(const std::string& text) {
    std::vector<std::string> files;
    size_t start = 0;
    for (size_t semi; (semi = text.find(';', start)) != std::string::npos; start = semi + 1)
        if (semi > start)
            files.push_back(text.substr(start, semi - start));
    return files;
}

} // namespace zem::shell
