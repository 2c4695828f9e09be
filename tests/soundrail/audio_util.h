// Test audio: generated tones, levels and frequency measurement.
#pragma once

#include "contracts/soundrail.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <vector>

namespace testaudio {

inline WAVEFORMATEX Stereo16(unsigned rate) {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = rate * 4;
    return f;
}

// Interleaved stereo sine, both channels alike.
inline std::vector<int16_t> Sine(double hz, unsigned rate, size_t frames, double amplitude,
                                 size_t phaseFrames = 0) {
    std::vector<int16_t> s(frames * 2);
    const double pi = std::acos(-1.0);
    for (size_t i = 0; i < frames; ++i) {
        const double v = std::lround(amplitude * std::sin(2 * pi * hz * (i + phaseFrames) / rate));
        s[2 * i] = s[2 * i + 1] = static_cast<int16_t>(v);
    }
    return s;
}

// Writes all of pcm into the group through Lock/Unlock; returns the bytes committed.
inline unsigned long Write(OutputGroup& g, const int16_t* pcm, unsigned long bytes) {
    unsigned long len = bytes;
    unsigned char* p = g.Lock(len);
    std::memcpy(p, pcm, len);
    g.Unlock(len);
    return len;
}

// Channel c of interleaved samples with the given channel count.
inline std::vector<double> Channel(const short* s, size_t frames, int channels, int c) {
    std::vector<double> v(frames);
    for (size_t i = 0; i < frames; ++i)
        v[i] = s[i * channels + c];
    return v;
}

inline double Rms(const std::vector<double>& v, size_t from = 0) {
    double sum = 0;
    for (size_t i = from; i < v.size(); ++i)
        sum += v[i] * v[i];
    return v.size() > from ? std::sqrt(sum / (v.size() - from)) : 0.0;
}

inline double Db(double ratio) {
    return 20.0 * std::log10(ratio);
}

// Frequency from the upward zero crossings (interpolated) between from and the end.
inline double Frequency(const std::vector<double>& v, unsigned rate, size_t from = 0) {
    double first = -1, last = -1;
    int count = 0;
    for (size_t i = from + 1; i < v.size(); ++i) {
        if (v[i - 1] < 0 && v[i] >= 0) {
            const double t = (i - 1) + v[i - 1] / (v[i - 1] - v[i]);
            if (first < 0)
                first = t;
            last = t;
            ++count;
        }
    }
    return count > 1 ? (count - 1) * static_cast<double>(rate) / (last - first) : 0.0;
}

// Power spectrum (Blackman-Harris window) of n = 2^k samples, bins 0..n/2.
inline std::vector<double> Spectrum(const std::vector<double>& x) {
    const size_t n = x.size();
    const double pi = std::acos(-1.0);
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = 2 * pi * i / (n - 1);
        const double w =
            0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        a[i] = x[i] * w;
    }
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> wl = std::polar(1.0, -2 * pi / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= wl) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    std::vector<double> p(n / 2 + 1);
    for (size_t i = 0; i <= n / 2; ++i)
        p[i] = std::norm(a[i]);
    return p;
}

} // namespace testaudio
