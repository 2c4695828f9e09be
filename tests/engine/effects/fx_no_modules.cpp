// A Winamp DSP library whose header offers no module at all.
#include "engine/effects/winamp_dsp.h"

namespace {
winampDSPModule* GetModule(int) {
    return nullptr;
}
char description[] = "Empty DSP library";
winampDSPHeader header = {WINAMP_DSP_HEADER_VERSION, description, &GetModule};
} // namespace

extern "C" __attribute__((visibility("default"))) winampDSPHeader* winampDSPGetHeader2() {
    return &header;
}
