#include "app/effects/deck_effects.h"

#include "engine/deck/mixer_device.h"
#include "engine/effects/effects_module.h"

#include <mutex>
#include <utility>

namespace zem::effects {

DeckEffectList::DeckEffectList(MixerDevice& deck, ChooseEffectFn choose)
    : m_deck(deck), m_choose(std::move(choose)) {
    Fill();
}

void DeckEffectList::Fill() {
    m_entries.clear();
    {
        std::lock_guard<std::recursive_mutex> lock(m_deck.GetEffectsLock());
        for (DLLEffectsModule* module : m_deck.GetDSPEffects()) {
            const char* text = module->GetEffectDescription(-1);
            std::string entry = text ? text : "";
            if (module->GetGlobalStatus())
                entry += kGlobalSuffix;
            m_entries.push_back({std::move(entry), module});
        }
    }
    Select(0);
}

void DeckEffectList::Select(int index) {
    m_selection = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

std::string DeckEffectList::GetFileName() const {
    if (m_selection < 0)
        return {};
    return FileNameOf(m_entries[static_cast<size_t>(m_selection)].module->GetModulePath());
}

bool DeckEffectList::Add() {
    DLLEffectsModule* module = m_choose ? m_choose() : nullptr;
    if (!module)
        return false;
    const bool added = m_deck.AddDSPEffect(module, false);
    Fill();
    return added;
}

bool DeckEffectList::Remove() {
    if (m_selection < 0)
        return false;
    const bool removed = m_deck.RemoveDSPEffect(m_entries[static_cast<size_t>(m_selection)].module);
    Fill();
    return removed;
}

void DeckEffectList::Settings() {
    if (m_selection >= 0)
        m_entries[static_cast<size_t>(m_selection)].module->ShowSettings();
}

} // namespace zem::effects
