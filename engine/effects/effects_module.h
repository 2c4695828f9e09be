// One DSP effect on a deck, run from a plug-in library: the common base of native and Winamp
// effect objects, and the loader that turns a library file into one.
//
// Threads: ProcessSamples runs on the deck's playback thread under the deck's effects lock;
// everything else on the user-interface thread. ShowSettings may run while blocks are being
// processed.
#pragma once

#include "contracts/export.h"
#include "contracts/wave_format.h"
#include "platform/library.h"

#include <cstdint>

class ZEM_EXPORT DLLEffectsModule {
public:
    static constexpr int kPathSize = 260;

    DLLEffectsModule(zem::LibraryHandle library, const char* modulePath);
    DLLEffectsModule(const DLLEffectsModule&) = delete;
    DLLEffectsModule& operator=(const DLLEffectsModule&) = delete;
    // Releases the library and deletes the private copy, if there is one.
    virtual ~DLLEffectsModule();

    virtual int GetNumEffects() = 0;
    // Text of effect index; -1 names the selected one. Null when the index names no effect.
    virtual char* GetEffectDescription(int index) = 0;
    virtual bool SetEffectIndex(int index) = 0;
    // The selected effect, -1 for none.
    virtual int GetEffectIndex() = 0;
    virtual bool Init() = 0;
    virtual bool Reset() = 0;
    // The deck's format and output block size in bytes. The deck's block has room for twice
    // that many bytes; ProcessSamples never reports more frames than fit in it.
    virtual bool SetFormat(WAVEFORMATEX* format, uint32_t blockBytes) = 0;
    // In place on 16-bit interleaved samples; frames in: given, out: produced (also the
    // result).
    virtual uint32_t ProcessSamples(int16_t* samples, uint32_t& frames) = 0;
    virtual void ShowSettings() = 0;

    const char* GetModulePath() const { return m_modulePath; }
    // The private copy this object runs from; deleted with the object.
    void SetTempModulePath(const char* path);
    const char* GetTempModulePath() const { return m_tempModulePath; }
    zem::LibraryHandle GetInstance() const { return m_library; }
    void SetGlobalStatus(bool global) { m_global = global; }
    bool GetGlobalStatus() const { return m_global; }
    bool GetConstantInBlocksize() const { return m_constantInBlocksize; }
    bool GetConstantOutBlocksize() const { return m_constantOutBlocksize; }

protected:
    friend ZEM_EXPORT void FreeEffectsModule(DLLEffectsModule* module);

    // Frames a module may report for a block of given frames: what fits into the deck's block
    // (twice the block size given to SetFormat), or the frames given before SetFormat.
    static uint32_t LimitFrames(uint32_t produced, uint32_t given, uint32_t blockBytes,
                                uint32_t blockAlign);

    bool m_global = false;
    zem::LibraryHandle m_library;
    char m_modulePath[kPathSize];
    char m_tempModulePath[kPathSize];
    bool m_constantInBlocksize = true;
    bool m_constantOutBlocksize = true;
};

// A new effect object for the library at path (owned by the caller), or null when the file is
// not a DSP plug-in this host can run.
ZEM_EXPORT DLLEffectsModule* LoadEffectsModule(const char* path);
// Releases the module's library; null is ignored.
ZEM_EXPORT void FreeEffectsModule(DLLEffectsModule* module);

// Shown where an effect has no settings of its own.
inline constexpr const char kNoSettingsMessage[] = "No settings...";
