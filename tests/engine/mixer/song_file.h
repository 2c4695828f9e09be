// Writes a stereo 16-bit WAV of a sine tone with libsndfile, for decks to decode.
#pragma once

#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

inline bool WriteToneWav(const std::string& path, double seconds, double hz = 440.0,
                         double amplitude = 0.5, int rate = 44100) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(seconds * rate);
    std::vector<short> data(static_cast<size_t>(frames) * 2);
    for (sf_count_t i = 0; i < frames; ++i) {
        const short v = static_cast<short>(
            amplitude * 32767.0 * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate));
        data[2 * i] = data[2 * i + 1] = v;
    }
    const bool ok = sf_writef_short(f, data.data(), frames) == frames;
    sf_close(f);
    return ok;
}
