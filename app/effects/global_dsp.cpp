#include "app/effects/global_dsp.h"

#include "engine/effects/effects_module.h"
#include "engine/effects/global_dsp_list.h"

#include <memory>
#include <utility>

namespace zem::effects {

GlobalDSPList::GlobalDSPList(ChooseEffectFn choose) : m_choose(std::move(choose)) {
    for (const GlobalDSPEntry& stored : ReadGlobalDSPList()) {
        std::unique_ptr<DLLEffectsModule> module(LoadEffectsModule(stored.first.c_str()));
        if (!module)
            continue;
        // A native module answers any index with its one description, so the count decides.
        if (stored.second < 0 || stored.second >= module->GetNumEffects())
            continue;
        const char* text = module->GetEffectDescription(stored.second);
        if (!text)
            continue;
        m_entries.push_back({stored.first, text, stored.second});
    }
    Select(0);
}

void GlobalDSPList::Select(int index) {
    m_selection = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

std::string GlobalDSPList::GetFileName() const {
    return m_selection < 0 ? std::string()
                           : FileNameOf(m_entries[static_cast<size_t>(m_selection)].path);
}

bool GlobalDSPList::Add() {
    std::unique_ptr<DLLEffectsModule> module(m_choose ? m_choose() : nullptr);
    if (!module)
        return false;
    const char* text = module->GetEffectDescription(-1);
    m_entries.push_back({module->GetModulePath(), text ? text : "", module->GetEffectIndex()});
    Select(static_cast<int>(m_entries.size()) - 1);
    return true;
}

bool GlobalDSPList::Remove() {
    if (m_selection < 0)
        return false;
    m_entries.erase(m_entries.begin() + m_selection);
    Select(m_selection < static_cast<int>(m_entries.size()) ? m_selection : m_selection - 1);
    return true;
}

void GlobalDSPList::Settings() {
    if (m_selection < 0)
        return;
    const Entry& entry = m_entries[static_cast<size_t>(m_selection)];
    std::unique_ptr<DLLEffectsModule> module(LoadEffectsModule(entry.path.c_str()));
    if (!module)
        return;
    module->SetEffectIndex(entry.index);
    module->Init();
    module->ShowSettings();
}

bool GlobalDSPList::Apply() const {
    std::vector<GlobalDSPEntry> list;
    for (const Entry& entry : m_entries)
        list.emplace_back(entry.path, entry.index);
    return WriteGlobalDSPList(list);
}

} // namespace zem::effects
