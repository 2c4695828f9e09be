// The sound library's card callback: cost of one pitched group per 256-frame block, the purity
// of its resampling (worst alias or image product of a full-scale 10 kHz sine at +8 %), the
// same figures for libsamplerate's fastest sinc and linear converters, and how many pitched
// groups one callback mixes within a tenth of the 5.8 ms a 256-frame block lasts at 44.1 kHz.
#include "contracts/soundrail.h"
#include "platform/library.h"
#include "tests/soundrail/audio_util.h"

#include <benchmark/benchmark.h>
#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr unsigned kRate = 44100;
constexpr unsigned long kPitch = 47628; // +8 %
constexpr unsigned kBlock = 256;
constexpr double kPi = 3.14159265358979323846;

// Worst spectral product outside the fundamental at outHz, in dB below it (Blackman-Harris
// window, 2^k samples).
double WorstProductDb(const std::vector<double>& x, double outHz) {
    const std::vector<double> power = testaudio::Spectrum(x);
    const size_t n = x.size();
    const size_t peak = static_cast<size_t>(outHz / (double(kRate) / n) + 0.5);
    double signal = 0, worst = 1e-300;
    for (size_t i = 0; i <= n / 2; ++i) {
        const double p = power[i];
        if (i + 8 >= peak && i <= peak + 8)
            signal += p;
        else
            worst = std::max(worst, p);
    }
    return 10 * std::log10(worst / signal);
}

// Processor time of this thread in seconds, so other load on the machine does not count.
double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Cards and groups of our own, fed with a full-scale 10 kHz sine.
struct OwnRig {
    OutputManager manager;
    ManualOutputClock* card = manager.AddManualDevice("Bench card", 2, kRate);
    std::vector<std::unique_ptr<OutputGroup>> groups;
    std::vector<int16_t> tone;
    size_t toneAt = 0;

    explicit OwnRig(int count) {
        tone.resize(2 * kRate);
        for (unsigned i = 0; i < kRate; ++i)
            tone[2 * i] = tone[2 * i + 1] =
                static_cast<int16_t>(std::lround(32767 * std::sin(2 * kPi * 10000.0 * i / kRate)));
        WAVEFORMATEX f = testaudio::Stereo16(kRate);
        for (int i = 0; i < count; ++i) {
            groups.emplace_back(manager.CreateOutputGroup(i, &f, 4 * kRate * 4));
            groups.back()->SetPitch(kPitch);
            groups.back()->SetVolume(-600, true);
            Feed(*groups.back());
            groups.back()->Play();
        }
    }
    void Feed(OutputGroup& g) {
        g.UpdatePositions();
        unsigned long len = g.GetWriteBytesAvailable();
        unsigned char* p = g.Lock(len);
        for (unsigned long i = 0; i < len; i += 4, toneAt = (toneAt + 2) % tone.size())
            std::memcpy(p + i, &tone[toneAt], 4);
        g.Unlock(len);
    }
    bool NeedsFeed() {
        groups[0]->UpdatePositions();
        return groups[0]->GetWriteBytesAvailable() > groups[0]->GetBufferBytes() / 2;
    }
};

double OwnAliasDb() {
    OwnRig rig(1);
    rig.groups[0]->SetVolume(0, true);
    rig.card->Advance(1000);
    const size_t n = 16384;
    const short* out = rig.card->Advance(n);
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = out[2 * i];
    return WorstProductDb(x, 10000.0 * kPitch / kRate);
}

void BM_PitchedGroupCallback(benchmark::State& state) {
    OwnRig rig(1);
    double seconds = 0;
    for (auto _ : state) {
        const double start = Cpu();
        benchmark::DoNotOptimize(rig.card->Advance(kBlock));
        seconds += Cpu() - start;
        if (rig.NeedsFeed()) {
            state.PauseTiming();
            rig.Feed(*rig.groups[0]);
            state.ResumeTiming();
        }
    }
    state.counters["us_per_block"] = seconds * 1e6 / static_cast<double>(state.iterations());
    state.counters["alias_db"] = OwnAliasDb();
}
BENCHMARK(BM_PitchedGroupCallback);

// Groups of one callback: the per-group cost with many groups, and how many fit in 580 us.
void BM_PitchedGroupsPerCallback(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    OwnRig rig(count);
    double seconds = 0;
    for (auto _ : state) {
        const double start = Cpu();
        benchmark::DoNotOptimize(rig.card->Advance(kBlock));
        seconds += Cpu() - start;
        if (rig.NeedsFeed()) {
            state.PauseTiming();
            for (auto& g : rig.groups)
                rig.Feed(*g);
            state.ResumeTiming();
        }
    }
    const double perBlock = seconds / static_cast<double>(state.iterations());
    state.counters["us_per_block"] = perBlock * 1e6;
    state.counters["us_per_group"] = perBlock * 1e6 / count;
    const double budget = 0.1 * kBlock / kRate; // 10 % of the block's 5.8 ms
    state.counters["groups_in_10pct"] = std::floor(budget / (perBlock / count));
}
BENCHMARK(BM_PitchedGroupsPerCallback)->Arg(16);

// libsamplerate, loaded at run time so the library itself does not depend on it.
struct Libsamplerate {
    zem::LibraryHandle handle = zem::LoadLibraryPath("libsamplerate.so.0");
    decltype(&src_new) create =
        reinterpret_cast<decltype(&src_new)>(zem::GetLibrarySymbol(handle, "src_new"));
    decltype(&src_process) process =
        reinterpret_cast<decltype(&src_process)>(zem::GetLibrarySymbol(handle, "src_process"));
    decltype(&src_delete) destroy =
        reinterpret_cast<decltype(&src_delete)>(zem::GetLibrarySymbol(handle, "src_delete"));
    ~Libsamplerate() { zem::FreeLibraryHandle(handle); }
    bool Ok() const { return create && process && destroy; }
};

// One group's block: 16-bit stereo in, converted at +8 %, out as floats.
void LibsamplerateBlock(benchmark::State& state, int converter) {
    Libsamplerate lib;
    if (!lib.Ok()) {
        state.SkipWithError("libsamplerate.so.0 not found");
        return;
    }
    int err = 0;
    SRC_STATE* src = lib.create(converter, 2, &err);
    const double ratio = double(kRate) / kPitch;
    const size_t inFrames = static_cast<size_t>(kBlock / ratio) + 2;
    std::vector<float> in(2 * inFrames), out(2 * kBlock);
    for (size_t i = 0; i < inFrames; ++i)
        in[2 * i] = in[2 * i + 1] = static_cast<float>(std::sin(2 * kPi * 10000.0 * i / kRate));
    double seconds = 0;
    for (auto _ : state) {
        const double start = Cpu();
        SRC_DATA d{};
        d.data_in = in.data();
        d.input_frames = static_cast<long>(inFrames);
        d.data_out = out.data();
        d.output_frames = kBlock;
        d.src_ratio = ratio;
        lib.process(src, &d);
        benchmark::DoNotOptimize(out.data());
        seconds += Cpu() - start;
    }
    lib.destroy(src);
    state.counters["us_per_block"] = seconds * 1e6 / static_cast<double>(state.iterations());
    // Purity over a long continuous conversion.
    src = lib.create(converter, 1, &err);
    const size_t n = 16384, warm = 2000;
    const size_t total = static_cast<size_t>((n + warm) / ratio) + 100;
    std::vector<float> sine(total), res(n + warm);
    for (size_t i = 0; i < total; ++i)
        sine[i] = static_cast<float>(std::sin(2 * kPi * 10000.0 * i / kRate));
    SRC_DATA d{};
    d.data_in = sine.data();
    d.input_frames = static_cast<long>(total);
    d.data_out = res.data();
    d.output_frames = static_cast<long>(n + warm);
    d.src_ratio = ratio;
    lib.process(src, &d);
    lib.destroy(src);
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = std::lround(32767.0 * res[warm + i]);
    state.counters["alias_db"] = WorstProductDb(x, 10000.0 * kPitch / kRate);
}

void BM_LibsamplerateSincFastestBlock(benchmark::State& state) {
    LibsamplerateBlock(state, SRC_SINC_FASTEST);
}
BENCHMARK(BM_LibsamplerateSincFastestBlock);

void BM_LibsamplerateLinearBlock(benchmark::State& state) {
    LibsamplerateBlock(state, SRC_LINEAR);
}
BENCHMARK(BM_LibsamplerateLinearBlock);

} // namespace
