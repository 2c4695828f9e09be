#include "app/recorder/level_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zem::rec {

LevelMeter::LevelMeter(std::function<unsigned long()> now) : now_(std::move(now)) {}

void LevelMeter::Reset(int channels) {
    channels_ = channels < 1 ? 1 : (channels > kMaxMeterChannels ? kMaxMeterChannels : channels);
    frames_ = 0;
    for (int c = 0; c < kMaxMeterChannels; ++c) {
        peak_[c] = 0;
        squares_[c] = 0;
        clipped_[c] = false;
    }
}

void LevelMeter::Feed(const int16_t* samples, uint64_t frames) {
    bool clippedNow[kMaxMeterChannels] = {};
    for (uint64_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels_; ++c) {
            const int v = samples[i * channels_ + c];
            const int a = std::abs(v);
            if (a > peak_[c])
                peak_[c] = a;
            squares_[c] += static_cast<double>(v) * v;
            // Either end of the 16-bit range counts: the mix was clamped there.
            if (v >= 32767 || v <= -32767)
                clippedNow[c] = true;
        }
    }
    frames_ += frames;
    const unsigned long t = now_();
    for (int c = 0; c < channels_; ++c) {
        if (clippedNow[c]) {
            clipped_[c] = true;
            clipAt_[c] = t;
        }
    }
}

std::array<ChannelLevel, kMaxMeterChannels> LevelMeter::Take() {
    std::array<ChannelLevel, kMaxMeterChannels> levels{};
    const unsigned long t = now_();
    for (int c = 0; c < channels_; ++c) {
        if (frames_ > 0) {
            levels[c].peak = std::min(1.f, peak_[c] / 32767.f);
            levels[c].rms = static_cast<float>(std::sqrt(squares_[c] / frames_) / 32767.0);
        }
        levels[c].clip = clipped_[c] && t - clipAt_[c] < kClipHoldMs;
        peak_[c] = 0;
        squares_[c] = 0;
    }
    frames_ = 0;
    return levels;
}

} // namespace zem::rec
