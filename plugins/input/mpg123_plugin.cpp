// Native input plug-in for MPEG audio (libmpg123).
#include "contracts/export.h"
#include "plugins/input/common/mpg123_decoder.h"
#include "plugins/input/common/native_plugin.h"

namespace {
void CreateInstance(InputModuleTable** table) {
    zemin::CreateNativeInstance(table, zemin::OpenMpg123Decoder);
}
} // namespace

extern "C" ZEM_EXPORT bool DllGetDeviceModuleInfo(DeviceModuleInfo* info) {
    return zemin::FillNativeModuleInfo(info, "MPEG audio layers 2 and 3 (libmpg123)", ".mp3;.mp2;",
                                       CreateInstance);
}
