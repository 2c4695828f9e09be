// Throughput of the deck equalizer in stereo frames per second on one core: the
// deck's 10-band and 3-band set-ups with every band filtering, the flat (all pass-through)
// equalizer, and for comparison a naive frame-by-frame loop of the defined arithmetic (the
// reference of the tests). Each iteration filters one deck block (15000 bytes, 3750 frames) in
// place, after restoring the block from a pristine copy (the copy is timed too). Before timing,
// each benchmark checks that the equalizer's output is bit-exact to the reference's.
//
// The reference is compiled here without -ffp-contract=off; the x86-64 baseline has no fused
// multiply-add, so nothing can be contracted.
#include "engine/equalizer/equalizer.h"

#include "tests/engine/equalizer/deck_setups.h"
#include "tests/engine/equalizer/reference_equalizer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kFrames = 15000 / 4; // the deck's output block

std::vector<short> MusicBlock(size_t frames) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-1, 1);
    std::vector<short> v(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        const double x = 0.5 * std::sin(6.2831853 * 110 * t) +
                         0.3 * std::sin(6.2831853 * 1760 * t) + 0.2 * noise(rng);
        v[2 * i] = static_cast<short>(std::lround(12000 * x));
        v[2 * i + 1] = static_cast<short>(std::lround(11000 * x + 1000 * noise(rng)));
    }
    return v;
}

enum class Setting { kActive, kFlat };

// Fader positions away from 2000, so that every band filters.
int ActivePosition(int band) {
    return 300 + 370 * band;
}

void Configure(Equalizer& eq, ref::Equalizer& r, int bands, Setting setting) {
    const deck::BandSetup* setup = bands == 10 ? deck::kTenBand : deck::kThreeBand;
    deck::SetUp(eq, setup, bands);
    deck::SetUp(r, setup, bands);
    if (setting == Setting::kActive) {
        for (int k = 0; k < bands; ++k) {
            eq.setBoost(k, deck::FaderBoost(ActivePosition(k)));
            r.SetBoost(k, deck::FaderBoost(ActivePosition(k)));
        }
    }
}

// The equalizer and the reference on several consecutive blocks must agree bit for bit.
bool BitExact(int bands, Setting setting) {
    Equalizer eq;
    ref::Equalizer r;
    Configure(eq, r, bands, setting);
    const std::vector<short> pristine = MusicBlock(kFrames);
    for (int round = 0; round < 8; ++round) {
        std::vector<short> a = pristine, b = pristine;
        eq.tickVectorStereo(a.data(), a.data(), a.size());
        r.Tick(b.data(), b.data(), b.size());
        if (a != b)
            return false;
    }
    return true;
}

void SetRate(benchmark::State& state) {
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(kFrames),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

void RunEqualizer(benchmark::State& state, int bands, Setting setting) {
    if (!BitExact(bands, setting)) {
        state.SkipWithError("output differs from the reference");
        return;
    }
    Equalizer eq;
    ref::Equalizer unused;
    Configure(eq, unused, bands, setting);
    const std::vector<short> pristine = MusicBlock(kFrames);
    std::vector<short> block = pristine;
    for (auto _ : state) {
        std::memcpy(block.data(), pristine.data(), block.size() * sizeof(short));
        eq.tickVectorStereo(block.data(), block.data(), block.size());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

void RunNaive(benchmark::State& state, int bands) {
    Equalizer unused;
    ref::Equalizer r;
    Configure(unused, r, bands, Setting::kActive);
    const std::vector<short> pristine = MusicBlock(kFrames);
    std::vector<short> block = pristine;
    for (auto _ : state) {
        std::memcpy(block.data(), pristine.data(), block.size() * sizeof(short));
        r.Tick(block.data(), block.data(), block.size());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

void BM_Equalizer10BandActive(benchmark::State& state) {
    RunEqualizer(state, 10, Setting::kActive);
}
void BM_Equalizer3BandActive(benchmark::State& state) {
    RunEqualizer(state, 3, Setting::kActive);
}
void BM_EqualizerFlat10Band(benchmark::State& state) {
    RunEqualizer(state, 10, Setting::kFlat);
}
void BM_EqualizerFlat3Band(benchmark::State& state) {
    RunEqualizer(state, 3, Setting::kFlat);
}
void BM_EqualizerNaive10BandActive(benchmark::State& state) {
    RunNaive(state, 10);
}
void BM_EqualizerNaive3BandActive(benchmark::State& state) {
    RunNaive(state, 3);
}

} // namespace

BENCHMARK(BM_Equalizer10BandActive);
BENCHMARK(BM_Equalizer3BandActive);
BENCHMARK(BM_EqualizerFlat10Band);
BENCHMARK(BM_EqualizerFlat3Band);
BENCHMARK(BM_EqualizerNaive10BandActive);
BENCHMARK(BM_EqualizerNaive3BandActive);
