// The "Jog Wheel" skin module: hands the program the layout of the deck window and the mixer
// board. How the controls look comes from the skin folder's skin.cfg.
#include "contracts/export.h"
#include "contracts/skin_module.h"
#include "plugins/skinkit/jog_wheel_layout.h"

#include <cstdio>

extern "C" ZEM_EXPORT int DllGetSkinModuleInfo(SkinModuleInfo* info) {
    if (info == nullptr) {
        return 0;
    }
    info->version = kSkinModuleVersion;
    std::snprintf(info->description, sizeof info->description, "%s", "Jog Wheel skin layout");
    info->places = jog_wheel::kPlaces.data();
    info->placeCount = static_cast<int32_t>(jog_wheel::kPlaces.size());
    return 1;
}
