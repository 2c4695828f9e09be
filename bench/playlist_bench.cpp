// Playlist files and the playlist window's logic at the sizes a large DJ crate reaches:
// loading and saving 10,000 entries, sorting 10,000 rows by each column, adding a folder of
// 1,000 files.
#include "plugins/playlists/formats/playlist_columns.h"
#include "plugins/playlists/formats/playlist_format.h"
#include "plugins/playlists/formats/playlist_paths.h"
#include "tests/platform/test_dir.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace playlists;

namespace {

constexpr int kEntries = 10000;

std::vector<PlaylistEntry> MakeEntries() {
    std::mt19937 random(42);
    std::vector<PlaylistEntry> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        PlaylistEntry& e = entries[static_cast<size_t>(i)];
        const std::string path = "/home/dj/Music/Crate " + std::to_string(i % 40) + "/Artist " +
                                 std::to_string(random() % 5000) + " - Track " + std::to_string(i) +
                                 " (Extended Mix).mp3";
        e.SetPath(path);
        e.bpm = 80.0f + static_cast<float>(random() % 9000) / 100.0f;
        e.totalTime = static_cast<int32_t>(120 + random() % 600);
        e.lastPlayed = random() % 3 == 0 ? 0 : static_cast<int32_t>(1700000000 + random() % 86400);
        e.infoPending = false;
    }
    return entries;
}

} // namespace

static void BM_PlaylistParse10k(benchmark::State& state) {
    const std::string text = FormatPlaylist(InArrayOrder(MakeEntries()));
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePlaylist(text, "/home/dj/Lists/big.zpl"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlaylistParse10k)->Unit(benchmark::kMillisecond);

static void BM_PlaylistRead10k(benchmark::State& state) {
    TestDir dir;
    const std::string file = dir.path() + "/big.zpl";
    std::ofstream(file, std::ios::binary) << FormatPlaylist(InArrayOrder(MakeEntries()));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPlaylist(file));
}
BENCHMARK(BM_PlaylistRead10k)->Unit(benchmark::kMillisecond);

static void BM_PlaylistFormat10k(benchmark::State& state) {
    const auto entries = MakeEntries();
    const auto rows = InArrayOrder(entries);
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatPlaylist(rows));
}
BENCHMARK(BM_PlaylistFormat10k)->Unit(benchmark::kMillisecond);

// With the fsync that keeps the old file safe until the new one is on disk.
static void BM_PlaylistWrite10k(benchmark::State& state) {
    TestDir dir;
    const auto entries = MakeEntries();
    const auto rows = InArrayOrder(entries);
    for (auto _ : state)
        if (!WritePlaylist(dir.path() + "/big.zpl", rows))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_PlaylistWrite10k)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument: the column (0 File, 1 BPM, 2 Total time, 3 Last played).
static void BM_PlaylistSortRows10k(benchmark::State& state) {
    const auto entries = MakeEntries();
    std::vector<int> start(kEntries);
    for (int i = 0; i < kEntries; ++i)
        start[static_cast<size_t>(i)] = i;
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<int> rows = start;
        SortRows(rows, entries, column, true);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_PlaylistSortRows10k)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

static void BM_PlaylistExpandFolder1000(benchmark::State& state) {
    TestDir dir;
    std::filesystem::create_directory(dir.path() + "/crate");
    for (int i = 0; i < 1000; ++i)
        std::ofstream(dir.path() + "/crate/track " + std::to_string(i) + ".mp3") << "x";
    for (auto _ : state) {
        size_t added = 0;
        ExpandPath(dir.path() + "/crate", [&](const std::string&) { ++added; });
        if (added != 1000)
            state.SkipWithError("files missing");
    }
}
BENCHMARK(BM_PlaylistExpandFolder1000)->Unit(benchmark::kMillisecond)->UseRealTime();
