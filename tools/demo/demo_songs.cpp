// zem-demo-songs: writes a few synthesised demo songs (a kick and hi-hat beat under a bass
// line and chords, each at its own tempo and key) for trying the mixer out. Every song is
// written as WAV, and also as MP3 when libsndfile can encode it.
//
// Usage: zem-demo-songs FOLDER [SECONDS]
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Song {
    const char* name;
    double bpm;
    double rootHz; // the bass line's root
};

const Song kSongs[] = {
    {"demo-120bpm", 120.0, 55.0},
    {"demo-126bpm", 126.0, 61.74},
    {"demo-132bpm", 132.0, 49.0},
};

// A small deterministic noise source, so every run writes the same files.
struct Noise {
    uint32_t state = 12345;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 8388608.0 - 1.0;
    }
};

std::vector<short> Synthesise(const Song& song, double seconds) {
    const size_t frames = static_cast<size_t>(seconds * kRate);
    std::vector<short> pcm(frames * 2);
    const double beat = 60.0 / song.bpm;
    // Root, fourth, fifth, minor third: one bar each.
    const double steps[4] = {1.0, 4.0 / 3.0, 1.5, 1.2};
    Noise noise;
    double hat = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double inBeat = std::fmod(t, beat);
        const int beatNo = static_cast<int>(t / beat);
        const double root = song.rootHz * steps[(beatNo / 4) % 4];
        // Kick: a falling sine with a fast decay on every beat.
        const double kickHz = 50.0 + 100.0 * std::exp(-inBeat * 30.0);
        const double kick = std::sin(2 * kPi * kickHz * inBeat) * std::exp(-inBeat * 9.0);
        // Hi-hat: filtered noise on the off-beat.
        const double off = std::fmod(t + beat / 2, beat);
        hat = 0.6 * hat + 0.4 * noise.Next();
        const double hihat = (noise.Next() - hat) * std::exp(-off * 60.0) * 0.35;
        // Bass on the eighths, a soft chord pad above.
        const double eighth = std::fmod(t, beat / 2);
        const double bass = std::sin(2 * kPi * root * t) * std::exp(-eighth * 6.0) * 0.5;
        const double pad = (std::sin(2 * kPi * root * 4 * t) + std::sin(2 * kPi * root * 5 * t) +
                            std::sin(2 * kPi * root * 6 * t)) *
                           0.05;
        // Fade in and out over two seconds.
        const double edge = std::min(1.0, std::min(t, seconds - t) / 2.0);
        const double left = (0.55 * kick + hihat * 0.8 + bass + pad * 1.2) * edge;
        const double right = (0.55 * kick + hihat * 1.2 + bass + pad * 0.8) * edge;
        pcm[2 * i] = static_cast<short>(std::lround(std::tanh(left) * 26000));
        pcm[2 * i + 1] = static_cast<short>(std::lround(std::tanh(right) * 26000));
    }
    return pcm;
}

bool Write(const std::string& path, int format, const std::vector<short>& pcm) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(pcm.size() / 2);
    const bool ok = sf_writef_short(f, pcm.data(), frames) == frames;
    return sf_close(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: zem-demo-songs FOLDER [SECONDS]\n");
        return 1;
    }
    const std::string folder = argv[1];
    double seconds = 75;
    if (argc == 3) {
        char* end = nullptr;
        seconds = std::strtod(argv[2], &end);
        if (!end || *end || !(seconds >= 5 && seconds <= 1200)) {
            std::fprintf(stderr, "zem-demo-songs: SECONDS must be from 5 to 1200\n");
            return 1;
        }
    }
#ifdef SF_FORMAT_MPEG_LAYER_III
    const int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
#else
    const int mp3 = 0;
#endif
    for (const Song& song : kSongs) {
        const std::vector<short> pcm = Synthesise(song, seconds);
        const std::string wav = folder + "/" + song.name + ".wav";
        if (!Write(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, pcm)) {
            std::fprintf(stderr, "zem-demo-songs: cannot write %s: %s\n", wav.c_str(),
                         sf_strerror(nullptr));
            return 1;
        }
        std::printf("%s\n", wav.c_str());
        const std::string mp3Path = folder + "/" + song.name + ".mp3";
        if (mp3 && Write(mp3Path, mp3, pcm))
            std::printf("%s\n", mp3Path.c_str());
        else if (mp3)
            std::remove(mp3Path.c_str());
    }
    return 0;
}
