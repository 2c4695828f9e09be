// zem-latency: how long a deck command takes to reach the sound card. One deck plays a
// sawtooth through the real engine into the WAV-file device in real time; at each command a
// probe group of the tool's own writes a marker on the other channel, which reaches the card
// at its next period. The recorded file then shows, per command, how many milliseconds lie
// between the marker and the first sample the command changed.
//
// Usage: zem-latency [--out FILE.md]   (prints a Markdown table)
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/deck/playback_sizes.h"
#include "engine/equalizer/equalizer.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/mixer/deck_document.h"
#include "engine/mixer/mixer.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "tools/latency/change_detect.h"

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr unsigned kRate = 44100;
constexpr int kPeriod = 1000;     // sawtooth period in frames
constexpr int kAmplitude = 16000; // its peak
constexpr char kHomeVar[] = "ZEM_LATENCY_HOME";
constexpr size_t kCueJump = 6; // its place in the command list

struct Setting {
    const char* label;
    int bufferMs, blockKiB;
};

struct Command {
    const char* name;
    const char* path; // which side applies it
    std::function<void(MixerDevice&, Mixer&)> act, undo;
};

std::string ExeDir() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    buffer[n] = '\0';
    std::string exe(buffer);
    return exe.substr(0, exe.rfind('/'));
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

bool WriteSawtooth(const std::string& path, double seconds) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(seconds * kRate);
    std::vector<short> data(static_cast<size_t>(frames) * 2, 0);
    for (sf_count_t i = 0; i < frames; ++i)
        data[2 * i] = static_cast<short>(-kAmplitude + 2 * kAmplitude * (i % kPeriod) / kPeriod);
    const bool ok = sf_writef_short(f, data.data(), frames) == frames;
    sf_close(f);
    return ok;
}

// A program directory of the tool's own: every plug-in but the sound-card module (so nothing
// else plays), the WAV-file device in real time as the only card, then the tool again inside.
int Relaunch(char** argv) {
    std::string home = "/tmp/zem-latency-XXXXXX";
    if (!mkdtemp(home.data())) {
        std::perror("zem-latency: mkdtemp");
        return 1;
    }
    for (const char* sub : {"/INI", "/ZEC", "/SFX", "/Plugins"})
        mkdir((home + sub).c_str(), 0755);
    const std::string plugins = ExeDir() + "/../run/Plugins";
    if (DIR* d = opendir(plugins.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > 3 && name.find("PortAudio") == std::string::npos &&
                name.compare(name.size() - 3, 3, ".so") == 0)
                symlink((plugins + "/" + name).c_str(), (home + "/Plugins/" + name).c_str());
        }
        closedir(d);
    }
    WriteText(home + "/INI/Soundrail.ini",
              "[Device WAV file]\nOutput File=" + home +
                  "/latency.wav\nRender Mode=0\nChannels=" + std::string(256, '1') +
                  "\nSFX=1\nMaster=1\nSamples Per Second=44100\n"
                  "[Device Silent output]\nDisabled=1\n");
    setenv(kHomeVar, home.c_str(), 1);
    setenv("ZEM_PROFILE", (home + "/ZEM.ini").c_str(), 1);
    if (chdir(home.c_str()) != 0) {
        std::perror("zem-latency: chdir");
        return 1;
    }
    execv("/proc/self/exe", argv);
    std::perror("zem-latency: exec");
    return 1;
}

// The probe: a group on the sound-effect channel that is never written except for markers,
// so a marker plays at the card's very next period.
class Probe {
public:
    explicit Probe(OutputManager& manager) {
        WAVEFORMATEX f{};
        f.wFormatTag = WAVE_FORMAT_PCM;
        f.nChannels = 2;
        f.nSamplesPerSec = kRate;
        f.nBlockAlign = 4;
        f.nAvgBytesPerSec = kRate * 4;
        f.wBitsPerSample = 16;
        m_group = manager.CreateOutputGroup(-1, &f, kRate * 4);
        if (!m_group)
            return;
        m_group->SetSynchronizeType(kSyncImmediate);
        m_group->SetVolume(0, true);
        m_group->SetHeadphoneMute(true);
        m_group->Play();
    }
    ~Probe() { delete m_group; }
    bool Ok() const { return m_group != nullptr; }
    void Mark() {
        const short frames[8] = {0, 30000, 0, 30000, 0, 30000, 0, 30000};
        unsigned long length = sizeof frames;
        unsigned char* data = m_group->Lock(length);
        std::memcpy(data, frames, std::min<unsigned long>(length, sizeof frames));
        length = sizeof frames;
        m_group->Unlock(length);
    }

private:
    OutputGroup* m_group = nullptr;
};

std::vector<Command> Commands() {
    auto nothing = [](MixerDevice&, Mixer&) {};
    return {
        {"play", "card", [](MixerDevice& d, Mixer&) { d.Play(); }, nothing},
        {"pitch change (+20 %)", "card",
         [](MixerDevice& d, Mixer&) { d.SetPitch(d.GetOriginalPitch() * 12 / 10); },
         [](MixerDevice& d, Mixer&) {
             // Back at its own rate the card still resamples at the fraction where the pitch
             // change left it, which rings at the sawtooth's wraps; a jump starts it afresh.
             d.SetPitch(d.GetOriginalPitch());
             zem::SleepMs(100);
             d.RestoreStoredPosition(5, 0, false);
         }},
        {"volume change (100 to 90)", "card",
         [](MixerDevice& d, Mixer&) { d.SetVolume(90, kVChannel0); },
         [](MixerDevice& d, Mixer&) { d.SetVolume(100, kVChannel0); }},
        {"crossfader move (full left to 60 % right)", "card",
         [](MixerDevice&, Mixer& m) { m.SetFaderPercent(60); },
         [](MixerDevice&, Mixer& m) { m.SetFaderPercent(-100); }},
        {"EQ kill (low band)", "heartbeat",
         [](MixerDevice& d, Mixer&) { d.GetActiveEqualizer()->SetKillFreq(0, true); },
         [](MixerDevice& d, Mixer&) { d.GetActiveEqualizer()->SetKillFreq(0, false); }},
        {"effect toggle (downmixer on)", "heartbeat",
         [](MixerDevice& d, Mixer&) { d.SetDSPEffectsEnabled(true); },
         [](MixerDevice& d, Mixer&) { d.SetDSPEffectsEnabled(false); }},
        {"cue jump (first change: the cut)", "heartbeat",
         [](MixerDevice& d, Mixer&) { d.RestoreStoredPosition(5, 0, false); }, nothing},
        {"stop", "card", [](MixerDevice& d, Mixer&) { d.Stop(); }, nothing},
    };
}

// Each command is measured this many times per setting; the table gives the median and the
// worst, since a heartbeat-applied change waits for a tick that may just have passed.
constexpr int kRepeats = 3;

struct Result {
    std::vector<std::vector<double>> ms; // per command, per repeat; -1: no change found
    std::vector<double> cueHeardMs;      // the cue jump's new position, per repeat
    unsigned long underruns = 0;
};

bool RunSetting(Mixer& mixer, Probe& probe, const Setting& s, const std::string& song,
                const std::string& effect, unsigned long& underruns, std::string& error) {
    WriteText(ZEM_GetZEMPath(0) + std::string("/ZEM.ini"),
              "[Playback]\nTiming Method=1\nBuffer size=" + std::to_string(s.bufferMs) +
                  "\nBlock size (k)=" + std::to_string(s.blockKiB) + "\n");
    DeckDocumentUi ui;
    DeckDocument doc(mixer, &ui);
    if (!doc.OpenDocument(song.c_str())) {
        error = "cannot open the test song";
        return false;
    }
    MixerDevice& deck = *doc.GetDevice();
    deck.SetActiveEqualizer(3);
    deck.SetEqualizerEnabled(true);
    deck.SetVolume(100, kVChannel0);
    std::string path = effect;
    if (!deck.LoadDSPEffect(path.data(), 0, true)) {
        error = "cannot load the downmixer effect";
        return false;
    }
    deck.SetDSPEffectsEnabled(false);
    deck.StoreStoredPosition(5, 4 * (kRate * 40 + kPeriod / 2), 0);
    mixer.SetFaderCenterVolume(1.0f);
    mixer.SetFaderChannels(0, 1);
    mixer.SetFaderPercent(-100);
    const unsigned long settle = static_cast<unsigned long>(std::max(800, s.bufferMs + 600));
    zem::SleepMs(settle + 500);
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (const Command& c : Commands()) {
            // A different moment within the tick each time.
            zem::SleepMs(static_cast<unsigned long>(11 * repeat));
            probe.Mark();
            c.act(deck, mixer);
            zem::SleepMs(settle);
            c.undo(deck, mixer);
            zem::SleepMs(settle);
        }
    }
    underruns = deck.GetUnderrunFrames();
    doc.Eject(false);
    return true;
}

bool ReadMix(const std::string& path, std::vector<short>& left, std::vector<short>& right) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f || info.channels != 2)
        return false;
    std::vector<short> data(static_cast<size_t>(info.frames) * 2);
    sf_readf_short(f, data.data(), info.frames);
    sf_close(f);
    for (size_t i = 0; i < data.size(); i += 2) {
        left.push_back(data[i]);
        right.push_back(data[i + 1]);
    }
    return true;
}

int Measure(const char* outFile) {
    const std::string home = std::getenv(kHomeVar);
    const std::string song = home + "/sawtooth.wav";
    if (!WriteSawtooth(song, 90)) {
        std::fprintf(stderr, "zem-latency: cannot write %s\n", song.c_str());
        return 1;
    }
    const PlaybackSizes smallest =
        ChoosePlaybackSizes(WAVEFORMATEX{WAVE_FORMAT_PCM, 2, kRate, kRate * 4, 4, 16, 0}, 0, 0);
    static char smallestLabel[64];
    std::snprintf(smallestLabel, sizeof smallestLabel, "smallest working (%d ms / %d KiB)",
                  smallest.bufferMs, smallest.blockKiB);
    const std::vector<Setting> settings = {
        {"defaults (1500 ms / 60 KiB)", 1500, 60},
        {"100 ms / 6 KiB", 100, 6},
        {smallestLabel, smallest.bufferMs, smallest.blockKiB},
    };
    std::vector<Result> results(settings.size());
    {
        OutputDevice::SetGeneralConfigPath(ZEM_GetZEMPath(3));
        Mixer mixer(nullptr);
        mixer.InitSound();
        const std::string plugins = ZEM_GetZEMPath(2);
        for (const std::string& name : zem::ScanDirectory(plugins, "*.so")) {
            std::string p = zem::JoinPath(plugins, name);
            mixer.AddInputBufferModule(p.data());
        }
        Probe probe(*mixer.GetOutputManager());
        if (!probe.Ok()) {
            std::fprintf(stderr, "zem-latency: the WAV file device does not play the probe\n");
            return 1;
        }
        const std::string effect = zem::JoinPath(plugins, "ZEM_DSP_Downmixer.so");
        for (size_t i = 0; i < settings.size(); ++i) {
            std::fprintf(stderr, "zem-latency: measuring %s\n", settings[i].label);
            std::string error;
            if (!RunSetting(mixer, probe, settings[i], song, effect, results[i].underruns, error)) {
                std::fprintf(stderr, "zem-latency: %s\n", error.c_str());
                return 1;
            }
        }
    } // the mixer closes the card: the file is complete

    std::vector<short> left, right;
    if (!ReadMix(home + "/latency.wav", left, right)) {
        std::fprintf(stderr, "zem-latency: cannot read the recorded mix\n");
        return 1;
    }
    const std::vector<size_t> marks = FindMarkers(right, 20000);
    const size_t perSetting = Commands().size();
    if (marks.size() != perSetting * kRepeats * settings.size()) {
        std::fprintf(stderr, "zem-latency: found %zu markers, expected %zu\n", marks.size(),
                     perSetting * kRepeats * settings.size());
        return 1;
    }
    for (Result& r : results)
        r.ms.resize(perSetting);
    for (size_t i = 0; i < marks.size(); ++i) {
        const size_t end = i + 1 < marks.size() ? marks[i + 1] : left.size();
        const size_t at = FirstChange(left, marks[i], end, kRate);
        Result& r = results[i / (perSetting * kRepeats)];
        const size_t command = i % perSetting;
        r.ms[command].push_back(at >= end ? -1
                                          : 1000.0 * static_cast<double>(at - marks[i]) / kRate);
        if (command == kCueJump) // when the new position is heard, after the cut
            r.cueHeardMs.push_back(
                at >= end
                    ? -1
                    : 1000.0 *
                          static_cast<double>(FirstSound(left, at + kRate / 200, end) - marks[i]) /
                          kRate);
    }

    std::string table = "| command | applied by |";
    for (const Setting& s : settings)
        table += std::string(" ") + s.label + " |";
    table += "\n|---|---|";
    for (size_t i = 0; i < settings.size(); ++i)
        table += "---:|";
    table += "\n";
    const std::vector<Command> commands = Commands();
    auto cell = [](std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        char b[48];
        if (ms.empty() || ms.front() < 0)
            std::snprintf(b, sizeof b, " no change |");
        else
            std::snprintf(b, sizeof b, " %.1f / %.1f ms |", ms[ms.size() / 2], ms.back());
        return std::string(b);
    };
    for (size_t c = 0; c < commands.size(); ++c) {
        table += std::string("| ") + commands[c].name + " | " + commands[c].path + " |";
        for (const Result& r : results)
            table += cell(r.ms[c]);
        table += "\n";
        if (c == kCueJump) {
            table += "| cue jump (new position heard) | heartbeat |";
            for (const Result& r : results)
                table += cell(r.cueHeardMs);
            table += "\n";
        }
    }
    table += "| underrun frames during the run | |";
    for (const Result& r : results)
        table += " " + std::to_string(r.underruns) + " |";
    table += "\n";
    table += "\nEach cell: median / worst of " + std::to_string(kRepeats) + " measurements.\n";
    std::fputs(table.c_str(), stdout);
    if (outFile)
        WriteText(outFile, table);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else {
            std::fprintf(stderr, "usage: zem-latency [--out FILE.md]\n");
            return 2;
        }
    }
    if (!std::getenv(kHomeVar)) {
        // The engine takes its program directory from the working directory it is loaded in.
        if (out && out[0] != '/') {
            static std::string absolute;
            char cwd[PATH_MAX];
            absolute = std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/" + out;
            for (int i = 1; i < argc; ++i)
                if (argv[i] == out)
                    argv[i] = absolute.data();
        }
        return Relaunch(argv);
    }
    const int status = Measure(out);
    std::fprintf(stderr, "zem-latency: recordings kept in %s\n", std::getenv(kHomeVar));
    return status;
}
