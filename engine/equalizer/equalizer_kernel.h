// The equalizer's sample loop, apart from the class
// so that it works on a private snapshot of the settings. Internal to Devices.
#pragma once

namespace zem_eq {

// One band as the sample loop sees it for one call: its coefficients, whether it passes the
// signal through (boost exactly 1.0 and not killed), and its state, updated in place.
struct BandSnapshot {
    bool passThrough;
    float p1, p6, p7, p8, p9;
    float s0, s1; // left
    float s2, s3; // right
};

// Filters `count` 16-bit values (count > 0) through bands 0 to numBands - 1 in order; input and
// output may be the same buffer. For an odd count the last value is a left sample with a silent
// right partner, and only the left output is stored.
// Pre: the caller's thread owns `bands` (a local snapshot).
void Filter(BandSnapshot* bands, int numBands, const short* input, short* output,
            unsigned long count);

} // namespace zem_eq
