// An effect from a native DSP library: one effect per library, driven through the entry
// table the library's creation entry fills.
#pragma once

#include "engine/effects/effects_module.h"
#include "engine/effects/zem_dsp_plugin.h"

class ZEM_EXPORT DLLEffectsModule_ZEM : public DLLEffectsModule {
public:
    // Copies info and lets the library fill this object's entry table. info.create is set.
    DLLEffectsModule_ZEM(zem::LibraryHandle library, const char* modulePath,
                         const EffectsModuleInfo& info);
    ~DLLEffectsModule_ZEM() override;

    int GetNumEffects() override { return 1; }
    char* GetEffectDescription(int index) override;
    bool SetEffectIndex(int index) override;
    int GetEffectIndex() override { return 0; }
    bool Init() override;
    bool Reset() override;
    bool SetFormat(WAVEFORMATEX* format, uint32_t blockBytes) override;
    uint32_t ProcessSamples(int16_t* samples, uint32_t& frames) override;
    void ShowSettings() override;

private:
    ZEM_DSPEntryTable m_table{};
    EffectsModuleInfo m_info;
    bool m_initialised = false;
    uint32_t m_blockBytes = 0;
    uint32_t m_blockAlign = 0;
};
