// The Winamp output plug-in through which a Winamp input plug-in's decoded audio reaches its
// deck. One loaded copy serves one DLLInputBuffer_WinAMP: the engine loads a private copy of
// this library for every Winamp buffer, so the globals here are that buffer's.
#include "contracts/export.h"
#include "engine/input_modules/bridge_module_info.h"
#include "winamp_bridge/bridge_ring.h"

namespace {

BridgeRing g_ring;
Out_Module g_out;

// Output entries: the plug-in's decoding thread.
void Config(HWND) {}
void About(HWND) {}
void Init() {}
void Quit() {}
int Open(int samplerate, int numchannels, int bitspersamp, int, int) {
    return g_ring.Open(samplerate, numchannels, bitspersamp);
}
void Close() {
    g_ring.Close();
}
int Write(char* buf, int len) {
    return g_ring.Write(buf, len);
}
int CanWrite() {
    return g_ring.CanWrite();
}
int IsPlaying() {
    return 1;
}
int Pause(int) {
    return 1;
}
void SetVolume(int) {}
void SetPan(int) {}
void Flush(int ms) {
    g_ring.Flush(ms);
}
int GetOutputTime() {
    return 0;
}
int GetWrittenTime() {
    return 0;
}

// Engine-side entries.
int Attach(DLLInputBuffer_WinAMP* buffer) {
    g_ring.Attach(buffer);
    return Open(44100, 2, 16, 0, 0);
}
uint32_t BridgeBytesAvailable() {
    return g_ring.BytesAvailable();
}
bool BridgeFill(uint32_t* length, uint8_t* destination) {
    return g_ring.Fill(length, destination);
}

// The player's side of the input plug-in: no visualisation, no DSP, no info display.
void SAVSAInit(int, int) {}
void SAVSADeInit() {}
void SAAddPCMData(void*, int, int, int) {}
int SAGetMode() {
    return 2;
}
int SAAdd(void*, int, int) {
    return 0;
}
void VSAAddPCMData(void*, int, int, int) {}
int VSAGetMode(int*, int*) {
    return 2;
}
int VSAAdd(void*, int) {
    return 0;
}
void VSASetInfo(int, int) {}
int DspIsActive() {
    return 0;
}
int DspDoSamples(short*, int numsamples, int, int, int) {
    return numsamples;
}
void SetInfo(int, int, int stereo, int) {
    g_ring.SetChannels(stereo);
}

} // namespace

extern "C" ZEM_EXPORT Out_Module* winampGetOutModule() {
    g_out.version = OUT_VER;
    g_out.description = nullptr;
    g_out.id = 39538;
    g_out.hMainWindow = nullptr;
    g_out.hDllInstance = nullptr;
    g_out.Config = Config;
    g_out.About = About;
    g_out.Init = Init;
    g_out.Quit = Quit;
    g_out.Open = Open;
    g_out.Close = Close;
    g_out.Write = Write;
    g_out.CanWrite = CanWrite;
    g_out.IsPlaying = IsPlaying;
    g_out.Pause = Pause;
    g_out.SetVolume = SetVolume;
    g_out.SetPan = SetPan;
    g_out.Flush = Flush;
    g_out.GetOutputTime = GetOutputTime;
    g_out.GetWrittenTime = GetWrittenTime;
    return &g_out;
}

extern "C" ZEM_EXPORT void GetZEMModule(BridgeModuleInfo* info) {
    if (!info)
        return;
    info->Attach = Attach;
    info->BridgeBytesAvailable = BridgeBytesAvailable;
    info->BridgeFill = BridgeFill;
    In_Module* in = info->inModule;
    if (!in)
        return;
    in->SAVSAInit = SAVSAInit;
    in->SAVSADeInit = SAVSADeInit;
    in->SAAddPCMData = SAAddPCMData;
    in->SAGetMode = SAGetMode;
    in->SAAdd = SAAdd;
    in->VSAAddPCMData = VSAAddPCMData;
    in->VSAGetMode = VSAGetMode;
    in->VSAAdd = VSAAdd;
    in->VSASetInfo = VSASetInfo;
    in->dsp_isactive = DspIsActive;
    in->dsp_dosamples = DspDoSamples;
    in->SetInfo = SetInfo;
}
