// Our decoder plug-ins through their entry points: decode throughput in multiples of real time,
// time to the first audio after a random seek, and resident memory per open file.
#include "engine/input_modules/dll_input_buffer.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// zem_bench lands in <build>/bin, the plug-ins in <build>/run/Plugins.
std::string PluginPath(const char* name) {
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "run" / "Plugins" /
            (std::string(name) + ".so"))
        .string();
}

// A stereo tone of the given length, written once per process into the temporary folder.
struct MadeFiles {
    std::map<std::string, std::string> paths;
    ~MadeFiles() {
        std::error_code ec;
        for (const auto& [key, path] : paths)
            fs::remove(path, ec);
    }
};

std::string ToneFile(const char* ext, int format, int seconds) {
    static MadeFiles files;
    auto& made = files.paths;
    const std::string key = std::string(ext) + std::to_string(seconds);
    if (auto it = made.find(key); it != made.end())
        return it->second;
    const std::string path = (fs::temp_directory_path() / ("zem_bench_" + std::to_string(getpid()) +
                                                           "_" + std::to_string(seconds) + ext))
                                 .string();
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return {};
    std::vector<short> block(2 * 4410);
    for (int64_t at = 0; at < int64_t{seconds} * 44100; at += 4410) {
        for (int i = 0; i < 4410; ++i) {
            const double t = static_cast<double>(at + i) / 44100.0;
            block[2 * i] = static_cast<short>(12000 * std::sin(2 * M_PI * 440 * t));
            block[2 * i + 1] = static_cast<short>(12000 * std::sin(2 * M_PI * 660 * t));
        }
        sf_writef_short(f, block.data(), 4410);
    }
    sf_close(f);
    made[key] = path;
    return path;
}

struct Format {
    const char* plugin;
    const char* ext;
    int format;
};

const Format kWav{"ZEM_IN_SndFile", ".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16};
const Format kFlac{"ZEM_IN_SndFile", ".flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16};
const Format kMp3{"ZEM_IN_MPG123", ".mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III};

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void Decode(benchmark::State& state, const Format& fmt) {
    constexpr int kSeconds = 60;
    std::string path = ToneFile(fmt.ext, fmt.format, kSeconds);
    std::string module = PluginPath(fmt.plugin);
    DLLInputBuffer buffer(module.data());
    std::vector<unsigned char> block(1 << 16);
    double audioSeconds = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        buffer.LoadFile(path.data());
        unsigned long total = 0;
        while (true) {
            unsigned long len = block.size();
            const bool more = buffer.FillBuffer(len, block.data());
            total += len;
            if (!more)
                break;
            if (len == 0)
                zem::SleepMs(1); // leave the core to the decoder
        }
        benchmark::DoNotOptimize(total);
        audioSeconds += static_cast<double>(total) / (44100.0 * 4);
        cpuSeconds += ProcessCpuSeconds() - cpuStart;
    }
    // Real-time multiples: seconds of audio per second of wall time, and per second of CPU
    // time of the whole process (decoder thread and reader together, i.e. on one core).
    state.counters["x_realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
    state.counters["x_realtime_cpu"] = cpuSeconds > 0 ? audioSeconds / cpuSeconds : 0;
}

void Seek(benchmark::State& state, const Format& fmt) {
    std::string path = ToneFile(fmt.ext, fmt.format, 60);
    std::string module = PluginPath(fmt.plugin);
    DLLInputBuffer buffer(module.data());
    buffer.LoadFile(path.data());
    std::mt19937 random(7);
    std::uniform_int_distribution<unsigned long> frames(0, buffer.GetLength() / 4 - 44100);
    std::vector<unsigned char> block(4096);
    for (auto _ : state) {
        buffer.DoSetPosition(frames(random) * 4);
        unsigned long len = 0;
        while (len == 0) {
            len = block.size();
            buffer.FillBuffer(len, block.data());
        }
    }
}

// Heap in use: resident set figures are blurred by what earlier benchmarks freed.
double HeapMiB() {
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// Memory a ten-minute MP3 costs once open and decoded ahead.
void OpenFileMemory(benchmark::State& state) {
    std::string path = ToneFile(".mp3", kMp3.format, 600);
    std::string module = PluginPath(kMp3.plugin);
    double mib = 0;
    for (auto _ : state) {
        const double before = HeapMiB();
        {
            DLLInputBuffer buffer(module.data());
            buffer.LoadFile(path.data());
            const unsigned long start = zem::ClockMs();
            unsigned long ahead = 0;
            while (zem::ClockMs() - start < 2000) { // until the read-ahead is full
                const unsigned long now = buffer.GetBytesAvailable();
                if (now == ahead && now > 0)
                    break;
                ahead = now;
                zem::SleepMs(20);
            }
            mib = HeapMiB() - before;
        }
    }
    state.counters["heap_MiB"] = mib;
}

BENCHMARK_CAPTURE(Decode, wav, kWav)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Decode, flac, kFlac)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Decode, mp3, kMp3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Seek, flac, kFlac)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(Seek, mp3, kMp3)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(OpenFileMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
