#include "app/effects/effect_chooser.h"

#include "engine/effects/effects_module.h"
#include "platform/files.h"
#include "platform/library.h"

#include <algorithm>

namespace zem::effects {

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

EffectChooser::EffectChooser(const std::string& folder) {
    std::vector<std::string> names =
        zem::ScanDirectory(folder, std::string("*") + zem::kPluginSuffix);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = zem::JoinPath(folder, name);
        // One loaded module per effect, so that each entry can be handed over on its own.
        for (int i = 0;; ++i) {
            DLLEffectsModule* module = LoadEffectsModule(path.c_str());
            if (!module)
                break;
            module->SetEffectIndex(i);
            const char* text = module->GetEffectDescription(-1);
            m_entries.push_back({text ? text : "", module});
            if (i + 1 >= module->GetNumEffects())
                break;
        }
    }
    Select(0);
}

EffectChooser::~EffectChooser() {
    for (Entry& entry : m_entries)
        if (entry.module != m_handedOut)
            delete entry.module;
}

void EffectChooser::Select(int index) {
    m_selection = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

std::string EffectChooser::GetFileName() const {
    if (m_selection < 0)
        return {};
    return FileNameOf(m_entries[static_cast<size_t>(m_selection)].module->GetModulePath());
}

DLLEffectsModule* EffectChooser::Finish(bool ok) {
    m_handedOut =
        ok && m_selection >= 0 ? m_entries[static_cast<size_t>(m_selection)].module : nullptr;
    return m_handedOut;
}

} // namespace zem::effects
