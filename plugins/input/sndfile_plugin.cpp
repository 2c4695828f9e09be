// Native input plug-in for the files libsndfile decodes.
#include "contracts/export.h"
#include "plugins/input/common/native_plugin.h"
#include "plugins/input/common/sndfile_decoder.h"

namespace {
void CreateInstance(InputModuleTable** table) {
    zemin::CreateNativeInstance(table, zemin::OpenSndfileDecoder);
}
} // namespace

extern "C" ZEM_EXPORT bool DllGetDeviceModuleInfo(DeviceModuleInfo* info) {
    return zemin::FillNativeModuleInfo(info, "WAV, AIFF, FLAC, Ogg Vorbis and Opus (libsndfile)",
                                       ".wav;.aif;.aiff;.flac;.ogg;.oga;.opus;", CreateInstance);
}
