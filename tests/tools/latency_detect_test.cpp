// The latency tool's reading of a recorded mix: markers, and the first changed sample of a
// sawtooth, which a wrap of the sawtooth must not fake.
#include "tools/latency/change_detect.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A sawtooth of period 1000 and peak 16000; from change on, its slope is scaled by gain (or it
// is silent for gain 0).
std::vector<short> Saw(size_t frames, size_t change, double gain) {
    std::vector<short> s(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double v = -16000 + 32.0 * static_cast<double>(i % 1000);
        s[i] = static_cast<short>(i < change ? v : v * gain);
    }
    return s;
}

} // namespace

TEST(LatencyDetect, FindsTheFirstChangedSampleAndIgnoresWraps) {
    // The change lands right after a wrap (frame 3000), then just before one.
    for (const size_t change : {3001ul, 3990ul, 3510ul}) {
        EXPECT_EQ(FirstChange(Saw(8000, change, 0.9), 2000, 8000, 44100), change) << change;
        EXPECT_EQ(FirstChange(Saw(8000, change, 0.0), 2000, 8000, 44100), change) << change;
    }
    // No change: a whole window of wraps and ramps passes.
    EXPECT_EQ(FirstChange(Saw(8000, 8000, 1.0), 2000, 8000, 44100), 8000u);
    // From silence, the first sound.
    std::vector<short> start(8000, 0);
    for (size_t i = 5000; i < start.size(); ++i)
        start[i] = static_cast<short>(-16000 + 32 * (i % 1000));
    EXPECT_EQ(FirstChange(start, 2000, 8000, 44100), 5000u);
}

TEST(LatencyDetect, MarkersStartWhereTheChannelRisesAboveTheThreshold) {
    std::vector<short> right(100, 0);
    right[10] = right[11] = 30000;
    right[50] = 30000;
    right[70] = 15000; // below the threshold: a deck's own sound
    EXPECT_EQ(FindMarkers(right, 20000), (std::vector<size_t>{10, 50}));
}
