// Waveform summaries: decoding a ten-minute song through its plug-in into a summary, and
// drawing a deck's overview of it (a tick that moves the play mark, and a redraw of the peaks).
#include "app/waveform/wave_decode.h"
#include "app/waveform/wave_overview.h"
#include "app/waveform/wave_summary.h"
#include "engine/input_modules/dll_input_buffer.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kSongSeconds = 600;

// zem_bench lands in <build>/bin, the plug-ins in <build>/run/Plugins.
std::string PluginPath(const char* name) {
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "run" / "Plugins" /
            (std::string(name) + ".so"))
        .string();
}

// A song of two tones under a slow swell, written once per process and removed at its end.
struct Songs {
    std::map<int, std::string> paths;
    ~Songs() {
        std::error_code ec;
        for (const auto& [format, path] : paths)
            fs::remove(path, ec);
    }
};

std::string Song(const char* ext, int format) {
    static Songs songs;
    if (auto it = songs.paths.find(format); it != songs.paths.end())
        return it->second;
    const std::string path =
        (fs::temp_directory_path() / ("zem_wave_bench_" + std::to_string(getpid()) + ext)).string();
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return {};
    std::vector<short> block(2 * 4410);
    for (int64_t at = 0; at < int64_t{kSongSeconds} * 44100; at += 4410) {
        for (int i = 0; i < 4410; ++i) {
            const double t = static_cast<double>(at + i) / 44100.0;
            const double gain = 0.3 + 0.25 * std::sin(2 * M_PI * t / 40.0);
            block[2 * i] = static_cast<short>(gain * 32767 * std::sin(2 * M_PI * 440 * t));
            block[2 * i + 1] = static_cast<short>(gain * 32767 * std::sin(2 * M_PI * 330 * t));
        }
        sf_writef_short(f, block.data(), 4410);
    }
    sf_close(f);
    songs.paths[format] = path;
    return path;
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Summarise(benchmark::State& state, const char* plugin, const char* ext, int format) {
    const std::string path = Song(ext, format);
    if (path.empty()) {
        state.SkipWithError("this libsndfile cannot write the song");
        return;
    }
    std::string module = PluginPath(plugin);
    double cpu = 0;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        DLLInputBuffer buffer(module.data());
        auto summary = std::make_shared<zem::wave::WaveSummary>(0, 0, 0);
        const std::atomic<bool> stop{false};
        if (zem::wave::DecodeSong(buffer, path, summary, stop) != zem::wave::DecodeEnd::kComplete)
            state.SkipWithError("the song did not decode");
        benchmark::DoNotOptimize(summary->BinCount());
        cpu += ProcessCpuSeconds() - start;
    }
    // CPU of the whole process (plug-in's decoder thread and the reader): the one-core figure.
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "zem_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

// A ten-minute summary made in memory, in the overview of a deck window's width.
std::shared_ptr<zem::wave::WaveSummary> TenMinutes() {
    static std::shared_ptr<zem::wave::WaveSummary> summary = [] {
        const int64_t frames = int64_t{kSongSeconds} * 44100;
        std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2);
        for (int64_t i = 0; i < frames; ++i)
            pcm[static_cast<size_t>(2 * i)] = pcm[static_cast<size_t>(2 * i + 1)] =
                static_cast<int16_t>((i * 7919) % 40000 - 20000);
        return zem::wave::SummaryFromSamples(pcm.data(), static_cast<uint64_t>(frames), 2, 44100);
    }();
    return summary;
}

void OverviewTick(benchmark::State& state) {
    App();
    WaveOverview overview;
    overview.resize(584, 40);
    auto summary = TenMinutes();
    overview.ShowSong("song.mp3", summary);
    QImage target(overview.size(), QImage::Format_RGB32);
    zem::wave::OverviewMarks marks;
    for (int i = 0; i < 10; ++i)
        marks.cues[static_cast<size_t>(i)] = i * 2500000;
    marks.loopFrom = 1000000;
    marks.loopTo = 3000000;
    const bool peaks = state.range(0) != 0;
    int64_t play = 0;
    uint64_t tick = 0;
    for (auto _ : state) {
        marks.play = (play += 44100) % static_cast<int64_t>(summary->TotalFrames());
        // Another span every time makes the peaks redraw as well.
        overview.Poll(marks, summary->TotalFrames() - (peaks ? ++tick % 2 : 0));
        overview.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

} // namespace

BENCHMARK_CAPTURE(Summarise, mp3_10min, "ZEM_IN_MPG123", ".mp3",
                  SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(Summarise, wav_10min, "ZEM_IN_SndFile", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
// 0: a display tick (markers over the cached peaks); 1: the peaks drawn again too.
BENCHMARK(OverviewTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
