#include "engine/effects/effects_module_winamp.h"

#include "platform/ui_hooks.h"

#include <atomic>

namespace {
// A library that never returns null must not hang the loader.
constexpr int kMaxModules = 1024;
std::atomic<HWND> mainWindow{nullptr};
} // namespace

void DLLEffectsModule_WinAMP::SetMainWindow(HWND window) {
    mainWindow = window;
}

DLLEffectsModule_WinAMP::DLLEffectsModule_WinAMP(zem::LibraryHandle library, const char* modulePath,
                                                 winampDSPHeader* header)
    : DLLEffectsModule(library, modulePath), m_version(header->version),
      m_description(header->description ? header->description : ""),
      m_getModule(header->getModule) {
    for (int i = 0; m_getModule && i < kMaxModules; ++i) {
        winampDSPModule* module = m_getModule(i);
        if (!module)
            break;
        m_descriptions.emplace_back(module->description ? module->description : "");
    }
    // Until the deck says otherwise, the engine's usual 16-bit stereo at 44100 Hz.
    m_format = {WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
}

DLLEffectsModule_WinAMP::~DLLEffectsModule_WinAMP() {
    QuitCurrent();
}

void DLLEffectsModule_WinAMP::QuitCurrent() {
    if (!m_current)
        return;
    if (m_current->Quit)
        m_current->Quit(m_current);
    m_current = nullptr;
}

char* DLLEffectsModule_WinAMP::GetEffectDescription(int index) {
    if (index == -1)
        index = m_index == -1 ? 0 : m_index;
    if (index < 0 || index >= GetNumEffects())
        return nullptr;
    return m_descriptions[static_cast<size_t>(index)].data();
}

bool DLLEffectsModule_WinAMP::SetEffectIndex(int index) {
    if (index < -1 || index >= GetNumEffects())
        return false;
    QuitCurrent();
    m_index = index;
    return true;
}

bool DLLEffectsModule_WinAMP::Init() {
    if (m_index == -1 || !m_getModule)
        return false;
    QuitCurrent(); // a second Init restarts the effect instead of running it twice
    winampDSPModule* module = m_getModule(m_index);
    if (!module)
        return false;
    module->hwndParent = mainWindow.load();
    module->hDllInstance = GetInstance();
    // An effect that failed to start is not run.
    if (module->Init && module->Init(module) != 0)
        return false;
    m_current = module;
    return true;
}

bool DLLEffectsModule_WinAMP::Reset() {
    if (!m_current)
        return false;
    QuitCurrent();
    return Init();
}

bool DLLEffectsModule_WinAMP::SetFormat(WAVEFORMATEX* format, uint32_t blockBytes) {
    if (!format)
        return false;
    m_format = *format;
    m_blockBytes = blockBytes;
    return true;
}

uint32_t DLLEffectsModule_WinAMP::ProcessSamples(int16_t* samples, uint32_t& frames) {
    if (!m_current || !m_current->ModifySamples || frames > 0x7FFFFFFFu)
        return frames;
    const int kept = m_current->ModifySamples(m_current, samples, static_cast<int>(frames),
                                              m_format.wBitsPerSample, m_format.nChannels,
                                              static_cast<int>(m_format.nSamplesPerSec));
    // The interface allows at most twice the frames given; more would hand on samples the
    // effect never wrote.
    uint32_t produced = kept < 0 ? 0u : static_cast<uint32_t>(kept);
    if (produced > 2ULL * frames)
        produced = 2 * frames;
    frames = LimitFrames(produced, frames, m_blockBytes, m_format.nBlockAlign);
    return frames;
}

void DLLEffectsModule_WinAMP::ShowSettings() {
    if (m_current && m_current->Config)
        m_current->Config(m_current);
    else
        zem::ShowMessageBox(kNoSettingsMessage);
}
