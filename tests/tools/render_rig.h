// Runs zem-render in a program directory of its own (its Plugins folder links to the build's)
// on songs generated here, and reads back and measures what it wrote.
#pragma once

#include "../platform/test_dir.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

struct Tone {
    double from; // seconds into the song
    double hz;
};

// A stereo song of sine tones: each tone lasts until the next one starts.
inline bool WriteSong(const std::string& path, double seconds, const std::vector<Tone>& tones,
                      double amplitude = 0.5) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(seconds * 44100);
    std::vector<short> data(static_cast<size_t>(frames) * 2);
    double phase = 0;
    for (sf_count_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / 44100;
        double hz = tones.front().hz;
        for (const Tone& tone : tones)
            if (t >= tone.from)
                hz = tone.hz;
        phase += 2 * M_PI * hz / 44100;
        data[2 * i] = data[2 * i + 1] = static_cast<short>(amplitude * 32767 * std::sin(phase));
    }
    const bool ok = sf_writef_short(f, data.data(), frames) == frames;
    sf_close(f);
    return ok;
}

struct Mix {
    std::vector<float> left;
    int rate = 0;
    int channels = 0;
    long long frames = 0;

    // Amplitude of the frequency hz between two times (a Goertzel filter over a Hann window,
    // so that a strong tone elsewhere does not leak into the measurement).
    double Amplitude(double hz, double from, double to) const {
        const size_t a = static_cast<size_t>(from * rate), b = static_cast<size_t>(to * rate);
        if (b > left.size() || a >= b)
            return -1;
        const double w = 2 * M_PI * hz / rate;
        const double c = 2 * std::cos(w);
        double s1 = 0, s2 = 0, weight = 0;
        const double n = static_cast<double>(b - a);
        for (size_t i = a; i < b; ++i) {
            const double hann = 0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(i - a) / n);
            weight += hann;
            const double s0 = hann * left[i] + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
        return 2 * std::sqrt(std::max(power, 0.0)) / weight;
    }
    // The strongest frequency between low and high, in steps of step Hz.
    double Peak(double low, double high, double step, double from, double to) const {
        double best = low, level = -1;
        for (double hz = low; hz <= high; hz += step) {
            const double a = Amplitude(hz, from, to);
            if (a > level) {
                level = a;
                best = hz;
            }
        }
        return best;
    }
};

struct RenderRig {
    TestDir dir;
    std::string out, err;
    int status = -1;

    RenderRig() {
        // The build's plug-ins but the interface plug-ins: those bring Qt, whose few start-up
        // allocations the leak checker reports once the tool unloads it again.
        const std::string plugins = dir.file("Plugins");
        mkdir(plugins.c_str(), 0755);
        for (const auto& entry : std::filesystem::directory_iterator(ZEM_PLUGINS)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("ZEM_GEN_", 0) != 0)
                symlink(entry.path().c_str(), (plugins + "/" + name).c_str());
        }
        // Decks play on their threads; the profile keeps the tool's defaults otherwise.
        std::ofstream(dir.file("ZEM.ini")) << "[Playback]\n";
    }

    std::string Song(const std::string& name, double seconds, const std::vector<Tone>& tones,
                     double amplitude = 0.5) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteSong(path, seconds, tones, amplitude));
        return path;
    }

    std::string File(const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name)) << text;
        return dir.file(name);
    }

    // Runs the tool with args (each already quoted as needed); returns its exit status.
    int Run(const std::string& args) {
        const std::string cmd = "cd '" + dir.path() + "' && ZEM_PROFILE='" + dir.file("ZEM.ini") +
                                "' '" + ZEM_RENDER + "' --home '" + dir.path() + "' --quiet " +
                                args + " >'" + dir.file("stdout.txt") + "' 2>'" +
                                dir.file("stderr.txt") + "'";
        const int raw = std::system(cmd.c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        out = Read(dir.file("stdout.txt"));
        err = Read(dir.file("stderr.txt"));
        return status;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    Mix Load(const std::string& name) const {
        Mix m;
        SF_INFO info{};
        SNDFILE* f = sf_open(dir.file(name).c_str(), SFM_READ, &info);
        if (!f)
            return m;
        m.rate = info.samplerate;
        m.channels = info.channels;
        m.frames = info.frames;
        std::vector<short> data(static_cast<size_t>(info.frames) * info.channels);
        sf_readf_short(f, data.data(), info.frames);
        sf_close(f);
        for (sf_count_t i = 0; i < info.frames; ++i)
            m.left.push_back(data[static_cast<size_t>(i) * info.channels]);
        return m;
    }
};

// The deck's output gain for a crossfader share: volume 100 times the share, in percent
// through the single-precision hundredth, then one decibel per percent below 100.
inline double DeckGain(int share) {
    const long percent =
        static_cast<long>(static_cast<double>(100 * share) * static_cast<double>(0.01f));
    if (percent <= 0)
        return 0;
    return std::pow(10.0, (percent - 100) / 20.0);
}
