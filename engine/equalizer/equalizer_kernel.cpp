// The equalizer's sample loop. Bit-exact to the defined arithmetic: each band computes, per
// channel and in this order,
//     w  = (x + p6*s0) + p7*s1
//     x' = ((p1*w) + p8*s0) + p9*s1
//     s1 = s0, s0 = w
// in single precision, every operation rounded on its own (the file is built with
// -ffp-contract=off and without any fast-math option). What is vectorised are independent
// computations that the design does one after the other: the left and right channel of a band
// (two lanes of an SSE2 vector), and two bands working on different frames (see RunFiltering).
// Each lane does the same operations in the same order as the plain loop, so the results are
// identical bit for bit.
//
// A pass-through band (boost exactly 1.0, not killed) passes its input on unchanged and only
// moves its state (s1 = s0, s0 = x). Its state after a block therefore depends only on its
// inputs in the block's last two frames: the body of the block runs through the filtering
// bands alone, and the last two frames run through every band, which moves the pass-through
// bands' state exactly as frame-by-frame processing would.
#include "engine/equalizer/equalizer_kernel.h"

#include <cstdint>
#include <cstring>

// SSE2 is the baseline of x86-64. ZEM_EQ_PORTABLE selects the portable code there too (the tests
// build it that way as well, to check it against the reference).
#if defined(__SSE2__) && !defined(ZEM_EQ_PORTABLE)
#define ZEM_EQ_SSE2 1
#include <emmintrin.h>
#endif

namespace zem_eq {
namespace {

constexpr int kMaxBands = 10;

#if defined(ZEM_EQ_SSE2)

using Vec = __m128;

inline Vec Add(Vec a, Vec b) {
    return _mm_add_ps(a, b);
}
inline Vec Mul(Vec a, Vec b) {
    return _mm_mul_ps(a, b);
}
inline Vec Pair(float left, float right) {
    return _mm_setr_ps(left, right, 0.0f, 0.0f);
}
inline float Left(Vec v) {
    return _mm_cvtss_f32(v);
}
inline float Right(Vec v) {
    return _mm_cvtss_f32(_mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 1, 1, 1)));
}

inline Vec LoadFrame(const short* p) {
    int32_t word;
    std::memcpy(&word, p, sizeof word);
    __m128i x = _mm_cvtsi32_si128(word);
    x = _mm_srai_epi32(_mm_unpacklo_epi16(x, x), 16); // sign-extend the two samples
    return _mm_cvtepi32_ps(x);
}

inline Vec LoadLeftOnly(const short* p) {
    return Pair(static_cast<float>(p[0]), 0.0f);
}

// Step 4: limit to -32768.0 .. 32767.0 and convert toward zero. A NaN (possible only with
// nonsensical band settings) is stored as 0.
inline int32_t ToSamples(Vec v) {
    v = _mm_and_ps(v, _mm_cmpord_ps(v, v));
    v = _mm_max_ps(v, _mm_set1_ps(-32768.0f));
    v = _mm_min_ps(v, _mm_set1_ps(32767.0f));
    const __m128i i = _mm_cvttps_epi32(v);
    return _mm_cvtsi128_si32(_mm_packs_epi32(i, i));
}

inline void StoreFrame(short* p, Vec v) {
    const int32_t word = ToSamples(v);
    std::memcpy(p, &word, sizeof word);
}

inline void StoreLeftOnly(short* p, Vec v) {
    p[0] = static_cast<short>(ToSamples(v) & 0xFFFF);
}

#else // portable version: the same operations on two floats

struct Vec {
    float l, r;
};

inline Vec Add(Vec a, Vec b) {
    return {a.l + b.l, a.r + b.r};
}
inline Vec Mul(Vec a, Vec b) {
    return {a.l * b.l, a.r * b.r};
}
inline Vec Pair(float left, float right) {
    return {left, right};
}
inline float Left(Vec v) {
    return v.l;
}
inline float Right(Vec v) {
    return v.r;
}
inline Vec LoadFrame(const short* p) {
    return {static_cast<float>(p[0]), static_cast<float>(p[1])};
}
inline Vec LoadLeftOnly(const short* p) {
    return {static_cast<float>(p[0]), 0.0f};
}

inline short ToSample(float v) {
    if (v != v)
        return 0;
    if (v < -32768.0f)
        v = -32768.0f;
    if (v > 32767.0f)
        v = 32767.0f;
    return static_cast<short>(static_cast<int>(v));
}

inline void StoreFrame(short* p, Vec v) {
    p[0] = ToSample(v.l);
    p[1] = ToSample(v.r);
}
inline void StoreLeftOnly(short* p, Vec v) {
    p[0] = ToSample(v.l);
}

#endif

struct Coefs {
    Vec p1, p6, p7, p8, p9;
};

inline Coefs MakeCoefs(const BandSnapshot& b) {
    return {Pair(b.p1, b.p1), Pair(b.p6, b.p6), Pair(b.p7, b.p7), Pair(b.p8, b.p8),
            Pair(b.p9, b.p9)};
}

// One filtering band on one frame; z0, z1 hold (s0, s2) and (s1, s3).
inline Vec FilterBand(const Coefs& c, Vec x, Vec& z0, Vec& z1) {
    const Vec w = Add(Add(x, Mul(c.p6, z0)), Mul(c.p7, z1));
    const Vec y = Add(Add(Mul(c.p1, w), Mul(c.p8, z0)), Mul(c.p9, z1));
    z1 = z0;
    z0 = w;
    return y;
}

// Whole frames through the N filtering bands, with coefficients and state in locals.
//
// The frames go through the bands in a skewed order: at step i band k filters frame i - kSkew*k,
// taking as its input what band k - 1 gave kSkew steps earlier. Every band still sees its
// frames in order and every frame still passes the bands in order, so each value is computed
// by exactly the same operations on the same operands as frame by frame; only the order in
// which independent operations are issued changes. A frame takes about 15 cycles per band to
// get through (add, add, multiply, add, add) while the processor's out-of-order window holds
// only two or three frames' worth of instructions, so frame by frame the bands of one frame
// mostly wait on each other; in a step of the skewed order they are independent.

#if defined(ZEM_EQ_SSE2)

// SSE2: two bands share each vector, band 2j in lanes 0 and 1 of vector j and band 2j + 1 in
// lanes 2 and 3; each lane computes exactly what it computes alone. For an odd N the last
// vector's upper half is an empty slot with zero coefficients whose lanes are never used. Band
// 2j + 1 takes its input from band 2j in the same vector; with a skew of two steps that value
// is two steps old, so the vector does not wait on itself from one step to the next.
constexpr unsigned long kSkew = 2;

inline Vec Select(Vec mask, Vec yes, Vec no) {
    return _mm_or_ps(_mm_and_ps(mask, yes), _mm_andnot_ps(mask, no));
}

template <int N>
void RunFiltering(const Coefs* c, Vec* z0, Vec* z1, const short* input, short* output,
                  unsigned long frames) {
    constexpr int P = (N + 1) / 2;
    constexpr unsigned long kLag = kSkew * (N - 1); // band N - 1 is this many steps behind
    const Vec zero = _mm_setzero_ps();
    // movelh joins the low halves (left, right) of two per-band vectors.
    Vec C1[P], C6[P], C7[P], C8[P], C9[P], A[P], B[P];
    for (int j = 0; j < P; ++j) {
        const int k = 2 * j, h = 2 * j + 1;
        const bool pair = h < N;
        C1[j] = _mm_movelh_ps(c[k].p1, pair ? c[h].p1 : zero);
        C6[j] = _mm_movelh_ps(c[k].p6, pair ? c[h].p6 : zero);
        C7[j] = _mm_movelh_ps(c[k].p7, pair ? c[h].p7 : zero);
        C8[j] = _mm_movelh_ps(c[k].p8, pair ? c[h].p8 : zero);
        C9[j] = _mm_movelh_ps(c[k].p9, pair ? c[h].p9 : zero);
        A[j] = _mm_movelh_ps(z0[k], pair ? z0[h] : zero);
        B[j] = _mm_movelh_ps(z1[k], pair ? z1[h] : zero);
    }
    // H[i % 2]: the band outputs of step i - 2, replaced by those of step i.
    Vec H[2][P];
    for (int j = 0; j < P; ++j)
        H[0][j] = H[1][j] = zero;

    // One step. In a partial step (filling or draining the pipeline) some bands have no frame;
    // their lanes keep their state and give no output.
    auto step = [&](unsigned long i, Vec* h, bool partial) {
        Vec X[P];
        const Vec frame = (!partial || i < frames) ? LoadFrame(input + 2 * i) : zero;
        X[0] = _mm_shuffle_ps(frame, h[0], _MM_SHUFFLE(1, 0, 1, 0));
        for (int j = 1; j < P; ++j)
            X[j] = _mm_shuffle_ps(h[j - 1], h[j], _MM_SHUFFLE(1, 0, 3, 2));
        for (int j = 0; j < P; ++j) {
            const Vec w = Add(Add(X[j], Mul(C6[j], A[j])), Mul(C7[j], B[j]));
            h[j] = Add(Add(Mul(C1[j], w), Mul(C8[j], A[j])), Mul(C9[j], B[j]));
            if (partial) {
                auto active = [&](int k) {
                    return k < N && i >= kSkew * k && i - kSkew * k < frames ? -1 : 0;
                };
                const int lo = active(2 * j), hi = active(2 * j + 1);
                const Vec mask = _mm_castsi128_ps(_mm_setr_epi32(lo, lo, hi, hi));
                B[j] = Select(mask, A[j], B[j]);
                A[j] = Select(mask, w, A[j]);
            } else {
                B[j] = A[j];
                A[j] = w;
            }
        }
        if (!partial || (i >= kLag && i - kLag < frames)) {
            // Band N - 1 has finished frame i - kLag.
            const Vec last = (N % 2 == 0) ? _mm_movehl_ps(h[P - 1], h[P - 1]) : h[P - 1];
            StoreFrame(output + 2 * (i - kLag), last);
        }
    };

    const unsigned long steps = frames + kLag;
    unsigned long i = 0;
    for (; i < steps && i < kLag; ++i)
        step(i, H[i & 1], true);
    // Steps at which every band has a frame, from an even one and two at a time, so that the
    // compiler knows which half of H each uses and can keep them in registers.
    if ((i & 1) != 0 && i < frames) {
        step(i, H[1], false);
        ++i;
    }
    for (; i + 1 < frames; i += 2) {
        step(i, H[0], false);
        step(i + 1, H[1], false);
    }
    for (; i < steps; ++i)
        step(i, H[i & 1], i >= frames || i < kLag);

    for (int j = 0; j < P; ++j) {
        z0[2 * j] = _mm_movelh_ps(A[j], zero);
        z1[2 * j] = _mm_movelh_ps(B[j], zero);
        if (2 * j + 1 < N) {
            z0[2 * j + 1] = _mm_movehl_ps(zero, A[j]);
            z1[2 * j + 1] = _mm_movehl_ps(zero, B[j]);
        }
    }
}

#else

// Portable: one band at a time, a skew of one step.
template <int N>
void RunFiltering(const Coefs* c, Vec* z0, Vec* z1, const short* input, short* output,
                  unsigned long frames) {
    Vec x[N]; // x[k]: the input of band k at the current step
    for (int k = 0; k < N; ++k)
        x[k] = Pair(0.0f, 0.0f);
    const unsigned long steps = frames + N - 1;
    for (unsigned long i = 0; i < steps; ++i) {
        if (i < frames)
            x[0] = LoadFrame(input + 2 * i);
        // Highest band first, so that x[k + 1] is consumed before band k overwrites it.
        for (int k = N - 1; k >= 0; --k) {
            if (i < static_cast<unsigned long>(k) || i - k >= frames)
                continue;
            const Vec y = FilterBand(c[k], x[k], z0[k], z1[k]);
            if (k == N - 1)
                StoreFrame(output + 2 * (i - k), y);
            else
                x[k + 1] = y;
        }
    }
}

#endif

using Runner = void (*)(const Coefs*, Vec*, Vec*, const short*, short*, unsigned long);
constexpr Runner kRunners[kMaxBands + 1] = {
    nullptr,         RunFiltering<1>, RunFiltering<2>,  RunFiltering<3>,
    RunFiltering<4>, RunFiltering<5>, RunFiltering<6>,  RunFiltering<7>,
    RunFiltering<8>, RunFiltering<9>, RunFiltering<10>,
};

void CopySamples(const short* input, short* output, unsigned long count) {
    if (input != output)
        std::memmove(output, input, count * sizeof(short));
}

} // namespace

void Filter(BandSnapshot* bands, int numBands, const short* input, short* output,
            unsigned long count) {
    if (numBands <= 0) {
        // No band in use: the samples are stored unchanged.
        CopySamples(input, output, count);
        return;
    }
    if (numBands > kMaxBands)
        numBands = kMaxBands;

    const unsigned long frames = (count + 1) / 2; // the last one is half a frame for odd count
    const bool halfFrame = (count & 1) != 0;
    const unsigned long tail = frames < 2 ? frames : 2;
    const unsigned long body = frames - tail; // whole frames

    Vec z0[kMaxBands], z1[kMaxBands];
    for (int k = 0; k < numBands; ++k) {
        z0[k] = Pair(bands[k].s0, bands[k].s2);
        z1[k] = Pair(bands[k].s1, bands[k].s3);
    }

    if (body > 0) {
        Coefs coefs[kMaxBands];
        Vec a[kMaxBands], b[kMaxBands];
        int index[kMaxBands];
        int n = 0;
        for (int k = 0; k < numBands; ++k) {
            if (bands[k].passThrough)
                continue;
            coefs[n] = MakeCoefs(bands[k]);
            a[n] = z0[k];
            b[n] = z1[k];
            index[n] = k;
            ++n;
        }
        if (n == 0) {
            // Every band passes through: int16 -> float -> int16 is exact.
            CopySamples(input, output, 2 * body);
        } else {
            kRunners[n](coefs, a, b, input, output, body);
            for (int i = 0; i < n; ++i) {
                z0[index[i]] = a[i];
                z1[index[i]] = b[i];
            }
        }
    }

    Coefs coefs[kMaxBands];
    for (int k = 0; k < numBands; ++k)
        if (!bands[k].passThrough)
            coefs[k] = MakeCoefs(bands[k]);
    for (unsigned long f = body; f < frames; ++f) {
        const bool half = halfFrame && f == frames - 1;
        Vec x = half ? LoadLeftOnly(input + 2 * f) : LoadFrame(input + 2 * f);
        for (int k = 0; k < numBands; ++k) {
            if (bands[k].passThrough) {
                z1[k] = z0[k];
                z0[k] = x;
            } else {
                x = FilterBand(coefs[k], x, z0[k], z1[k]);
            }
        }
        if (half)
            StoreLeftOnly(output + 2 * f, x);
        else
            StoreFrame(output + 2 * f, x);
    }

    for (int k = 0; k < numBands; ++k) {
        bands[k].s0 = Left(z0[k]);
        bands[k].s2 = Right(z0[k]);
        bands[k].s1 = Left(z1[k]);
        bands[k].s3 = Right(z1[k]);
    }
}

} // namespace zem_eq
