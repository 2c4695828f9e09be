// The effect chooser's logic: every effect the plug-in folder offers, each with a loaded module
// of its own, and the one the user picks.
//
// Threads: user-interface thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

class DLLEffectsModule;

namespace zem::effects {

// Runs a chooser and returns the chosen module (the caller owns it), or null when the user
// cancelled or nothing was offered. Dialogs take one so that tests can answer for the user.
using ChooseEffectFn = std::function<DLLEffectsModule*()>;

// The part of a path after its last "/" or "\".
std::string FileNameOf(const std::string& path);

class EffectChooser {
public:
    struct Entry {
        std::string text;
        DLLEffectsModule* module;
    };

    // Scans folder for plug-in libraries, in name order; files that are no effect plug-in are
    // left out. The first entry is selected.
    explicit EffectChooser(const std::string& folder);
    // Deletes every module that was not handed to the caller.
    ~EffectChooser();
    EffectChooser(const EffectChooser&) = delete;
    EffectChooser& operator=(const EffectChooser&) = delete;

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    // An index outside the list selects nothing.
    void Select(int index);
    int GetSelection() const { return m_selection; }
    // File name of the selected module; empty when nothing is selected.
    std::string GetFileName() const;
    // OK hands the selected module over (null when none); Cancel hands nothing.
    DLLEffectsModule* Finish(bool ok);

private:
    std::vector<Entry> m_entries;
    int m_selection = -1;
    DLLEffectsModule* m_handedOut = nullptr;
};

} // namespace zem::effects
