// Soak: 1 000 songs back to back through the Auto DJ and the fake decks on an accelerated clock
// (50 ms steps, the window timer's pace). Fails the run when a row is opened other than once,
// more than two decks are open, the set falls silent or the crossfader stays between the sides.
#include "tests/plugins/playlists/auto_dj/fake_decks.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using playlists::fake::AutoDjRig;
using playlists::fake::Song;

constexpr int kSongs = 1000;
constexpr unsigned long kStepMs = 50;

std::vector<std::string> SongPaths() {
    std::vector<std::string> paths;
    for (int i = 0; i < kSongs; ++i)
        paths.push_back("/music/song" + std::to_string(i) + ".mp3");
    return paths;
}

// Returns an empty string when the pass went right, else what went wrong.
std::string OnePass(unsigned long& simulatedMs) {
    AutoDjRig rig(SongPaths());
    for (int i = 0; i < kSongs; ++i) // 1 to 5 minutes, some with cue 9 set
        rig.decks.SetSong("/music/song" + std::to_string(i) + ".mp3",
                          Song{60000ul + (i * 7919ul) % 240000ul, i % 5 == 0 ? 40000ul : 0ul});
    rig.decks.SetLateness(20);
    rig.autoDj.Toggle();
    const unsigned long fadeMs = 7000;
    unsigned long offCentreMs = 0;
    // The last row is opened when the 999th song ends; the pass ends when row 0 comes again.
    while (rig.playlist.OpenedRows().size() <= static_cast<size_t>(kSongs)) {
        rig.Run(kStepMs, kStepMs);
        if (rig.decks.DeckCount() > 2)
            return "more than two decks open";
        if (rig.decks.PlayingCount() < 1)
            return "silent at " + std::to_string(rig.decks.Now()) + " ms";
        offCentreMs = std::fabs(rig.decks.Fader()) < 1.0 - 1e-9 ? offCentreMs + kStepMs : 0;
        if (offCentreMs > fadeMs + 2 * kStepMs)
            return "crossfader stuck at " + std::to_string(rig.decks.Fader());
        if (rig.decks.Now() > int64_t(kSongs) * 300000)
            return "the set does not move on";
    }
    std::vector<int> opens(kSongs, 0);
    const std::vector<int>& rows = rig.playlist.OpenedRows();
    for (size_t i = 0; i < static_cast<size_t>(kSongs); ++i)
        ++opens.at(static_cast<size_t>(rows[i]));
    for (int row = 0; row < kSongs; ++row)
        if (opens[static_cast<size_t>(row)] != 1)
            return "row " + std::to_string(row) + " opened " +
                   std::to_string(opens[static_cast<size_t>(row)]) + " times";
    simulatedMs = static_cast<unsigned long>(rig.decks.Now());
    return {};
}

void BM_AutoDjSoak1000Songs(benchmark::State& state) {
    unsigned long simulatedMs = 0;
    for (auto _ : state) {
        const std::string error = OnePass(simulatedMs);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.counters["time_per_song"] =
        benchmark::Counter(double(kSongs) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
    state.counters["set_hours"] = double(simulatedMs) / 3.6e6;
}
BENCHMARK(BM_AutoDjSoak1000Songs)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
