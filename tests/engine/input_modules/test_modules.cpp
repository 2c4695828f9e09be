// Test-only input modules, built several times with different definitions:
//   TEST_NATIVE_PROBE=<0|1>  exports DllGetDeviceModuleInfo answering that (type TEST_NATIVE_TYPE)
//   TEST_WINAMP_EXTENSIONS=n exports winampGetInModule2 with the n-th FileExtensions below
//   TEST_WINAMP_NULL         exports winampGetInModule2 returning null
// The Winamp module does nothing but remember: Play("...len61500...") reports 61 500 ms,
// Play("...fail...") refuses, GetOutputTime answers the last SetOutputTime.
#include "contracts/export.h"
#include "engine/input_modules/device_module_info.h"
#include "engine/input_modules/winamp_in_module.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef TEST_NATIVE_PROBE
extern "C" ZEM_EXPORT bool DllGetDeviceModuleInfo(DeviceModuleInfo* info) {
    std::snprintf(info->description, sizeof info->description, "Native test module");
    std::snprintf(info->extensions, sizeof info->extensions, ".tst;");
    info->type = TEST_NATIVE_TYPE;
    return TEST_NATIVE_PROBE;
}
#endif

#ifdef TEST_WINAMP_NULL
extern "C" ZEM_EXPORT In_Module* winampGetInModule2() {
    return nullptr;
}
#endif

#ifdef TEST_WINAMP_EXTENSIONS
// Each list sized exactly, ending in its empty item, so a read past it is caught.
#if TEST_WINAMP_EXTENSIONS == 1
#define EXTENSIONS "mp3;mp2;mpg\0MPEG audio files\0"
#elif TEST_WINAMP_EXTENSIONS == 2
#define EXTENSIONS "ack\0Ack files\0"
#elif TEST_WINAMP_EXTENSIONS == 3
#define EXTENSIONS "ACK\0Ack files\0"
#else
#define EXTENSIONS "w64\0Wave 64\0au;snd\0Sun audio\0"
#endif
namespace {
In_Module g_in;
int g_length = 10000;
int g_lastSeek = -1;
int g_paused = 0;
char g_description[] = "Dummy decoder";
char g_extensions[] = EXTENSIONS;

void Nothing() {}
void NothingHwnd(HWND) {}
int Play(char* file) {
    if (std::strstr(file, "fail"))
        return 1;
    if (const char* len = std::strstr(file, "len"))
        g_length = std::atoi(len + 3);
    return 0;
}
void Pause() {
    g_paused = 1;
}
void UnPause() {
    g_paused = 0;
}
int IsPaused() {
    return g_paused;
}
int GetLength() {
    return g_length;
}
int GetOutputTime() {
    return g_lastSeek;
}
void SetOutputTime(int ms) {
    g_lastSeek = ms;
}
} // namespace

extern "C" ZEM_EXPORT In_Module* winampGetInModule2() {
    g_in.version = IN_VER;
    g_in.description = g_description;
    g_in.FileExtensions = g_extensions;
    g_in.is_seekable = 1;
    g_in.UsesOutputPlug = 1;
    g_in.Config = NothingHwnd;
    g_in.About = NothingHwnd;
    g_in.Init = Nothing;
    g_in.Quit = Nothing;
    g_in.Play = Play;
    g_in.Pause = Pause;
    g_in.UnPause = UnPause;
    g_in.IsPaused = IsPaused;
    g_in.Stop = Nothing;
    g_in.GetLength = GetLength;
    g_in.GetOutputTime = GetOutputTime;
    g_in.SetOutputTime = SetOutputTime;
    return &g_in;
}
#endif
