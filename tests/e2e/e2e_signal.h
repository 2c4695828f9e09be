// What the end-to-end checks share: reading a recording as mono and the level of one frequency
// in a block of it.
#pragma once

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace e2e {

inline constexpr int kRate = 44100;
inline constexpr double kWindowSeconds = 0.1;

// The 44.1 kHz stereo recording at path, its channels averaged; false (and why, on stderr) when
// it is not one.
inline bool ReadMono(const char* path, std::vector<double>& mono) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path, SFM_READ, &info);
    if (!f) {
        std::fprintf(stderr, "e2e_audio: cannot read %s: %s\n", path, sf_strerror(nullptr));
        return false;
    }
    std::vector<double> frames(static_cast<size_t>(info.frames) * info.channels);
    const sf_count_t got = sf_readf_double(f, frames.data(), info.frames);
    sf_close(f);
    if (info.samplerate != kRate || info.channels != 2 || got != info.frames) {
        std::fprintf(stderr, "e2e_audio: %s: %d Hz, %d channels, %lld of %lld frames read\n", path,
                     info.samplerate, info.channels, static_cast<long long>(got),
                     static_cast<long long>(info.frames));
        return false;
    }
    mono.resize(static_cast<size_t>(got));
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = 0.5 * (frames[2 * i] + frames[2 * i + 1]);
    return true;
}

// Amplitude of one frequency in a Hann-windowed block (Goertzel).
inline double Level(const std::vector<double>& x, size_t begin, size_t n, double hz) {
    const double w = 2 * std::numbers::pi * hz / kRate, coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0, gain = 0;
    for (size_t i = 0; i < n; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / double(n));
        gain += hann;
        const double s = x[begin + i] * hann + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double re = s1 - s2 * std::cos(w), im = s2 * std::sin(w);
    return 2 * std::sqrt(re * re + im * im) / gain;
}

// The level of hz in each window of mono.
inline std::vector<double> Levels(const std::vector<double>& mono, double hz) {
    const auto window = static_cast<size_t>(kWindowSeconds * kRate);
    std::vector<double> levels;
    for (size_t at = 0; at + window <= mono.size(); at += window)
        levels.push_back(Level(mono, at, window, hz));
    return levels;
}

} // namespace e2e
