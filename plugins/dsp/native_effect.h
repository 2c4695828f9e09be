// What every native effect library of ours shares: the entry table around an effect class,
// the instances it hands out, and the info record.
//
// An Effect class provides:
//   bool SetFormat(const WAVEFORMATEX& format, uint32_t blockBytes); // sizes its buffers
//   void Reset();                                                    // silence its state
//   void Process(int16_t* samples, uint32_t frames);                 // in place, real time
// Process runs on the deck's playback thread: it must not allocate, lock or block.
#pragma once

#include "contracts/export.h"
#include "engine/effects/zem_dsp_plugin.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

namespace zemdsp {

// Instances the host never quit (it quits only those it initialised) are released when the
// library is unloaded, so an effect object that was listed but never run leaks nothing.
template <class Effect> class Instances {
public:
    ~Instances() {
        for (Effect* e : live_)
            delete e;
    }
    Effect* Add() {
        auto* e = new Effect();
        std::lock_guard<std::mutex> g(m_);
        live_.insert(e);
        return e;
    }
    void Remove(Effect* e) {
        {
            std::lock_guard<std::mutex> g(m_);
            if (live_.erase(e) == 0)
                return;
        }
        delete e;
    }
    static Instances& Get() {
        static Instances all;
        return all;
    }

private:
    std::mutex m_;
    std::set<Effect*> live_;
};

template <class Effect> struct Entries {
    static Effect* Self(void* instance) { return static_cast<Effect*>(instance); }
    static bool Init(void*) { return true; }
    static void Quit(void* instance) { Instances<Effect>::Get().Remove(Self(instance)); }
    static bool SetFormat(void* instance, WAVEFORMATEX* format, uint32_t blockBytes) {
        return format && Self(instance)->SetFormat(*format, blockBytes);
    }
    static bool Reset(void* instance) {
        Self(instance)->Reset();
        return true;
    }
    static uint32_t ProcessSamples(void* instance, int16_t* samples, uint32_t* frames) {
        if (samples && *frames)
            Self(instance)->Process(samples, *frames);
        return *frames;
    }
    static void Create(ZEM_DSPEntryTable** table) {
        ZEM_DSPEntryTable* t = *table;
        t->instance = Instances<Effect>::Get().Add();
        t->Init = &Init;
        t->Quit = &Quit;
        t->SetFormat = &SetFormat;
        t->Reset = &Reset;
        t->ProcessSamples = &ProcessSamples;
        t->ShowSettings = nullptr; // fixed settings
    }
};

template <class Effect>
bool FillInfo(EffectsModuleInfo* info, const char* name, const char* description,
              uint32_t version) {
    if (!info)
        return false;
    std::snprintf(info->name, sizeof info->name, "%s", name);
    info->version = version;
    std::snprintf(info->description, sizeof info->description, "%s", description);
    info->create = &Entries<Effect>::Create;
    return true;
}

inline int16_t Saturate(float v) {
    if (v >= 32767.0f)
        return 32767;
    if (v <= -32768.0f)
        return -32768;
    return static_cast<int16_t>(v);
}

inline int16_t Saturate(int32_t v) {
    return static_cast<int16_t>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
}

} // namespace zemdsp
