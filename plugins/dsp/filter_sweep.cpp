// A resonant low-pass filter whose cut-off sweeps slowly up and down, the classic build-up
// effect. A state-variable filter in trapezoidal form stays stable while its cut-off moves;
// the coefficients follow the sweep every few frames, which is inaudible and keeps tan() out
// of the per-sample loop.
#include "plugins/dsp/native_effect.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kLowestCutoffHz = 300.0;
constexpr double kHighestCutoffHz = 3000.0;
constexpr double kSweepSeconds = 8.0; // one full down-up-down cycle
constexpr double kQ = 4.0;            // a clear resonance peak without whistling
constexpr unsigned kControlFrames = 32;
constexpr unsigned kMaxChannels = 8;

class FilterSweep {
public:
    bool SetFormat(const WAVEFORMATEX& format, uint32_t) {
        active_ = format.wBitsPerSample == 16 && format.nChannels > 0 &&
                  format.nChannels <= kMaxChannels && format.nSamplesPerSec > 0;
        if (!active_)
            return false;
        channels_ = format.nChannels;
        rate_ = format.nSamplesPerSec;
        phaseStep_ = kControlFrames / (kSweepSeconds * rate_);
        Reset();
        return true;
    }
    void Reset() {
        for (auto& st : state_)
            st = {0.0, 0.0};
        phase_ = 0.0;
        countdown_ = 0;
    }
    void Process(int16_t* s, uint32_t frames) {
        if (!active_)
            return;
        for (uint32_t f = 0; f < frames; ++f, s += channels_) {
            if (countdown_ == 0) {
                UpdateCoefficients();
                countdown_ = kControlFrames;
            }
            --countdown_;
            for (unsigned c = 0; c < channels_; ++c) {
                State& st = state_[c];
                const double v3 = s[c] - st.ic2;
                const double v1 = a1_ * st.ic1 + a2_ * v3;
                const double v2 = st.ic2 + a2_ * st.ic1 + a3_ * v3;
                st.ic1 = 2.0 * v1 - st.ic1;
                st.ic2 = 2.0 * v2 - st.ic2;
                s[c] = zemdsp::Saturate(static_cast<float>(v2));
            }
        }
    }

private:
    struct State {
        double ic1, ic2;
    };

    // The cut-off moves on a logarithmic scale, so the sweep sounds even.
    void UpdateCoefficients() {
        const double position = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * phase_);
        const double cutoff =
            kLowestCutoffHz * std::pow(kHighestCutoffHz / kLowestCutoffHz, position);
        phase_ += phaseStep_;
        if (phase_ >= 1.0)
            phase_ -= 1.0;
        const double g = std::tan(std::numbers::pi * cutoff / rate_);
        const double k = 1.0 / kQ;
        a1_ = 1.0 / (1.0 + g * (g + k));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }

    bool active_ = false;
    unsigned channels_ = 2;
    double rate_ = 44100.0;
    double phase_ = 0.0, phaseStep_ = 0.0;
    unsigned countdown_ = 0;
    double a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    State state_[kMaxChannels] = {};
};

} // namespace

extern "C" ZEM_EXPORT bool DllGetEffectsModuleInfo2(EffectsModuleInfo* info) {
    return zemdsp::FillInfo<FilterSweep>(info, "ZEM Filter Sweep",
                                         "ZEM Resonant filter sweep (300 Hz - 3 kHz, 8 s)", 1);
}
