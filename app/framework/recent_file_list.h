// The most-recently-used file list of the File menu: newest first, at most a fixed number of
// entries (8 for the program), persisted in the profile as "Recent File List"/"File1".."FileN".
#pragma once

#include "app/framework/framework_export.h"

#include <string>
#include <vector>

class ZemProfile;

class ZEM_FRAMEWORK_EXPORT ZemRecentFileList {
public:
    static constexpr int kDefaultSize = 8;
    static constexpr const char* kSection = "Recent File List";

    explicit ZemRecentFileList(int maxEntries = kDefaultSize);

    // Puts path first; an entry with the same path moves up instead of appearing twice, and the
    // oldest entry drops off when the list is full. Empty paths are ignored.
    void Add(const std::string& path);
    // Drops entry index (0 = newest); out of range does nothing.
    void Remove(int index);
    const std::vector<std::string>& Entries() const { return m_entries; }
    int MaxEntries() const { return m_max; }

    // Reads "File1".."FileN"; empty or missing keys are skipped, so the list closes up.
    void Load(ZemProfile& profile);
    // Writes every key "File1".."FileN", unused ones empty, so that removals persist.
    void Save(ZemProfile& profile) const;

    // Menu text of entry index: "&1 " and the path for the first, and so on.
    std::string MenuText(int index) const;

private:
    int m_max;
    std::vector<std::string> m_entries;
};
