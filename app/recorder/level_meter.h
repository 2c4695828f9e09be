// Per-channel peak and RMS of the audio being recorded, and a clip light per channel that
// stays on for two seconds after the last full-scale sample. Levels are of full scale (0..1).
//
// Threads: plain; the recorder guards it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace zem::rec {

inline constexpr int kMaxMeterChannels = 2;
inline constexpr unsigned long kClipHoldMs = 2000;

struct ChannelLevel {
    float peak = 0.f;
    float rms = 0.f;
    bool clip = false;
};

class LevelMeter {
public:
    // now is a millisecond clock (the program's, or a test's).
    explicit LevelMeter(std::function<unsigned long()> now);

    void Reset(int channels);
    // Interleaved 16-bit frames, as they are written.
    void Feed(const int16_t* samples, uint64_t frames);
    // The levels of every channel since the previous Take (silence when nothing came), then
    // starts over. Channels beyond Channels() read silent.
    std::array<ChannelLevel, kMaxMeterChannels> Take();
    int Channels() const { return channels_; }

private:
    std::function<unsigned long()> now_;
    int channels_ = 2;
    uint64_t frames_ = 0;
    int peak_[kMaxMeterChannels] = {};
    double squares_[kMaxMeterChannels] = {};
    bool clipped_[kMaxMeterChannels] = {};
    unsigned long clipAt_[kMaxMeterChannels] = {};
};

} // namespace zem::rec
