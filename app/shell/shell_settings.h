// The shell's own profile keys, each read with its default at every use. A value out of its
// meaningful range (negative, absurdly large, not a number) reads as the default, so a
// damaged profile never takes the program down.
#pragma once

#include <string>
#include <vector>

class ZemProfile;

namespace zem::shell {

// "Interface"/"Thread priority" 0..3 as the Win32 value the platform layer takes: 0 normal,
// 1 above normal, 2 highest, 3 time-critical (15); any other value is normal.
int ThreadPriorityFromSetting(int setting);

class ShellSettings {
public:
    // The profile must outlive the settings.
    explicit ShellSettings(ZemProfile& profile) : m_profile(profile) {}

    int ThreadPrioritySetting() const;
    void SetThreadPrioritySetting(int setting);
    std::string SkinFile() const;
    void SetSkinFile(const std::string& name);
    bool SkinsEnabled() const;
    void SetSkinsEnabled(bool on);
    bool BackgroundEnabled() const;
    void SetBackgroundEnabled(bool on);
    std::string BackgroundBitmap() const;
    void SetBackgroundBitmap(const std::string& path);
    bool ShowSplash() const;
    void SetShowSplash(bool on);
    std::string OpenFiles() const;
    void ClearOpenFiles();
    std::string Version() const;
    void StoreVersion();
    // The open-file dialog's last filter, counted from 1; 0 is stored as 1.
    int DefaultFilter() const;
    void SetDefaultFilter(int index);
    // Defaults to the directory given (the start directory).
    std::string StartupDirectory(const std::string& current) const;
    void SetStartupDirectory(const std::string& dir);
    // Milliseconds handed to the output library's SetSyncTime.
    unsigned long SyncTime() const;
    void SetSyncTime(unsigned long ms);
    bool TipAtStartUp() const;
    int TipFilePos() const;

private:
    int readFlag(const char* section, const char* key, int def) const;
    ZemProfile& m_profile;
};

// The files recorded at the last exit: every piece followed by ";"; text after the last ";"
// is not a file ("a.mp3;b.mp3" names a.mp3 only). Empty pieces are skipped.
std::vector<std::string> SplitOpenFiles(const std::string& text);

} // namespace zem::shell
