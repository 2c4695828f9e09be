// An input plug-in of ours written to the Winamp input interface: it decodes on a thread of its
// own and writes through the output plug-in the player gives it, as any Winamp plug-in does.
#include "contracts/export.h"
#include "engine/input_modules/winamp_in_module.h"
#include "platform/clock.h"
#include "plugins/input/common/mpg123_decoder.h"
#include "plugins/input/common/sndfile_decoder.h"

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kChunkFrames = 1152;
constexpr int kFrameBytes = 4;
constexpr unsigned long kWaitMs = 2;

In_Module g_module;
std::thread g_thread;
std::unique_ptr<zemin::Decoder> g_decoder;
uint32_t g_rate = 0;
std::atomic<bool> g_quit{false};
std::atomic<bool> g_paused{false};
std::atomic<int> g_seekMs{-1};
std::atomic<int> g_lengthMs{0};
std::atomic<int> g_outputMs{0};

bool IsMpegName(const char* file) {
    const char* dot = std::strrchr(file, '.');
    return dot &&
           (!strcasecmp(dot, ".mp1") || !strcasecmp(dot, ".mp2") || !strcasecmp(dot, ".mp3"));
}

std::unique_ptr<zemin::Decoder> OpenAny(const char* file) {
    // By name first, then by content: a file may carry the wrong extension.
    const bool mpeg = IsMpegName(file);
    auto d = mpeg ? zemin::OpenMpg123Decoder(file) : zemin::OpenSndfileDecoder(file);
    if (!d)
        d = mpeg ? zemin::OpenSndfileDecoder(file) : nullptr;
    return d;
}

// The decoding thread.
void Decode() {
    std::vector<int16_t> chunk(2 * kChunkFrames);
    zemin::Decoder& decoder = *g_decoder;
    const uint64_t total = decoder.TotalFrames();
    uint64_t frame = 0;
    bool atEnd = false;
    int pending = 0; // frames of chunk not yet taken by the output
    while (!g_quit.load()) {
        const int seek = g_seekMs.exchange(-1);
        if (seek >= 0) {
            frame = std::min<uint64_t>(static_cast<uint64_t>(seek) * g_rate / 1000, total);
            atEnd = !decoder.SeekFrame(frame);
            pending = 0;
            g_module.outMod->Flush(seek);
            g_outputMs.store(static_cast<int>(frame * 1000 / g_rate));
            continue;
        }
        if (g_paused.load() || atEnd) {
            zem::SleepMs(kWaitMs);
            continue;
        }
        if (pending == 0) {
            const std::size_t want = static_cast<std::size_t>(
                std::min<uint64_t>(kChunkFrames, total - std::min(frame, total)));
            const std::size_t got = want ? decoder.Read(chunk.data(), want) : 0;
            if (got == 0) {
                // The end of the stream, once the output can take the mark.
                if (g_module.outMod->Write(nullptr, 0) == 0)
                    atEnd = true;
                else
                    zem::SleepMs(kWaitMs);
                continue;
            }
            pending = static_cast<int>(got);
            if (g_module.SAAddPCMData)
                g_module.SAAddPCMData(chunk.data(), 2, 16, g_outputMs.load());
            if (g_module.dsp_isactive && g_module.dsp_isactive())
                pending =
                    g_module.dsp_dosamples(chunk.data(), pending, 16, 2, static_cast<int>(g_rate));
            frame += got;
        }
        const int bytes = pending * kFrameBytes;
        if (g_module.outMod->CanWrite() < bytes ||
            g_module.outMod->Write(reinterpret_cast<char*>(chunk.data()), bytes) != 0) {
            zem::SleepMs(kWaitMs);
            continue;
        }
        pending = 0;
        g_outputMs.store(static_cast<int>(frame * 1000 / g_rate));
    }
}

void Config(HWND) {}
void About(HWND) {}
void Init() {}
void StopPlaying() {
    g_quit.store(true);
    if (g_thread.joinable()) {
        g_thread.join();
        if (g_module.outMod)
            g_module.outMod->Close();
    }
    g_decoder.reset();
}
void Quit() {
    StopPlaying();
}

int Play(char* file) {
    StopPlaying();
    if (!file || !g_module.outMod)
        return 1;
    g_decoder = OpenAny(file);
    if (!g_decoder)
        return 1;
    g_rate = g_decoder->SampleRate();
    g_lengthMs.store(
        static_cast<int>(std::min<uint64_t>(g_decoder->TotalFrames() * 1000 / g_rate, INT32_MAX)));
    g_outputMs.store(0);
    g_seekMs.store(-1);
    g_paused.store(false);
    g_quit.store(false);
    if (g_module.outMod->Open(static_cast<int>(g_rate), 2, 16, -1, -1) < 0) {
        g_decoder.reset();
        return 1;
    }
    if (g_module.SetInfo)
        g_module.SetInfo(static_cast<int>(g_rate) * 32 / 1000, static_cast<int>(g_rate / 1000), 2,
                         1);
    g_thread = std::thread(Decode);
    return 0;
}

void GetFileInfo(char* file, char* title, int* lengthMs) {
    if (title)
        title[0] = '\0';
    if (lengthMs)
        *lengthMs = file && *file ? -1 : g_lengthMs.load();
}
int InfoBox(char*, HWND) {
    return 0;
}
int IsOurFile(char*) {
    return 0;
}
void Pause() {
    g_paused.store(true);
}
void UnPause() {
    g_paused.store(false);
}
int IsPaused() {
    return g_paused.load() ? 1 : 0;
}
int GetLength() {
    return g_lengthMs.load();
}
int GetOutputTime() {
    return g_outputMs.load();
}
void SetOutputTime(int ms) {
    g_seekMs.store(ms < 0 ? 0 : ms);
}
void SetVolume(int) {}
void SetPan(int) {}
void EQSet(int, char*, int) {}

char g_description[] = "ZEM sound files (Winamp interface)";
char g_extensions[] = "w64;au;snd;caf\0Other sound files\0mp1\0MPEG layer 1\0";

} // namespace

extern "C" ZEM_EXPORT In_Module* winampGetInModule2() {
    g_module.version = IN_VER;
    g_module.description = g_description;
    g_module.FileExtensions = g_extensions;
    g_module.is_seekable = 1;
    g_module.UsesOutputPlug = 1;
    g_module.Config = Config;
    g_module.About = About;
    g_module.Init = Init;
    g_module.Quit = Quit;
    g_module.GetFileInfo = GetFileInfo;
    g_module.InfoBox = InfoBox;
    g_module.IsOurFile = IsOurFile;
    g_module.Play = Play;
    g_module.Pause = Pause;
    g_module.UnPause = UnPause;
    g_module.IsPaused = IsPaused;
    g_module.Stop = StopPlaying;
    g_module.GetLength = GetLength;
    g_module.GetOutputTime = GetOutputTime;
    g_module.SetOutputTime = SetOutputTime;
    g_module.SetVolume = SetVolume;
    g_module.SetPan = SetPan;
    g_module.EQSet = EQSet;
    return &g_module;
}
