#include "soundrail/resampler.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace soundrail {

namespace {

// Modified Bessel function of the first kind, order 0 (for the Kaiser window).
double BesselI0(double x) {
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 50; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
        if (term < 1e-12 * sum)
            break;
    }
    return sum;
}

std::vector<float> BuildTable() {
    // Cut-off just below half the source rate; a Kaiser window with beta 8 keeps every image
    // of the passband at least 70 dB down beyond the transition band.
    constexpr double kCutoff = 0.45; // cycles per source sample
    constexpr double kBeta = 8.0;
    const double pi = std::acos(-1.0);
    std::vector<float> table(static_cast<size_t>(kPhases + 1) * kTaps);
    const double i0b = BesselI0(kBeta);
    for (int p = 0; p <= kPhases; ++p) {
        const double frac = static_cast<double>(p) / kPhases;
        double row[kTaps];
        double sum = 0.0;
        for (int k = 0; k < kTaps; ++k) {
            // Tap k sits at k - (kHalfTaps - 1) - frac samples from the output instant.
            const double t = k - (kHalfTaps - 1) - frac;
            const double x = 2.0 * kCutoff * t;
            const double sinc = (t == 0.0) ? 1.0 : std::sin(pi * x) / (pi * x);
            const double r = t / (kHalfTaps + 0.5);
            const double w =
                (std::fabs(r) >= 1.0) ? 0.0 : BesselI0(kBeta * std::sqrt(1.0 - r * r)) / i0b;
            row[k] = sinc * w;
            sum += row[k];
        }
        // Unity gain at DC for every phase, so the level does not wobble with the fraction.
        for (int k = 0; k < kTaps; ++k)
            table[static_cast<size_t>(p) * kTaps + k] = static_cast<float>(row[k] / sum);
    }
    return table;
}

} // namespace

const float* KernelTable() {
    static const std::vector<float> table = BuildTable();
    return table.data();
}

void Resampler::Reset() {
    *this = Resampler();
}

// Built twice, for AVX2 and for any x86-64; the loader picks the one the processor runs. Eight
// taps at a time are one AVX2 register (two SSE registers otherwise).
typedef float Float8 __attribute__((vector_size(32)));

#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx2", "default")))
#endif
void InterpolateFrame(const float* a, const float* b, float f, const float* w0, const float* w1,
                      float* out0, float* out1) {
    Float8 acc0 = {}, acc1 = {};
    for (int k = 0; k < kTaps; k += 8) {
        Float8 va, vb, x0, x1;
        std::memcpy(&va, a + k, sizeof va);
        std::memcpy(&vb, b + k, sizeof vb);
        std::memcpy(&x0, w0 + k, sizeof x0);
        std::memcpy(&x1, w1 + k, sizeof x1);
        const Float8 c = va + f * (vb - va);
        acc0 += c * x0;
        acc1 += c * x1;
    }
    *out0 =
        ((acc0[0] + acc0[4]) + (acc0[1] + acc0[5])) + ((acc0[2] + acc0[6]) + (acc0[3] + acc0[7]));
    *out1 =
        ((acc1[0] + acc1[4]) + (acc1[1] + acc1[5])) + ((acc1[2] + acc1[6]) + (acc1[3] + acc1[7]));
}

} // namespace soundrail
