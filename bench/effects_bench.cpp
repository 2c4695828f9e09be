// The cost of each of our DSP effects on one deck block of 15,000 bytes (3750 stereo frames,
// 85 ms of audio at 44100 Hz), loaded through the engine's loader from the plug-ins folder the
// build puts next to this program. realtime_x is seconds of audio processed per second.
#include "engine/effects/effects_module.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kBlockBytes = 15000;
constexpr uint32_t kFrames = kBlockBytes / 4;
constexpr double kBlockSeconds = kFrames / 44100.0;

std::string PluginPath(const char* file) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path().parent_path() / "run" / "Plugins" / file).string();
}

// Ten seconds of a bass line, a lead tone and some noise, different on each side.
const std::vector<int16_t>& Music() {
    static const std::vector<int16_t> music = [] {
        std::vector<int16_t> s(2 * 441000);
        std::mt19937 noise(7);
        std::uniform_real_distribution<double> hiss(-600.0, 600.0);
        for (size_t f = 0; f < s.size() / 2; ++f) {
            const double t = static_cast<double>(f) / 44100.0;
            const double bass = 9000.0 * std::sin(2 * std::numbers::pi * 55.0 * t);
            const double lead = 5000.0 * std::sin(2 * std::numbers::pi * 880.0 * t);
            s[2 * f] = static_cast<int16_t>(bass + lead + hiss(noise));
            s[2 * f + 1] = static_cast<int16_t>(bass - 0.5 * lead + hiss(noise));
        }
        return s;
    }();
    return music;
}

void RunEffect(benchmark::State& state, const char* file, int index) {
    std::unique_ptr<DLLEffectsModule> m(LoadEffectsModule(PluginPath(file).c_str()));
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    if (!m || !m->SetEffectIndex(index) || !m->Init() || !m->SetFormat(&format, kBlockBytes)) {
        state.SkipWithError("effect library not found or not usable");
        return;
    }
    const std::vector<int16_t>& music = Music();
    std::vector<int16_t> block(2 * kFrames * 2); // the deck's room for twice a block
    size_t at = 0;
    for (auto _ : state) {
        // The deck copies each block out of its source before the effects run on it.
        if (at + 2 * kFrames > music.size())
            at = 0;
        std::memcpy(block.data(), music.data() + at, kBlockBytes);
        at += 2 * kFrames;
        uint32_t frames = kFrames;
        benchmark::DoNotOptimize(m->ProcessSamples(block.data(), frames));
        benchmark::ClobberMemory();
    }
    state.counters["realtime_x"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kBlockSeconds, benchmark::Counter::kIsRate);
}

void BM_Effect_CopyOnly(benchmark::State& state) {
    const std::vector<int16_t>& music = Music();
    std::vector<int16_t> block(2 * kFrames * 2);
    for (auto _ : state) {
        std::memcpy(block.data(), music.data(), kBlockBytes);
        benchmark::ClobberMemory();
    }
    state.counters["realtime_x"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kBlockSeconds, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_Effect_CopyOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, Downmixer, "ZEM_DSP_Downmixer.so", 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, Echo, "ZEM_DSP_Echo.so", 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, FilterSweep, "ZEM_DSP_FilterSweep.so", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, StereoWidener, "dsp_ZEM_StereoTools.so", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, Gain, "dsp_ZEM_StereoTools.so", 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunEffect, ChannelSwap, "dsp_ZEM_StereoTools.so", 2)
    ->Unit(benchmark::kMicrosecond);
