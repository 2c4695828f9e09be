// A Winamp DSP library whose effects change the number of frames: one halves a block by
// dropping every second frame, one doubles it by repeating each frame, one claims ten times
// the frames it was given and one returns a negative count. Its counters are globals, so each
// private copy counts on its own.
#include "engine/effects/winamp_dsp.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {
int inits, quits, configs;
HWND lastParent;
HINSTANCE lastInstance;

int Init(winampDSPModule* self) {
    ++inits;
    lastParent = self->hwndParent;
    lastInstance = self->hDllInstance;
    return 0;
}
void Quit(winampDSPModule*) {
    ++quits;
}
void Config(winampDSPModule*) {
    ++configs;
}

int Halve(winampDSPModule*, short* s, int n, int, int nch, int) {
    for (int f = 1; f < n / 2 + n % 2; ++f)
        for (int c = 0; c < nch; ++c)
            s[f * nch + c] = s[2 * f * nch + c];
    return n / 2 + n % 2;
}
int Double(winampDSPModule*, short* s, int n, int, int nch, int) {
    for (int f = n - 1; f >= 0; --f)
        for (int c = 0; c < nch; ++c)
            s[(2 * f + 1) * nch + c] = s[(2 * f) * nch + c] = s[f * nch + c];
    return 2 * n;
}
int Claim(winampDSPModule*, short*, int n, int, int, int) {
    return 10 * n;
}
int Negative(winampDSPModule*, short*, int, int, int, int) {
    return -5;
}

char d0[] = "Drop every second frame", d1[] = "Repeat every frame", d2[] = "Claim ten times",
     d3[] = "Negative count", lib[] = "Frame count tests";
winampDSPModule modules[] = {
    {d0, nullptr, nullptr, &Config, &Init, &Halve, &Quit, nullptr},
    {d1, nullptr, nullptr, nullptr, &Init, &Double, &Quit, nullptr},
    {d2, nullptr, nullptr, nullptr, &Init, &Claim, &Quit, nullptr},
    {d3, nullptr, nullptr, nullptr, &Init, &Negative, &Quit, nullptr},
};
winampDSPModule* GetModule(int i) {
    return i >= 0 && i < 4 ? &modules[i] : nullptr;
}
winampDSPHeader header = {WINAMP_DSP_HEADER_VERSION, lib, &GetModule};
} // namespace

EXPORT winampDSPHeader* winampDSPGetHeader2() {
    return &header;
}
EXPORT int fx_test_calls(int which) {
    const int counts[] = {inits, quits, configs};
    return which >= 0 && which < 3 ? counts[which] : -1;
}
EXPORT void* fx_test_handles(int which) {
    return which == 0 ? lastParent : lastInstance;
}
