// e2e_audio sequence FILE FADE_SECONDS HZ HZ HZ...: the recording of a playlist mixed by itself.
// Each song is one tone, given in the playlist's order. The recording must hold them one after
// the other, each crossfade (both songs heard) as long as FADE_SECONDS, and no silence from the
// first song on. The sequence may go on past the last tone (the list wraps to its first song).
#include "tests/e2e/e2e_signal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A song is heard at a thousandth of its loudest level or more (60 dB down): the crossfader
// moves each side's volume in decibels, so a song fading in stays far below its full level for
// much of the fade, and only this low a threshold sees the whole fade.
constexpr double kHeard = 0.001;
// A set of songs counts once it holds this many windows in a row; shorter runs are the moments
// where one song's level crosses the threshold while the other's does too.
constexpr size_t kMinRun = 3;
constexpr double kFadeTolerance = 0.6;

struct Run {
    unsigned heard; // bit i: tone i is heard
    double start, end;
};

std::string Names(unsigned heard, const std::vector<double>& tones) {
    std::string s;
    for (size_t i = 0; i < tones.size(); ++i)
        if (heard & (1u << i))
            s += (s.empty() ? "" : "+") + std::to_string(static_cast<int>(tones[i]));
    return s.empty() ? "silence" : s;
}

} // namespace

int Sequence(const char* path, double fadeSeconds, const std::vector<double>& tones) {
    std::vector<double> mono;
    if (!e2e::ReadMono(path, mono))
        return 1;
    std::vector<std::vector<double>> levels;
    std::vector<double> peaks;
    for (double hz : tones) {
        levels.push_back(e2e::Levels(mono, hz));
        peaks.push_back(*std::max_element(levels.back().begin(), levels.back().end()));
    }
    const size_t windows = levels.front().size();
    std::vector<unsigned> heard(windows, 0);
    for (size_t w = 0; w < windows; ++w)
        for (size_t i = 0; i < tones.size(); ++i)
            if (peaks[i] > 0 && levels[i][w] >= kHeard * peaks[i])
                heard[w] |= 1u << i;

    std::vector<Run> runs;
    for (size_t i = 0; i < windows;) {
        size_t j = i;
        while (j < windows && heard[j] == heard[i])
            ++j;
        if (j - i >= kMinRun) {
            const double start = double(i) * e2e::kWindowSeconds;
            const double end = double(j) * e2e::kWindowSeconds;
            if (!runs.empty() && runs.back().heard == heard[i])
                runs.back().end = end;
            else
                runs.push_back({heard[i], start, end});
        }
        i = j;
    }

    std::vector<std::string> problems;
    // Silence before the Auto DJ starts and as the program closes its decks at the end.
    while (!runs.empty() && runs.front().heard == 0)
        runs.erase(runs.begin());
    while (!runs.empty() && runs.back().heard == 0)
        runs.pop_back();
    // Expected: tone 0, tones 0+1, tone 1, tones 1+2, tone 2, and on (wrapping).
    const size_t n = tones.size();
    const size_t wanted = 2 * n - 1;
    if (runs.size() < wanted)
        problems.push_back("fewer changes than the playlist has songs and fades");
    for (size_t k = 0; k < runs.size() && k < wanted + 1; ++k) {
        const size_t song = (k / 2) % n, next = (song + 1) % n;
        const unsigned expected = k % 2 == 0 ? 1u << song : (1u << song) | (1u << next);
        if (runs[k].heard != expected) {
            problems.push_back("change " + std::to_string(k) + " was " +
                               Names(runs[k].heard, tones) + ", not " + Names(expected, tones));
            break;
        }
        const double length = runs[k].end - runs[k].start;
        if (k % 2 == 1 && k + 1 < runs.size() && std::abs(length - fadeSeconds) > kFadeTolerance)
            problems.push_back("the fade " + Names(expected, tones) + " lasted " +
                               std::to_string(length) + " s");
    }
    // Not one window of silence from the first song heard to the last.
    const auto first = std::find_if(heard.begin(), heard.end(), [](unsigned h) { return h; });
    const auto last = std::find_if(heard.rbegin(), heard.rend(), [](unsigned h) { return h; });
    for (auto w = first; first != heard.end() && w < last.base(); ++w)
        if (*w == 0) {
            problems.push_back("silence at " +
                               std::to_string(double(w - heard.begin()) * e2e::kWindowSeconds) +
                               " s");
            break;
        }

    std::printf("e2e_audio: %s: %.1f s\n", path, double(mono.size()) / e2e::kRate);
    for (const Run& r : runs)
        std::printf("  %-9s %6.1f - %6.1f s\n", Names(r.heard, tones).c_str(), r.start, r.end);
    for (const std::string& p : problems)
        std::printf("FAIL: %s\n", p.c_str());
    return problems.empty() ? 0 : 1;
}
