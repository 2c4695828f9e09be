// The logic of the global DSP page: the effects every newly opened deck loads, edited as a list
// and written back to the global list file on Apply.
//
// Threads: user-interface thread only.
#pragma once

#include "app/effects/effect_chooser.h"

#include <string>
#include <vector>

namespace zem::effects {

class GlobalDSPList {
public:
    struct Entry {
        std::string path;
        std::string description;
        int index;
    };

    // Reads the list file. Entries whose library no longer loads, or whose index names no
    // effect of it, are left out, so the next Apply drops them from the file.
    explicit GlobalDSPList(ChooseEffectFn choose);

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    void Select(int index);
    int GetSelection() const { return m_selection; }
    std::string GetFileName() const;

    // Runs the chooser and appends the chosen effect; false when nothing was chosen.
    bool Add();
    bool Remove();
    // Loads the selected effect on its own just to show its settings.
    void Settings();
    // Rewrites the list file with the entries in order; false when it cannot be written.
    bool Apply() const;

private:
    ChooseEffectFn m_choose;
    std::vector<Entry> m_entries;
    int m_selection = -1;
};

} // namespace zem::effects
