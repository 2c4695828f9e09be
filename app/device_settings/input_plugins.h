// The input plug-ins page's logic: the input modules registered with the mixer, and their
// settings, reached through a temporary input buffer of the module.
//
// Threads: user-interface thread only.
#pragma once

#include <string>
#include <vector>

class Mixer;
struct DeviceModuleInfo;

namespace zem::settings {

class InputPluginsPage {
public:
    struct Entry {
        std::string fileName;
        std::string description;
        std::string typeName;
        DeviceModuleInfo* info; // the mixer's record
    };

    explicit InputPluginsPage(Mixer& mixer);

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    void Select(int index);
    int GetSelection() const { return m_selection; }
    // The selected module's description; empty when nothing is selected.
    std::string GetDescription() const;

    // The module's settings dialog. A module without one says "No settings...".
    void Configure();
    // A Winamp module's about box; a native module has only its settings dialog.
    void About();

private:
    void WithTemporaryBuffer(bool about);

    Mixer& m_mixer;
    std::vector<Entry> m_entries;
    int m_selection = -1;
};

} // namespace zem::settings
