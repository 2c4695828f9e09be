// The program's skin: loaded once at start-up with its module, kept until shutdown.
//
// Threads: the user-interface thread.
#pragma once

#include "app/skins/skin.h"
#include "contracts/skin_module.h"

#include <string>

namespace zem::skins {

class ActiveSkin {
public:
    // The skin of folder and its module, falling back to the "Jog Wheel" module; false when
    // no module loads (the skin itself is read either way). An empty folder unloads.
    bool Load(const std::string& folder);
    void Unload();

    const CSkin& Skin() const { return m_skin; }
    const SkinModuleInfo& Module() const { return m_module; }
    bool HasModule() const { return m_module.module != nullptr; }

private:
    CSkin m_skin;
    SkinModuleInfo m_module{};
};

// The one the program's skinned windows draw from.
ActiveSkin& TheSkin();

} // namespace zem::skins
