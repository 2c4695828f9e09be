// A native effect that claims far more frames than it was given and counts its entry calls,
// so tests can see what the host called.
#include "engine/effects/zem_dsp_plugin.h"

#include <cstdio>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {
int inits, quits, resets, formats;
uint32_t lastBlockBytes;
int instanceWord;

bool Init(void*) {
    return ++inits, true;
}
void Quit(void*) {
    ++quits;
}
bool SetFormat(void*, WAVEFORMATEX*, uint32_t blockBytes) {
    ++formats;
    lastBlockBytes = blockBytes;
    return true;
}
bool Reset(void*) {
    return ++resets, true;
}
uint32_t ProcessSamples(void*, int16_t*, uint32_t* frames) {
    *frames = 0xFFFFFFF0u;
    return 0xFFFFFFF0u;
}
void Create(ZEM_DSPEntryTable** table) {
    **table = {&instanceWord, &Init, &Quit, &SetFormat, &Reset, &ProcessSamples, nullptr};
}
} // namespace

EXPORT bool DllGetEffectsModuleInfo2(EffectsModuleInfo* info) {
    std::snprintf(info->name, sizeof info->name, "Overreport");
    std::snprintf(info->description, sizeof info->description, "Test frame over-report");
    info->create = &Create;
    return true;
}

// Calls so far: inits, quits, resets, formats; and the last block size given.
EXPORT int fx_test_calls(int which) {
    const int counts[] = {inits, quits, resets, formats, static_cast<int>(lastBlockBytes)};
    return which >= 0 && which < 5 ? counts[which] : -1;
}
