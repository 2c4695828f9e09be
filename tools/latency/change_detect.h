// Reading a latency run back: where the probe's markers stand in the recorded mix, and the
// first sample after a marker at which the deck's sawtooth changed.
//
// The deck plays a sawtooth on the left channel and silence on the right; the probe writes a
// short full-scale marker on the right at the moment each command is given. Any change a
// command makes (level, rate, filtering, position, silence) changes the sawtooth's slope, so
// the first changed sample is the first whose slope departs from the slope before the marker.
#pragma once

#include <cstddef>
#include <vector>

// Frames at which a marker starts (right channel above threshold after being below it).
std::vector<size_t> FindMarkers(const std::vector<short>& right, short threshold);

// The first frame at or after from (and before to) at which left changes from what it did in
// the 20 ms before from; to when it never does.
size_t FirstChange(const std::vector<short>& left, size_t from, size_t to, unsigned rate);

// The first frame at or after from (and before to) that is not silent; to when none is.
size_t FirstSound(const std::vector<short>& left, size_t from, size_t to);
