// The deck heartbeat: cost of one tick of a playing deck (10-band equalizer on, two effects)
// and of a stopped deck whose output is full, on a hand-driven card.
#include "contracts/soundrail.h"
#include "engine/buffers/input_buffer.h"
#include "engine/deck/stream_device.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// An endless source of a steady tone-like pattern.
class EndlessSource : public DeviceInputBuffer {
public:
    unsigned long GetBytesAvailable() override { return 1u << 20; }
    bool FillBuffer(unsigned long& length, unsigned char* data) override {
        auto* s = reinterpret_cast<int16_t*>(data);
        for (unsigned long i = 0; i < length / 2; ++i)
            s[i] = static_cast<int16_t>(((pos_ + i) * 37) & 0x3FFF);
        pos_ += length / 2;
        return true;
    }
    bool DoSetPosition(unsigned long) override { return true; }
    void Play() override {}
    void Stop() override {}
    void Prepare() override {}
    void UnPrepare() override {}
    unsigned long GetLength() override { return 0x7FFFFFFF; }
    unsigned long GetTotalTime() override { return 0x7FFFFFFF / 176400; }
    void LoadFile(char*) override {}

private:
    unsigned long pos_ = 0;
};

struct Rig {
    std::string dir;
    std::unique_ptr<OutputManager> manager;
    ManualOutputClock* clock;
    std::unique_ptr<StreamDevice> deck;
    OutputGroup* group;

    Rig() {
        char tmpl[] = "/tmp/zembenchXXXXXX";
        dir = mkdtemp(tmpl);
        setenv("ZEM_PROFILE", (dir + "/ZEM.ini").c_str(), 1);
        std::string ini = dir + "/ZEM.ini";
        if (FILE* f = fopen(ini.c_str(), "w")) {
            fputs("[Playback]\nTiming Method=2\n", f);
            fclose(f);
        }
        OutputDevice::SetGeneralConfigPath(dir.c_str());
        manager = std::make_unique<OutputManager>();
        clock = manager->AddManualDevice("Bench card", 2, 44100);
        deck = std::make_unique<StreamDevice>();
        deck->SetMainInputBuffer(new EndlessSource);
        char name[] = "bench.wav";
        deck->LoadFile(name);
        group = manager->CreateOutputGroup(0, deck->GetWaveFormatEx(), 264600);
        deck->SetOutputGroup(group);
        deck->SetOutputBlockSize(61440);
        deck->Prepare();
    }
    ~Rig() {
        deck->Stop();
        deck->UnPrepare();
        deck.reset();
        delete group;
        manager.reset();
        std::string cmd = "rm -rf '" + dir + "'";
        if (system(cmd.c_str()) != 0) {
        }
    }
};

std::string pluginPath(const char* name) {
    return std::string("run/Plugins/") + name;
}

} // namespace

static void BM_HeartbeatTickPlaying(benchmark::State& state) {
    Rig rig;
    for (int b = 0; b < 10; ++b)
        rig.deck->GetEqualizer(10)->setBoost(b, 1.5f); // every band active
    rig.deck->SetActiveEqualizer(10);
    std::string echo = pluginPath("ZEM_DSP_Echo.so"), sweep = pluginPath("ZEM_DSP_FilterSweep.so");
    const bool effects = rig.deck->LoadDSPEffect(echo.data(), 0, false) &&
                         rig.deck->LoadDSPEffect(sweep.data(), 0, false);
    if (!effects)
        state.SkipWithError("effect plug-ins not found in run/Plugins");
    rig.deck->Play();
    for (auto _ : state) {
        rig.deck->Tick();
        state.PauseTiming();
        rig.clock->Advance(15360); // one block played, so the next tick writes again
        state.ResumeTiming();
    }
    state.counters["bytes_per_tick"] = 61440;
}
BENCHMARK(BM_HeartbeatTickPlaying)->Unit(benchmark::kMicrosecond);

static void BM_HeartbeatTickStoppedFull(benchmark::State& state) {
    Rig rig;
    for (int i = 0; i < 20; ++i)
        rig.deck->Tick(); // fills the output, then idles
    for (auto _ : state)
        rig.deck->Tick();
}
BENCHMARK(BM_HeartbeatTickStoppedFull)->Unit(benchmark::kMicrosecond);
