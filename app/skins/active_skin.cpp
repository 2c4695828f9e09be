#include "app/skins/active_skin.h"

#include "app/skins/skin_module.h"

namespace zem::skins {

bool ActiveSkin::Load(const std::string& folder) {
    Unload();
    if (folder.empty())
        return false;
    m_skin.Load(folder);
    return LoadSkinModuleWithFallback(folder, m_module);
}

void ActiveSkin::Unload() {
    m_skin.Clear();
    FreeSkinModule(m_module);
}

ActiveSkin& TheSkin() {
    static ActiveSkin skin;
    return skin;
}

} // namespace zem::skins
