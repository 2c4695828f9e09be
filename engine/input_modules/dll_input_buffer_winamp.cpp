#include "engine/input_modules/dll_input_buffer_winamp.h"

#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/temp_files.h"
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/device_module_loader.h"
#include "platform/files.h"
#include "platform/library.h"

#include <cstring>
#include <string>

namespace {

// The program has no main window handle to give the plug-in on this platform.
constexpr HWND kMainWindow = nullptr;

[[noreturn]] void ThrowEmulator() {
    throw ZEMException("Unable to initialize WinAMP emulator!", true, 0);
}

} // namespace

DLLInputBuffer_WinAMP::DLLInputBuffer_WinAMP(char* modulePath) {
    std::memset(&m_module, 0, sizeof m_module);
    ClearDeviceModuleInfo(m_module);
    std::memset(&m_bridge, 0, sizeof m_bridge);
    if (!LoadDeviceModule(modulePath, m_module, true))
        throw ZEMException("Unable to initialize DLLInputBuffer!", true, 0);
    if (m_module.type != kModuleTypeWinamp || !m_module.winampModule) {
        FreeDeviceModule(m_module);
        zem::DeleteFilePath(m_module.path);
        throw ZEMException(
            "Attempt to initialize a DLLInputBuffer_WINAMP with wrong type of module!", true, 0);
    }
    m_bridge.inModule = m_module.winampModule;
    try {
        LoadBridge();
    } catch (...) {
        FreeDeviceModule(m_module);
        zem::DeleteFilePath(m_module.path);
        throw;
    }
    m_inModule = m_module.winampModule;
    m_outModule = m_bridge.outModule;
    m_position.store(0.0);
    m_inModule->hMainWindow = kMainWindow;
    m_inModule->hDllInstance = m_module.hInstance;
    m_inModule->outMod = m_outModule;
    m_bridge.Attach(this);
    if (m_inModule->Init)
        m_inModule->Init();
}

void DLLInputBuffer_WinAMP::LoadBridge() {
    const std::string source =
        std::string(ZEM_GetZEMPath(2)) + "/" + kBridgeLibraryName + zem::kPluginSuffix;
    const std::string copy = ZEM_CreateTempFile();
    if (copy.empty() || copy.size() >= sizeof m_bridge.path) {
        zem::DeleteFilePath(copy);
        ThrowEmulator();
    }
    std::memcpy(m_bridge.path, copy.c_str(), copy.size() + 1);
    if (!zem::CopyFileOverwrite(source, copy)) {
        ReleaseBridge();
        ThrowEmulator();
    }
    m_bridge.hInstance = zem::LoadLibraryPath(copy.c_str());
    auto getOut = reinterpret_cast<winampGetOutModuleFn>(
        zem::GetLibrarySymbol(m_bridge.hInstance, kBridgeGetOutModuleName));
    m_bridge.outModule = getOut ? getOut() : nullptr;
    auto getZEM = reinterpret_cast<GetZEMModuleFn>(
        zem::GetLibrarySymbol(m_bridge.hInstance, kBridgeGetZEMModuleName));
    if (!m_bridge.outModule || !getZEM) {
        ReleaseBridge();
        ThrowEmulator();
    }
    getZEM(&m_bridge);
    if (!m_bridge.Attach || !m_bridge.BridgeBytesAvailable || !m_bridge.BridgeFill) {
        ReleaseBridge();
        ThrowEmulator();
    }
}

void DLLInputBuffer_WinAMP::ReleaseBridge() {
    zem::FreeLibraryHandle(m_bridge.hInstance);
    m_bridge.hInstance = nullptr;
    if (m_bridge.path[0] != '\0')
        zem::DeleteFilePath(m_bridge.path);
}

DLLInputBuffer_WinAMP::~DLLInputBuffer_WinAMP() {
    // The plug-in's thread writes into the bridge: it must be stopped before either goes.
    if (m_inModule->Stop)
        m_inModule->Stop();
    if (m_inModule->Quit)
        m_inModule->Quit();
    FreeDeviceModule(m_module);
    zem::DeleteFilePath(m_module.path);
    ReleaseBridge();
}

unsigned long DLLInputBuffer_WinAMP::GetBytesAvailable() {
    return m_bridge.BridgeBytesAvailable();
}

bool DLLInputBuffer_WinAMP::FillBuffer(unsigned long& length, unsigned char* data) {
    uint32_t len = length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
    const bool more = m_bridge.BridgeFill(&len, data);
    length = len;
    return more;
}

bool DLLInputBuffer_WinAMP::DoSetPosition(unsigned long position) {
    const unsigned long perSecond = m_waveFormat.nAvgBytesPerSec;
    if (perSecond == 0 || !m_inModule->SetOutputTime)
        return true;
    // Whole seconds, as the plug-ins have always been asked.
    m_inModule->SetOutputTime(static_cast<int>(position / perSecond * 1000));
    return true;
}

void DLLInputBuffer_WinAMP::Play() {
    m_inModule->UnPause();
}
void DLLInputBuffer_WinAMP::Stop() {
    m_inModule->Pause();
}
void DLLInputBuffer_WinAMP::Prepare() {}
void DLLInputBuffer_WinAMP::UnPrepare() {}

unsigned long DLLInputBuffer_WinAMP::GetLength() {
    const int ms = m_inModule->GetLength();
    return ms > 0 ? static_cast<unsigned long>(ms / 1000) * m_waveFormat.nAvgBytesPerSec : 0;
}

unsigned long DLLInputBuffer_WinAMP::GetTotalTime() {
    const int ms = m_inModule->GetLength();
    return ms > 0 ? static_cast<unsigned long>(ms / 1000) : 0;
}

bool DLLInputBuffer_WinAMP::ShowSettings() {
    if (m_inModule->Config)
        m_inModule->Config(kMainWindow);
    return true;
}

void DLLInputBuffer_WinAMP::LoadFile(char* path) {
    // A new file starts its clock afresh: the last file's position must not end this one.
    m_length.store(-1);
    m_position.store(0.0);
    if (!path || m_inModule->Play(path) != 0)
        throw ZEMException("Unable to load file!", false, 0);
    m_length.store(m_inModule->GetLength());
    m_inModule->Pause();
}

void DLLInputBuffer_WinAMP::SetWaveFormat(WAVEFORMATEX* format) {
    if (!format)
        return;
    m_waveFormat.wFormatTag = format->wFormatTag;
    m_waveFormat.nChannels = format->nChannels;
    m_waveFormat.nSamplesPerSec = format->nSamplesPerSec;
    m_waveFormat.nAvgBytesPerSec = format->nAvgBytesPerSec;
    m_waveFormat.nBlockAlign = format->nBlockAlign;
    m_waveFormat.wBitsPerSample = format->wBitsPerSample;
    m_waveFormat.cbSize = format->cbSize;
}

bool DLLInputBuffer_WinAMP::OutputPosAdd(int bytes) {
    const double perSecond = m_waveFormat.nAvgBytesPerSec;
    const int32_t length = m_length.load();
    double position = m_position.load();
    if (perSecond > 0) {
        position += bytes / perSecond * 1000.0;
        m_position.store(position);
    }
    // Until the length is known the stream cannot have reached it.
    return length < 0 || position < length;
}

void DLLInputBuffer_WinAMP::OutputPosSet(int milliseconds) {
    m_position.store(milliseconds);
}
