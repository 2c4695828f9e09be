// The recorder's writer: CPU it takes to record the master output to FLAC while four decks play
// on a hand-driven card, per second of audio (target: under 3 % of one core).
#include "app/recorder/recorder.h"
#include "contracts/soundrail.h"
#include "engine/buffers/input_buffer.h"
#include "engine/deck/stream_device.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Endless music-like material: a few detuned saws, so that FLAC has real work to do.
class SawSource : public DeviceInputBuffer {
public:
    explicit SawSource(int seed) : step_(40 + seed * 7) {}
    unsigned long GetBytesAvailable() override { return 1u << 20; }
    bool FillBuffer(unsigned long& length, unsigned char* data) override {
        auto* s = reinterpret_cast<int16_t*>(data);
        for (unsigned long i = 0; i < length / 2; ++i, ++pos_)
            s[i] = static_cast<int16_t>(((pos_ * step_) & 0x3FFF) - 0x2000 +
                                        ((pos_ * (step_ + 3)) & 0x0FFF));
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
    unsigned long step_;
    unsigned long pos_ = 0;
};

double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void BM_RecorderFlacFourDecks(benchmark::State& state) {
    char tmpl[] = "/tmp/zembenchrecXXXXXX";
    const std::string dir = mkdtemp(tmpl);
    if (FILE* f = fopen((dir + "/ZEM.ini").c_str(), "w")) {
        fputs("[Playback]\nTiming Method=2\n", f);
        fclose(f);
    }
    setenv("ZEM_PROFILE", (dir + "/ZEM.ini").c_str(), 1);
    OutputDevice::SetGeneralConfigPath(dir.c_str());
    auto manager = std::make_unique<OutputManager>();
    ManualOutputClock* clock = manager->AddManualDevice("Bench card", 2, 44100);
    std::unique_ptr<StreamDevice> decks[4];
    OutputGroup* groups[4] = {};
    for (int d = 0; d < 4; ++d) {
        decks[d] = std::make_unique<StreamDevice>();
        decks[d]->SetMainInputBuffer(new SawSource(d));
        char name[] = "bench.wav";
        decks[d]->LoadFile(name);
        groups[d] = manager->CreateOutputGroup(d, decks[d]->GetWaveFormatEx(), 264600);
        decks[d]->SetOutputGroup(groups[d]);
        decks[d]->SetOutputBlockSize(61440);
        decks[d]->Prepare();
        decks[d]->Play();
    }
    zem::rec::Recorder recorder(manager.get(), nullptr);
    recorder.SetFolder(dir);
    recorder.SetFormat(zem::rec::RecordFormat::kFlac16);
    recorder.Start();

    constexpr unsigned long kTickFrames = 1470; // 30 ticks: one second of audio
    double writerCpu = 0;
    uint64_t rendered = 0;
    for (auto _ : state) {
        const double process0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double self0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        for (int t = 0; t < 30; ++t) {
            for (auto& deck : decks)
                deck->Tick();
            clock->Advance(kTickFrames);
        }
        rendered += 30 * kTickFrames;
        // Let the writer catch up, so that its whole share of this second is counted.
        const unsigned long start = zem::ClockMs();
        while (recorder.GetFramesWritten() < rendered && zem::ClockMs() - start < 5000)
            zem::SleepMs(1);
        // Everything but this thread: the writer (the other threads of the rig sleep).
        writerCpu += (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0) -
                     (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - self0);
    }
    recorder.Stop();
    const double audioSeconds = rendered / 44100.0;
    state.counters["writer_cpu_pct_of_core"] = 100.0 * writerCpu / audioSeconds;
    state.counters["dropped_frames"] = static_cast<double>(recorder.GetDroppedFrames());
    for (int d = 0; d < 4; ++d) {
        decks[d]->Stop();
        decks[d]->UnPrepare();
        decks[d].reset();
        delete groups[d];
    }
    manager.reset();
    const std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) {
    }
}
BENCHMARK(BM_RecorderFlacFourDecks)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
