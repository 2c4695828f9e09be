// Continuous-rate resampler: a windowed-sinc polyphase interpolator (kTaps taps, kPhases
// phases with linear interpolation between neighbouring phases). A step of exactly 1 at a whole
// position passes samples through unchanged, so a group at the card's own rate is bit-exact.
//
// Threads: one instance belongs to one group and runs only on its owner card's callback; it
// never allocates. KernelTable() must be built once before any callback (the manager does).
#pragma once

#include <cstdint>

namespace soundrail {

inline constexpr int kTaps = 32; // a power of two, a multiple of 8
inline constexpr int kHalfTaps = kTaps / 2;
inline constexpr int kPhases = 256;
// Steps (source frames per output frame) are held within these bounds.
inline constexpr double kMinStep = 0.25;
inline constexpr double kMaxStep = 4.0;

// kPhases + 1 rows of kTaps coefficients; row p is the kernel for a fraction p / kPhases.
const float* KernelTable();

// One output frame: the kernel rows a and b (the phases either side of the fraction) blended
// by f, applied to the windows w0 and w1 of the two channels.
void InterpolateFrame(const float* a, const float* b, float f, const float* w0, const float* w1,
                      float* out0, float* out1);

class Resampler {
public:
    static constexpr int kMaxChannels = 2;

    void Reset();
    bool Primed() const { return primed_; }

    // Produces n output frames into out[0] (and out[1] for stereo), gliding the step linearly
    // from its previous value to step over the block. pull(float* frame) supplies the next
    // source frame (one value per channel).
    template <class Pull>
    void Process(int channels, float* const* out, unsigned n, double step, Pull&& pull);

private:
    template <class Pull> void Advance(int channels, Pull& pull);

    // Each channel's last kTaps samples, stored twice so a window is always contiguous.
    float hist_[kMaxChannels][2 * kTaps] = {};
    int head_ = 0;      // index of the oldest sample of the window
    double frac_ = 0.0; // position between window samples kHalfTaps - 1 and kHalfTaps
    double step_ = 1.0; // step at the end of the previous block
    bool primed_ = false;
};

template <class Pull> inline void Resampler::Advance(int channels, Pull& pull) {
    float frame[kMaxChannels] = {0.f, 0.f};
    pull(frame);
    for (int c = 0; c < channels; ++c) {
        hist_[c][head_] = frame[c];
        hist_[c][head_ + kTaps] = frame[c];
    }
    head_ = (head_ + 1) & (kTaps - 1);
}

template <class Pull>
void Resampler::Process(int channels, float* const* out, unsigned n, double step, Pull&& pull) {
    if (step < kMinStep)
        step = kMinStep;
    if (step > kMaxStep)
        step = kMaxStep;
    if (!primed_) {
        // Fill the look-ahead half of the window so the first output is the first source frame.
        for (int i = 0; i <= kHalfTaps; ++i)
            Advance(channels, pull);
        step_ = step;
        primed_ = true;
    }
    const float* table = KernelTable();
    const double dstep = n ? (step - step_) / n : 0.0;
    double s = step_;
    for (unsigned i = 0; i < n; ++i) {
        s += dstep;
        if (frac_ == 0.0 && s == 1.0) {
            for (int c = 0; c < channels; ++c)
                out[c][i] = hist_[c][head_ + kHalfTaps - 1];
        } else {
            const double pos = frac_ * kPhases;
            int p = static_cast<int>(pos);
            if (p >= kPhases)
                p = kPhases - 1;
            const float f = static_cast<float>(pos - p);
            const float* a = table + p * kTaps;
            InterpolateFrame(a, a + kTaps, f, &hist_[0][head_], &hist_[channels > 1 ? 1 : 0][head_],
                             out[0] + i, channels > 1 ? out[1] + i : out[0] + i);
        }
        frac_ += s;
        while (frac_ >= 1.0) {
            frac_ -= 1.0;
            Advance(channels, pull);
        }
    }
    step_ = step;
}

} // namespace soundrail
