// zem-render end to end: the render speed of a file mix in multiples of real time for 2 and 4
// decks (each pitched off its own rate, 10-band equalizer, one echo effect), and the processor
// time per deck while decks play live on the silent device. The tool, its plug-ins and the run
// directory are the ones this build made.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <climits>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string BuildDir() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    buffer[n] = 0;
    return fs::path(buffer).parent_path().parent_path().string();
}

void PutLe(std::ofstream& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A stereo 16-bit WAV of a chord, seconds long.
void WriteSong(const std::string& path, double seconds, double hz) {
    const uint32_t frames = static_cast<uint32_t>(seconds * 44100);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    PutLe(out, 36 + frames * 4, 4);
    out.write("WAVEfmt ", 8);
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);
    PutLe(out, 2, 2);
    PutLe(out, 44100, 4);
    PutLe(out, 176400, 4);
    PutLe(out, 4, 2);
    PutLe(out, 16, 2);
    out.write("data", 4);
    PutLe(out, frames * 4, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        const auto v = static_cast<int16_t>(
            8000 * (std::sin(2 * M_PI * hz * t) + 0.5 * std::sin(2 * M_PI * hz * 1.5 * t)));
        PutLe(out, static_cast<uint16_t>(v), 2);
        PutLe(out, static_cast<uint16_t>(v), 2);
    }
}

// A program directory with four songs; live mode leaves the sound-card module out, so the
// decks play on the silent device.
struct Home {
    std::string path;
    explicit Home(bool live) {
        std::string pattern = (fs::temp_directory_path() / "zem-render-benchXXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : std::string();
        fs::create_directories(path + "/Plugins");
        for (const auto& e : fs::directory_iterator(BuildDir() + "/run/Plugins")) {
            const std::string name = e.path().filename().string();
            if (live && name.find("PortAudio") != std::string::npos)
                continue;
            fs::create_symlink(e.path(), path + "/Plugins/" + name);
        }
        for (int i = 0; i < 4; ++i)
            WriteSong(path + "/song" + std::to_string(i) + ".wav", 40, 220.0 * (i + 1));
        std::ofstream(path + "/ZEM.ini") << "[Playback]\n";
    }
    ~Home() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

struct RunResult {
    double wall = 0, cpu = 0;
    int status = -1;
};

RunResult RunTool(const Home& home, const std::vector<std::string>& args) {
    std::vector<std::string> all = {BuildDir() + "/bin/zem-render", "--home", home.path, "--quiet"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    timeval start{}, end{};
    gettimeofday(&start, nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("ZEM_PROFILE", (home.path + "/ZEM.ini").c_str(), 1);
        if (chdir(home.path.c_str()) != 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    RunResult r;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    gettimeofday(&end, nullptr);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.wall = (end.tv_sec - start.tv_sec) + (end.tv_usec - start.tv_usec) / 1e6;
    r.cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
            usage.ru_stime.tv_usec / 1e6;
    return r;
}

std::vector<std::string> DeckArgs(int decks) {
    std::vector<std::string> args;
    for (int i = 0; i < decks; ++i) {
        const std::string ch = std::to_string(i);
        args.insert(args.end(), {"--pitch", ch + "=+3", "--eq-bands", ch + "=10", "--dsp",
                                 ch + "=ZEM_DSP_Echo", "song" + ch + ".wav"});
    }
    return args;
}

void BM_RenderToFile(benchmark::State& state) {
    const int decks = static_cast<int>(state.range(0));
    const double seconds = 30;
    Home home(false);
    double speed = 0;
    for (auto _ : state) {
        std::vector<std::string> args = {"--out", "mix.wav", "--seconds", "30"};
        const std::vector<std::string> d = DeckArgs(decks);
        args.insert(args.end(), d.begin(), d.end());
        const RunResult r = RunTool(home, args);
        if (r.status != 0) {
            state.SkipWithError("zem-render failed");
            return;
        }
        state.SetIterationTime(r.wall);
        speed = seconds / r.wall;
    }
    state.counters["x_real_time"] = speed;
}
BENCHMARK(BM_RenderToFile)->Arg(2)->Arg(4)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_LiveCpuPerDeck(benchmark::State& state) {
    const int decks = static_cast<int>(state.range(0));
    Home home(true);
    double perDeck = 0;
    for (auto _ : state) {
        std::vector<std::string> args = {"--seconds", "5"};
        const std::vector<std::string> d = DeckArgs(decks);
        args.insert(args.end(), d.begin(), d.end());
        const RunResult r = RunTool(home, args);
        if (r.status != 0) {
            state.SkipWithError("zem-render failed");
            return;
        }
        state.SetIterationTime(r.wall);
        perDeck = 100.0 * r.cpu / r.wall / decks;
    }
    state.counters["cpu_percent_per_deck"] = perDeck;
}
BENCHMARK(BM_LiveCpuPerDeck)->Arg(1)->Arg(4)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
