#include "app/framework/recent_file_list.h"
#include "app/framework/zem_profile.h"

#include <algorithm>

namespace {

std::string entryKey(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

ZemRecentFileList::ZemRecentFileList(int maxEntries) : m_max(std::max(1, maxEntries)) {}

void ZemRecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (static_cast<int>(m_entries.size()) > m_max)
        m_entries.resize(m_max);
}

void ZemRecentFileList::Remove(int index) {
    if (index >= 0 && index < static_cast<int>(m_entries.size()))
        m_entries.erase(m_entries.begin() + index);
}

void ZemRecentFileList::Load(ZemProfile& profile) {
    m_entries.clear();
    for (int i = 0; i < m_max; ++i) {
        std::string path = profile.GetProfileString(kSection, entryKey(i), "");
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(std::move(path));
    }
}

void ZemRecentFileList::Save(ZemProfile& profile) const {
    for (int i = 0; i < m_max; ++i)
        profile.WriteProfileString(kSection, entryKey(i),
                                   i < static_cast<int>(m_entries.size()) ? m_entries[i] : "");
}

std::string ZemRecentFileList::MenuText(int index) const {
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return {};
    return "&" + std::to_string(index + 1) + " " + m_entries[index];
}
