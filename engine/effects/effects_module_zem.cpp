#include "engine/effects/effects_module_zem.h"

#include "platform/ui_hooks.h"

#include <cstring>

DLLEffectsModule_ZEM::DLLEffectsModule_ZEM(zem::LibraryHandle library, const char* modulePath,
                                           const EffectsModuleInfo& info)
    : DLLEffectsModule(library, modulePath) {
    std::memcpy(&m_info, &info, sizeof m_info);
    // The texts come from a separately built library; keep them terminated.
    m_info.name[sizeof m_info.name - 1] = '\0';
    m_info.description[sizeof m_info.description - 1] = '\0';
    ZEM_DSPEntryTable* table = &m_table;
    m_info.create(&table);
}

DLLEffectsModule_ZEM::~DLLEffectsModule_ZEM() {
    if (m_initialised && m_info.name[0] && m_table.Quit)
        m_table.Quit(m_table.instance);
}

char* DLLEffectsModule_ZEM::GetEffectDescription(int) {
    return m_info.description;
}

bool DLLEffectsModule_ZEM::SetEffectIndex(int) {
    return true;
}

bool DLLEffectsModule_ZEM::Init() {
    if (m_table.Init)
        m_table.Init(m_table.instance);
    m_initialised = true;
    return true;
}

bool DLLEffectsModule_ZEM::Reset() {
    return m_table.Reset ? m_table.Reset(m_table.instance) : false;
}

bool DLLEffectsModule_ZEM::SetFormat(WAVEFORMATEX* format, uint32_t blockBytes) {
    if (!format || !m_table.SetFormat)
        return false;
    m_blockBytes = blockBytes;
    m_blockAlign = format->nBlockAlign;
    return m_table.SetFormat(m_table.instance, format, blockBytes);
}

uint32_t DLLEffectsModule_ZEM::ProcessSamples(int16_t* samples, uint32_t& frames) {
    if (!m_table.ProcessSamples)
        return frames;
    uint32_t inOut = frames;
    const uint32_t produced = m_table.ProcessSamples(m_table.instance, samples, &inOut);
    frames = LimitFrames(produced, frames, m_blockBytes, m_blockAlign);
    return frames;
}

void DLLEffectsModule_ZEM::ShowSettings() {
    if (m_table.ShowSettings)
        m_table.ShowSettings(m_table.instance);
    else
        zem::ShowMessageBox(kNoSettingsMessage);
}
