// The logic of a deck's effect list dialog: the deck's effect chain as the user sees it, and
// adding, removing and configuring its effects.
//
// Threads: user-interface thread. The deck's playback thread walks the same chain under the
// deck's effects lock, so the chain is only read under that lock and only changed through the
// deck's own operations, which take it.
#pragma once

#include "app/effects/effect_chooser.h"

#include <string>
#include <vector>

class DLLEffectsModule;
class MixerDevice;

namespace zem::effects {

inline constexpr const char kGlobalSuffix[] = " (Global)";

class DeckEffectList {
public:
    struct Entry {
        std::string text;
        DLLEffectsModule* module; // the deck's
    };

    DeckEffectList(MixerDevice& deck, ChooseEffectFn choose);

    // Rebuilds the list from the deck's chain, in chain order; selects the first entry.
    void Fill();
    const std::vector<Entry>& GetEntries() const { return m_entries; }
    void Select(int index);
    int GetSelection() const { return m_selection; }
    // File name of the selected effect's library; empty when nothing is selected.
    std::string GetFileName() const;

    // Runs the chooser and puts the chosen effect on this deck only; false when nothing was
    // chosen.
    bool Add();
    // Takes the selected effect off the deck (the deck deletes it).
    bool Remove();
    // The selected effect's own settings.
    void Settings();

private:
    MixerDevice& m_deck;
    ChooseEffectFn m_choose;
    std::vector<Entry> m_entries;
    int m_selection = -1;
};

} // namespace zem::effects
