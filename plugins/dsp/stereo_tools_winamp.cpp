// Three stereo tools behind the Winamp DSP interface: a widener, a +6 dB gain and a channel
// swap. Like most Winamp DSP libraries it keeps its state in globals (the module records and
// whether each effect is running), which is why the host loads a private copy per effect
// object. An effect that is not running leaves the audio alone.
#include "contracts/export.h"
#include "engine/effects/winamp_dsp.h"

#include <cstdint>

namespace {

int16_t Saturate(int32_t v) {
    return static_cast<int16_t>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
}

bool Usable(winampDSPModule* self, short* samples, int numsamples, int bps, int nch) {
    return self->userData && samples && numsamples > 0 && bps == 16 && nch == 2;
}

// Side signal raised by half: mid = L + R and side = L - R, both doubled, so that integer
// arithmetic keeps every sample exact. A mono signal stays as it is.
int Widen(winampDSPModule* self, short* s, int n, int bps, int nch, int) {
    if (!Usable(self, s, n, bps, nch))
        return n;
    for (int i = 0; i < n; ++i, s += 2) {
        const int32_t mid2 = int32_t{s[0]} + s[1];
        const int32_t side2 = (int32_t{s[0]} - s[1]) * 3 / 2;
        s[0] = Saturate((mid2 + side2) / 2);
        s[1] = Saturate((mid2 - side2) / 2);
    }
    return n;
}

int Gain(winampDSPModule* self, short* s, int n, int bps, int nch, int) {
    if (!Usable(self, s, n, bps, nch))
        return n;
    for (int i = 0; i < 2 * n; ++i)
        s[i] = Saturate(int32_t{s[i]} * 2);
    return n;
}

int Swap(winampDSPModule* self, short* s, int n, int bps, int nch, int) {
    if (!Usable(self, s, n, bps, nch))
        return n;
    for (int i = 0; i < n; ++i, s += 2) {
        const short left = s[0];
        s[0] = s[1];
        s[1] = left;
    }
    return n;
}

int Start(winampDSPModule* self) {
    self->userData = self; // non-null: running
    return 0;
}

void Stop(winampDSPModule* self) {
    self->userData = nullptr;
}

char descWiden[] = "ZEM Stereo widener (150%)";
char descGain[] = "ZEM Gain (+6 dB)";
char descSwap[] = "ZEM Channel swap";
char descLibrary[] = "ZEM Stereo tools";

winampDSPModule modules[3] = {
    {descWiden, nullptr, nullptr, nullptr, &Start, &Widen, &Stop, nullptr},
    {descGain, nullptr, nullptr, nullptr, &Start, &Gain, &Stop, nullptr},
    {descSwap, nullptr, nullptr, nullptr, &Start, &Swap, &Stop, nullptr},
};

winampDSPModule* GetModule(int index) {
    return index >= 0 && index < 3 ? &modules[index] : nullptr;
}

winampDSPHeader header = {WINAMP_DSP_HEADER_VERSION, descLibrary, &GetModule};

} // namespace

extern "C" ZEM_EXPORT winampDSPHeader* winampDSPGetHeader2() {
    return &header;
}
