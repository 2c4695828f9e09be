// Skin modules: the library of a skin folder, loaded beside its "skin.cfg", which gives the
// layout of the skinned windows.
#pragma once

#include "contracts/skin_module.h"

#include <string>

namespace zem::skins {

inline constexpr char kSkinModuleName[] = "Skinkit.so";
inline constexpr char kDefaultSkinName[] = "Jog Wheel";
inline constexpr char kDefaultModuleFailedText[] = "Unable to load the default Skinkit.dll!";

// Loads the library at path into info (handle first, then its DllGetSkinModuleInfo). On a
// non-zero answer the path is copied into info and the handle returned; a library without the
// export, or answering 0, is freed again and the result is null.
void* LoadSkinModule(const char* path, SkinModuleInfo& info);
// Frees the library when the record holds a path; the record is cleared.
void FreeSkinModule(SkinModuleInfo& info);

// The module of skinFolder, else the one of the "Jog Wheel" folder beside it; false (info
// empty) when neither loads.
bool LoadSkinModuleWithFallback(const std::string& skinFolder, SkinModuleInfo& info);

// The place of a control in the module's layout; null when the layout does not place it.
const SkinControlPlace* FindPlace(const SkinModuleInfo& info, int window, int control);

} // namespace zem::skins
