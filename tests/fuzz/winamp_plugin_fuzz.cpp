// Feeds arbitrary files to our Winamp-interface plug-in through its In_Module, with an output
// plug-in that takes everything: playing, seeking and stopping must neither crash nor hang,
// and the stream must end.
#include "engine/input_modules/winamp_in_module.h"
#include "platform/clock.h"
#include "platform/library.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::atomic<bool> g_ended{false};
std::atomic<long long> g_bytes{0};

void NoWindow(HWND) {}
void Nothing() {}
int Open(int samplerate, int numchannels, int bitspersamp, int, int) {
    if (samplerate <= 0 || numchannels != 2 || bitspersamp != 16)
        std::abort(); // our plug-in always delivers 16-bit stereo
    return 0;
}
int Write(char* buf, int len) {
    if (!buf)
        g_ended = true;
    else if (len > 0)
        g_bytes += len;
    return 0;
}
int CanWrite() {
    return 1 << 20;
}
int IsPlaying() {
    return 0;
}
int Pause(int) {
    return 0;
}
void Level(int) {}
void Flush(int) {
    g_ended = false;
}
int Zero() {
    return 0;
}

Out_Module g_out = {OUT_VER, nullptr, 1,     nullptr, nullptr, NoWindow, NoWindow,
                    Nothing, Nothing, Open,  Nothing, Write,   CanWrite, IsPlaying,
                    Pause,   Level,   Level, Flush,   Zero,    Zero};

In_Module* Plugin() {
    // The fuzz programs land in <build>/fuzz, the plug-ins in <build>/run/Plugins.
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path =
        (self.parent_path().parent_path() / "run" / "Plugins" / "in_zem_files.so").string();
    auto get = reinterpret_cast<winampGetInModule2Fn>(
        zem::GetLibrarySymbol(zem::LoadLibraryPath(path.c_str()), "winampGetInModule2"));
    if (!get) {
        std::fprintf(stderr, "in_zem_files.so not found next to the fuzz program\n");
        std::abort();
    }
    In_Module* in = get();
    in->outMod = &g_out;
    in->Init();
    return in;
}

bool WaitForEnd(unsigned long ms) {
    const unsigned long start = zem::ClockMs();
    while (!g_ended && zem::ClockMs() - start < ms)
        zem::SleepMs(1);
    return g_ended;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static In_Module* in = Plugin();
    static const char* const kExtensions[] = {".w64", ".au", ".mp3", ".mp1", ".wav", ".flac"};
    const char* ext = size ? kExtensions[data[0] % 6] : kExtensions[0];
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zem_fuzz_" + std::to_string(getpid()) + ext);
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        if (size > 1)
            std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    g_ended = false;
    g_bytes = 0;
    std::string path = file.string();
    if (in->Play(path.data()) == 0) {
        if (!WaitForEnd(10000))
            std::abort(); // a stream that never ends
        in->SetOutputTime(size > 2 ? (data[1] | data[2] << 8) : 0);
        WaitForEnd(10000);
        in->Stop();
    }
    std::error_code ec;
    std::filesystem::remove(file, ec);
    return 0;
}
