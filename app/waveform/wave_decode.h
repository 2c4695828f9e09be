// Reads a song through an input buffer of its own into a summary, front to back.
#pragma once

#include "app/waveform/wave_summary.h"

#include <atomic>
#include <memory>
#include <string>

class DeviceInputBuffer;

namespace zem::wave {

enum class DecodeEnd {
    kComplete,  // read to the end
    kFailed,    // the song would not open, or its read stopped short; what was read stays
    kAbandoned, // nobody holds the summary any more, or stop was set
};

// A read that ends more than this much before the length the decoder announced has failed
// (the announced length of a compressed song is an estimate).
inline constexpr double kShortReadTolerance = 0.01;
// A decoder that delivers nothing for this long has failed.
inline constexpr unsigned long kStallMs = 10000;

// Opens path in buffer, then fills the summary until the end. buffer must be nobody else's.
DecodeEnd DecodeSong(DeviceInputBuffer& buffer, const std::string& path,
                     const std::weak_ptr<WaveSummary>& summary, const std::atomic<bool>& stop);

} // namespace zem::wave
