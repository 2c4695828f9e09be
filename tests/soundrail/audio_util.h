// Test audio: generated tones, levels and frequency measurement.
#pragma once

#include "contracts/soundrail.h"

#include <cmath>
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

} // namespace testaudio
