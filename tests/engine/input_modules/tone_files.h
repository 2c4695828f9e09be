// Test audio written at test time with libsndfile: tones with a different pitch on every
// channel, and the 16-bit stereo the decoders are expected to deliver for them.
#pragma once

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tones {

constexpr double kPi = 3.14159265358979323846;

// Sample of channel c at frame i, full scale 1.0: a tone per channel, quiet enough that a
// down-mix of six channels cannot clip.
inline double Value(int c, int64_t i, int rate) {
    const double freq = 220.0 * (c + 1) + 37.0 * c;
    return 0.4 * std::sin(2.0 * kPi * freq * static_cast<double>(i) / rate + 0.3 * c);
}

inline int16_t Short(int c, int64_t i, int rate) {
    return static_cast<int16_t>(std::lround(Value(c, i, rate) * 32767.0));
}

struct Tone {
    int rate = 44100;
    int channels = 2;
    int64_t frames = 0;
};

// Writes the tone; format is a libsndfile major|sub format. Integer formats get exactly the
// 16-bit values of Short (shifted up for wider ones); the others get Value as floats.
inline bool Write(const std::string& path, int format, const Tone& t) {
    SF_INFO info{};
    info.samplerate = t.rate;
    info.channels = t.channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const int sub = format & SF_FORMAT_SUBMASK;
    const bool ints = sub == SF_FORMAT_PCM_16 || sub == SF_FORMAT_PCM_24 || sub == SF_FORMAT_PCM_32;
    std::vector<int> iv(static_cast<size_t>(t.channels) * 1024);
    std::vector<float> fv(iv.size());
    for (int64_t at = 0; at < t.frames; at += 1024) {
        const int64_t n = std::min<int64_t>(1024, t.frames - at);
        for (int64_t i = 0; i < n; ++i)
            for (int c = 0; c < t.channels; ++c) {
                const size_t k = static_cast<size_t>(i * t.channels + c);
                iv[k] = static_cast<int>(Short(c, at + i, t.rate)) * 65536;
                fv[k] = static_cast<float>(Value(c, at + i, t.rate));
            }
        if (ints)
            sf_writef_int(f, iv.data(), n);
        else
            sf_writef_float(f, fv.data(), n);
    }
    return sf_close(f) == 0;
}

// The stereo frame the decoders should produce for frame i (before any coding loss).
inline void Expected(const Tone& t, int64_t i, double& l, double& r) {
    if (t.channels == 1) {
        l = r = Short(0, i, t.rate);
        return;
    }
    double extra = 0;
    for (int c = 2; c < t.channels; ++c)
        extra += Short(c, i, t.rate);
    const double norm = 1.0 / (1.0 + 0.5 * (t.channels - 2));
    l = (Short(0, i, t.rate) + 0.5 * extra) * norm;
    r = (Short(1, i, t.rate) + 0.5 * extra) * norm;
}

// Largest difference and the error energy relative to the signal's, over frames
// [first, first + count) of the decoded stereo pcm that starts at frame `offset`.
struct Match {
    double maxDiff = 0;
    double errorRatio = 0; // error energy / signal energy
};

inline Match Compare(const Tone& t, const std::vector<int16_t>& pcm, int64_t offset,
                     int64_t skip = 0) {
    Match m;
    double err = 0, sig = 0;
    const int64_t frames = static_cast<int64_t>(pcm.size() / 2);
    for (int64_t i = skip; i < frames; ++i) {
        double l, r;
        Expected(t, offset + i, l, r);
        const double dl = pcm[2 * i] - l, dr = pcm[2 * i + 1] - r;
        m.maxDiff = std::max({m.maxDiff, std::fabs(dl), std::fabs(dr)});
        err += dl * dl + dr * dr;
        sig += l * l + r * r;
    }
    m.errorRatio = sig > 0 ? err / sig : 0;
    return m;
}

} // namespace tones
