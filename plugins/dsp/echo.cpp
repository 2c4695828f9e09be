// A feedback echo: each repeat comes one delay later and half as loud as the one before. The
// delay line is sized for the deck's format in SetFormat, so processing allocates nothing.
#include "plugins/dsp/native_effect.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kDelaySeconds = 0.375; // a dotted eighth at 120 BPM
constexpr float kFeedback = 0.5f;       // each repeat 6 dB down
constexpr float kWet = 0.5f;            // first repeat 6 dB under the dry signal

class Echo {
public:
    bool SetFormat(const WAVEFORMATEX& format, uint32_t) {
        active_ = format.wBitsPerSample == 16 && format.nChannels > 0 && format.nSamplesPerSec > 0;
        if (!active_)
            return false;
        channels_ = format.nChannels;
        const auto delayFrames =
            static_cast<size_t>(std::lround(kDelaySeconds * format.nSamplesPerSec));
        line_.assign(delayFrames * channels_, 0.0f);
        pos_ = 0;
        return true;
    }
    void Reset() {
        std::fill(line_.begin(), line_.end(), 0.0f);
        pos_ = 0;
    }
    void Process(int16_t* s, uint32_t frames) {
        if (!active_ || line_.empty())
            return;
        const size_t size = line_.size();
        const size_t samples = size_t{frames} * channels_;
        for (size_t i = 0; i < samples; ++i) {
            const float dry = s[i];
            const float delayed = line_[pos_];
            line_[pos_] = dry + kFeedback * delayed;
            if (++pos_ == size)
                pos_ = 0;
            s[i] = zemdsp::Saturate(dry + kWet * delayed);
        }
    }

private:
    bool active_ = false;
    unsigned channels_ = 2;
    std::vector<float> line_; // one delay of interleaved samples
    size_t pos_ = 0;
};

} // namespace

extern "C" ZEM_EXPORT bool DllGetEffectsModuleInfo2(EffectsModuleInfo* info) {
    return zemdsp::FillInfo<Echo>(info, "ZEM Echo", "ZEM Echo (375 ms, feedback 50%)", 1);
}
