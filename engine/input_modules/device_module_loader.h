// Loading and releasing input plug-in libraries: the native probe, the Winamp probe, and
// private copies for libraries that keep global state.
#pragma once

#include "contracts/export.h"
#include "engine/input_modules/device_module_info.h"

// Empties the texts and zeroes type, reserved word and both entry pointers, as before a load.
ZEM_EXPORT void ClearDeviceModuleInfo(DeviceModuleInfo& info);

// Loads the library at path (or, with privateCopy, a fresh temporary copy of it) and fills
// info from whichever probe accepts it. Returns the library handle; null when the library
// cannot be loaded or neither probe accepts it (nothing stays loaded then).
ZEM_EXPORT void* LoadDeviceModule(const char* path, DeviceModuleInfo& info, bool privateCopy);

// Releases info.hInstance when info.path is not empty; the path is kept, the handle cleared.
ZEM_EXPORT void FreeDeviceModule(DeviceModuleInfo& info);
