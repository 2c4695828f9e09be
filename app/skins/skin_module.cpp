#include "app/skins/skin_module.h"

#include "platform/library.h"

#include <cstring>
#include <filesystem>

namespace zem::skins {

void* LoadSkinModule(const char* path, SkinModuleInfo& info) {
    std::memset(&info, 0, sizeof info);
    info.module = zem::LoadLibraryPath(path);
    if (!info.module)
        return nullptr;
    auto get = reinterpret_cast<DllGetSkinModuleInfoFunc>(
        zem::GetLibrarySymbol(info.module, "DllGetSkinModuleInfo"));
    if (!get || get(&info) == 0) {
        zem::FreeLibraryHandle(info.module);
        std::memset(&info, 0, sizeof info);
        return nullptr;
    }
    // A layout we cannot read is no layout.
    if (info.placeCount < 0 || (info.placeCount > 0 && !info.places)) {
        info.places = nullptr;
        info.placeCount = 0;
    }
    std::strncpy(info.path, path, sizeof info.path - 1);
    info.path[sizeof info.path - 1] = '\0';
    return info.module;
}

void FreeSkinModule(SkinModuleInfo& info) {
    if (info.path[0] != '\0')
        zem::FreeLibraryHandle(info.module);
    std::memset(&info, 0, sizeof info);
}

bool LoadSkinModuleWithFallback(const std::string& skinFolder, SkinModuleInfo& info) {
    const std::string own = skinFolder + "/" + kSkinModuleName;
    if (LoadSkinModule(own.c_str(), info))
        return true;
    const std::filesystem::path fallback =
        std::filesystem::path(skinFolder).parent_path() / kDefaultSkinName / kSkinModuleName;
    return LoadSkinModule(fallback.c_str(), info) != nullptr;
}

const SkinControlPlace* FindPlace(const SkinModuleInfo& info, int window, int control) {
    for (int32_t i = 0; i < info.placeCount; ++i)
        if (info.places[i].window == window && info.places[i].control == control)
            return &info.places[i];
    return nullptr;
}

} // namespace zem::skins
