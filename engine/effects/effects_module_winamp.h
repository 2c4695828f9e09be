// An effect from a Winamp DSP library. Such a library may offer several effects; this object
// runs the one selected, from a private copy of the library so that its globals are its own.
#pragma once

#include "engine/effects/effects_module.h"
#include "engine/effects/winamp_dsp.h"

#include <string>
#include <vector>

class ZEM_EXPORT DLLEffectsModule_WinAMP : public DLLEffectsModule {
public:
    // Collects the description of every module the header offers; starts nothing.
    DLLEffectsModule_WinAMP(zem::LibraryHandle library, const char* modulePath,
                            winampDSPHeader* header);
    ~DLLEffectsModule_WinAMP() override;

    int GetNumEffects() override { return static_cast<int>(m_descriptions.size()); }
    char* GetEffectDescription(int index) override;
    // -1 deselects; an index the library does not offer is refused.
    bool SetEffectIndex(int index) override;
    int GetEffectIndex() override { return m_index; }
    bool Init() override;
    bool Reset() override;
    bool SetFormat(WAVEFORMATEX* format, uint32_t blockBytes) override;
    uint32_t ProcessSamples(int16_t* samples, uint32_t& frames) override;
    void ShowSettings() override;

    // The window that effects' dialogs belong to (the program's main window).
    static void SetMainWindow(HWND window);

private:
    void QuitCurrent();

    int m_version;
    std::string m_description;
    winampDSPModule* (*m_getModule)(int index);
    winampDSPModule* m_current = nullptr;
    std::vector<std::string> m_descriptions;
    int m_index = -1;
    WAVEFORMATEX m_format;
    uint32_t m_blockBytes = 0;
};
