// The audio half of the end-to-end test: writes the test songs, and reads back what the WAV-file
// device recorded while zem was driven, to tell which deck was heard when.
//   e2e_audio tone FILE HZ SECONDS
//   e2e_audio check FILE CLICK RIGHT FADER
//   e2e_audio sequence FILE FADE_SECONDS HZ HZ HZ... (see e2e_sequence.cpp)
//   e2e_audio level FILE HZ FROM TO: the median level of HZ between two seconds, in dBFS
// The three times are the seconds after zem's start at which deck 0 was started, deck 1 was
// started from the menu, and the crossfader reached its right end.
#include "tests/e2e/e2e_signal.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace {

using e2e::kRate;
using e2e::kWindowSeconds;
constexpr double kToneAmplitude = 0.25;
// A song is present at half its loudest level in the recording or more, and absent at a fiftieth
// (34 dB down) or less: a deck's level depends on its volume setting, which the test leaves as
// the program starts it. Below the floor it was not heard at all.
constexpr double kPresent = 0.5;
constexpr double kAbsent = 0.02;
constexpr double kAudible = 0.001;
// A state counts once it holds this many windows in a row; shorter runs are the moments
// between two states (a ramp, a fader on its way).
constexpr size_t kMinRun = 5;
// How far the file's timeline may drift from the times the script noted: the input's path
// through X and Qt, and the decks' buffers.
constexpr double kTolerance = 1.0;

int Tone(const char* path, double hz, double seconds) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path, SFM_WRITE, &info);
    if (!f) {
        std::fprintf(stderr, "e2e_audio: cannot write %s: %s\n", path, sf_strerror(nullptr));
        return 1;
    }
    const auto frames = static_cast<size_t>(seconds * kRate);
    std::vector<float> data(frames * 2);
    for (size_t i = 0; i < frames; ++i)
        data[2 * i] = data[2 * i + 1] = static_cast<float>(
            kToneAmplitude * std::sin(2 * std::numbers::pi * hz * double(i) / kRate));
    const bool ok = sf_writef_float(f, data.data(), static_cast<sf_count_t>(frames)) ==
                    static_cast<sf_count_t>(frames);
    sf_close(f);
    return ok ? 0 : 1;
}

enum State { kSilence, kOnlyA, kBoth, kOnlyB, kUnclear };
constexpr const char* kStateNames[] = {"silence", "440 only", "both", "660 only", "between"};

State Classify(double a, double peakA, double b, double peakB) {
    const auto on = [](double v, double peak) {
        return v >= kPresent * peak ? 1 : v <= kAbsent * peak ? 0 : -1;
    };
    const int ia = on(a, peakA), ib = on(b, peakB);
    if (ia < 0 || ib < 0)
        return kUnclear;
    return ia ? (ib ? kBoth : kOnlyA) : (ib ? kOnlyB : kSilence);
}

struct Run {
    State state;
    double start, end;
};

int Check(const char* path, const double actions[3]) {
    std::vector<double> mono;
    if (!e2e::ReadMono(path, mono))
        return 1;
    const auto got = static_cast<long long>(mono.size());

    const std::vector<double> a = e2e::Levels(mono, 440), b = e2e::Levels(mono, 660);
    const double peakA = a.empty() ? 0 : *std::max_element(a.begin(), a.end());
    const double peakB = b.empty() ? 0 : *std::max_element(b.begin(), b.end());
    std::vector<State> states;
    for (size_t i = 0; i < a.size(); ++i)
        states.push_back(Classify(a[i], peakA, b[i], peakB));

    // The settled states in the order they came.
    std::vector<Run> runs;
    for (size_t i = 0; i < states.size();) {
        size_t j = i;
        while (j < states.size() && states[j] == states[i])
            ++j;
        if (states[i] != kUnclear && j - i >= kMinRun) {
            const double start = double(i) * kWindowSeconds, end = double(j) * kWindowSeconds;
            if (!runs.empty() && runs.back().state == states[i])
                runs.back().end = end;
            else
                runs.push_back({states[i], start, end});
        }
        i = j;
    }

    std::vector<std::string> problems;
    if (peakA < kAudible || peakB < kAudible)
        problems.push_back("a song was never heard");
    // Silence before the click; deck 0 alone; both at the centre; deck 1 alone at the right
    // end. Silence may follow as the program closes its decks.
    std::vector<Run> core = runs;
    if (!core.empty() && core.back().state == kSilence)
        core.pop_back();
    const State expected[] = {kSilence, kOnlyA, kBoth, kOnlyB};
    bool order = core.size() == std::size(expected);
    for (size_t i = 0; order && i < core.size(); ++i)
        order = core[i].state == expected[i];
    if (!order) {
        problems.push_back("the states were not silence, 440 only, both, 660 only");
    } else {
        // The file starts after zem does, so each change is at most as late in the file as the
        // action was after the start, and the distances between them match.
        double low = 1e9, high = -1e9;
        for (int i = 0; i < 3; ++i) {
            const double offset = actions[i] - core[i + 1].start;
            low = std::min(low, offset);
            high = std::max(high, offset);
            if (offset < -kTolerance)
                problems.push_back(std::string(kStateNames[core[i + 1].state]) + " began at " +
                                   std::to_string(core[i + 1].start) +
                                   " s in the file, after its action at " +
                                   std::to_string(actions[i]) + " s");
        }
        if (high - low > kTolerance)
            problems.push_back("the changes in the file are not as far apart as the actions "
                               "(offsets vary by " +
                               std::to_string(high - low) + " s)");
        if (core[3].end - core[3].start < 1.0)
            problems.push_back("660 only lasted less than a second");
        // At the centre, the default crossfader curve leaves both sides at full volume.
        const auto mean = [](const std::vector<double>& v, const Run& r) {
            const auto from = static_cast<size_t>(std::lround(r.start / kWindowSeconds));
            const auto to = static_cast<size_t>(std::lround(r.end / kWindowSeconds));
            double sum = 0;
            for (size_t i = from; i < to; ++i)
                sum += v[i];
            return sum / double(to - from);
        };
        const double ratioA = mean(a, core[2]) / mean(a, core[1]);
        const double ratioB = mean(b, core[2]) / mean(b, core[3]);
        if (std::abs(ratioA - 1) > 0.1 || std::abs(ratioB - 1) > 0.1)
            problems.push_back("at the centre the songs were at " + std::to_string(ratioA) +
                               " and " + std::to_string(ratioB) + " of their level alone");
    }

    std::printf("e2e_audio: %s: %.1f s; actions at %.2f, %.2f, %.2f s after start; loudest "
                "440 Hz %.4f, 660 Hz %.4f\n",
                path, double(got) / kRate, actions[0], actions[1], actions[2], peakA, peakB);
    for (const Run& r : runs)
        std::printf("  %-9s %6.1f - %6.1f s\n", kStateNames[r.state], r.start, r.end);
    if (problems.empty())
        return 0;
    for (const std::string& p : problems)
        std::printf("FAIL: %s\n", p.c_str());
    std::printf("  time s   440 Hz   660 Hz   state\n");
    for (size_t i = 0; i < states.size(); ++i)
        std::printf("  %6.1f  %7.4f  %7.4f   %s\n", double(i) * kWindowSeconds, a[i], b[i],
                    kStateNames[states[i]]);
    return 1;
}

// The median level of hz, in dB below full scale, over the windows between two seconds of the
// recording; a driver compares two spans to tell what a control did to the sound.
int PrintLevel(const char* path, double hz, double from, double to) {
    std::vector<double> mono;
    if (!e2e::ReadMono(path, mono))
        return 1;
    const std::vector<double> levels = e2e::Levels(mono, hz);
    const auto first = static_cast<size_t>(std::max(0.0, from / kWindowSeconds));
    const auto last = std::min(levels.size(), static_cast<size_t>(to / kWindowSeconds));
    if (first >= last) {
        std::fprintf(stderr, "e2e_audio: %s has no windows between %.1f and %.1f s\n", path, from,
                     to);
        return 1;
    }
    std::vector<double> span(levels.begin() + static_cast<long>(first),
                             levels.begin() + static_cast<long>(last));
    std::nth_element(span.begin(), span.begin() + static_cast<long>(span.size() / 2), span.end());
    std::printf("%.1f\n", 20 * std::log10(std::max(span[span.size() / 2], 1e-9)));
    return 0;
}

} // namespace

// e2e_sequence.cpp
int Sequence(const char* path, double fadeSeconds, const std::vector<double>& tones);

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tone" && argc == 5)
        return Tone(argv[2], std::atof(argv[3]), std::atof(argv[4]));
    if (mode == "check" && argc == 6) {
        const double actions[3] = {std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5])};
        return Check(argv[2], actions);
    }
    if (mode == "sequence" && argc >= 6) {
        std::vector<double> tones;
        for (int i = 4; i < argc; ++i)
            tones.push_back(std::atof(argv[i]));
        return Sequence(argv[2], std::atof(argv[3]), tones);
    }
    if (mode == "level" && argc == 6)
        return PrintLevel(argv[2], std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5]));
    std::fprintf(stderr, "usage: e2e_audio tone FILE HZ SECONDS\n"
                         "       e2e_audio check FILE CLICK RIGHT FADER\n"
                         "       e2e_audio sequence FILE FADE_SECONDS HZ HZ HZ...\n"
                         "       e2e_audio level FILE HZ FROM TO\n");
    return 2;
}
