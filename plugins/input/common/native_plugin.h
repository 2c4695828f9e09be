// The native input plug-in glue shared by our decoders: the module record, the creation entry
// and the thirteen instance entries around a decoder that reads ahead on its own thread.
#pragma once

#include "engine/input_modules/device_module_info.h"
#include "plugins/input/common/decoder.h"

namespace zemin {

// Fills the module record of a native plug-in (type 1); true, as the probe returns.
bool FillNativeModuleInfo(DeviceModuleInfo* info, const char* description, const char* extensions,
                          CreateInstanceFn create);
// Creates an instance whose LoadFile opens files with open; fills the table as the creation
// entry must. Leaves the instance handle null when it cannot create one.
void CreateNativeInstance(InputModuleTable** table, OpenDecoderFn open);

} // namespace zemin
