// The band set-ups of the deck (as the deck constructs them) and the fader-to-boost rule of the
// equalizer window, applied alike to the equalizer and to the reference.
#pragma once

#include "engine/equalizer/equalizer.h"
#include "reference_equalizer.h"

#include <cmath>

namespace deck {

struct BandSetup {
    float frequency;
    float bandwidth;
};

inline constexpr BandSetup kTenBand[10] = {
    {60, 0.4f},   {100, 0.3f},  {250, 0.2f},    {500, 0.1f},    {1000, 0.1f},
    {2000, 0.1f}, {5000, 0.1f}, {10000, 0.07f}, {14000, 0.02f}, {18000, 0.055f},
};
inline constexpr BandSetup kThreeBand[3] = {{100, 0.4f}, {1500, 0.3f}, {14000, 0.2f}};

// The deck's set-up: rate 44100, every band at boost 1.0, then the band count.
inline void SetUp(Equalizer& eq, const BandSetup* bands, int count) {
    eq.setSR(44100.0f);
    for (int k = 0; k < count; ++k)
        eq.setFreqBoostAndBandWidth(k, bands[k].frequency, 1.0f, bands[k].bandwidth);
    eq.SetNumBands(count);
    eq.SetEnable(true);
}
inline void SetUp(ref::Equalizer& eq, const BandSetup* bands, int count) {
    eq.SetRate(44100.0f);
    for (int k = 0; k < count; ++k)
        eq.Set(k, bands[k].frequency, 1.0f, bands[k].bandwidth);
    eq.count = count;
    eq.enabled = true;
}

// The equalizer window's rule: boost = 10^((2000 - position) * 0.01 * 0.05) for fader positions 0 to 4000.
inline float FaderBoost(int position) {
    return static_cast<float>(std::pow(10.0, (2000 - position) * 0.01 * 0.05));
}

} // namespace deck
