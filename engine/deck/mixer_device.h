// One deck of the mixing console: the song's path, volumes and crossfader share, headphone
// cue, ten cue points and the loop between two of them, tempo, notes, two equalizers, the
// effect chain, and the output group it is heard through. The stream device derives from it
// and adds the playback heartbeat; the mixer derives from it too.
//
// Threads: everything runs on the user-interface thread except DSProcessSample and the
// reads of play status, loop slot, stored positions and block size, which the heartbeat
// makes.
#pragma once

#include "contracts/export.h"
#include "contracts/soundrail.h"
#include "contracts/wave_format.h"
#include "engine/deck/deck_types.h"
#include "engine/equalizer/equalizer.h"

#include <atomic>
#include <mutex>
#include <vector>

class DLLEffectsModule;
class Mixer;

class ZEM_EXPORT MixerDevice {
public:
    static constexpr int kPathSize = 256;
    static constexpr int kNotesSize = 1026;
    static constexpr int kEqualizerFileSize = 255;
    static constexpr int kStoredPositions = 11; // 0-9 cue points, 10 never set ("no loop")
    static constexpr int kNoLoopSlot = 10;
    // An absurd effect count in a settings file must not make loading spin for ever.
    static constexpr int kMaxListedEffects = 256;

    MixerDevice();
    MixerDevice(const MixerDevice&) = delete;
    MixerDevice& operator=(const MixerDevice&) = delete;

    virtual void Prepare();
    virtual void UnPrepare();
    // The sample path, in place on 16-bit interleaved stereo: the active equalizer, then the
    // effect chain. length may change with the effects. Pre: the heartbeat.
    virtual void DSProcessSample(char* data, unsigned long& length);
    virtual ~MixerDevice();
    virtual void LoadFile(char* path);
    virtual void Play();
    virtual void Stop();
    virtual void SetPosition(long position, bool seamless);
    virtual void NudgePosition(long amount);
    virtual unsigned long GetPosition();
    virtual unsigned long GetLength();
    // Elapsed whole seconds.
    virtual unsigned long GetTickCount();
    virtual unsigned long GetTotalTime();
    // which != 0: the slot's end, otherwise its start.
    virtual void StoreStoredPosition(int slot, unsigned long position, int which);
    virtual void RestoreStoredPosition(int slot, int which, bool seamless);
    virtual StoredPosition* GetStoredPosition(int slot);
    virtual void SetLoopSlot(int slot);
    virtual void DisplayMessage(char* text);
    virtual bool ReadConfig(char* path);
    virtual bool WriteConfig(char* path, bool force);
    virtual bool ShowSettings();

    // Identity.
    Mixer* GetMixer() const { return m_mixer; }
    void SetMixer(Mixer* mixer) { m_mixer = mixer; }
    int GetChannel() const { return m_channel; }
    void SetChannel(int channel) { m_channel = channel; }
    OutputGroup* GetOutputGroup() const { return m_outputGroup; }
    void SetOutputGroup(OutputGroup* group) { m_outputGroup = group; }
    // Frames the card played as silence because this deck fell behind; 0 without an output.
    unsigned long GetUnderrunFrames() const;
    WAVEFORMATEX* GetWaveFormatEx() { return &m_format; }
    // The part of the path after its last separator ("/" or "\"), copied into buffer.
    char* GetFilename(char* buffer) const;
    char* GetFullPath(char* buffer) const;
    void SetParentDoc(MixerDeviceParent* parent) { m_parentDoc = parent; }
    MixerDeviceParent* GetParentDoc() const { return m_parentDoc; }
    // Every deck owns a tempo record of its own, so two decks never compare equal field by
    // field: equality is identity.
    bool operator==(const MixerDevice& other) const { return this == &other; }

    // Play state: 0 stopped, 1 playing, 2 paused looping.
    bool IsPlaying() const { return GetPlayStatus() == 1; }
    unsigned long GetPlayStatus() const { return m_playStatus.load(std::memory_order_acquire); }
    void SetPlayStatus(int status) { m_playStatus.store(static_cast<unsigned long>(status)); }

    // Pitch and tempo.
    void SetPitch(unsigned long rate);
    unsigned long GetPitch();
    unsigned long GetOriginalPitch() const { return m_format.nSamplesPerSec; }
    // Any thread: a pitch ramp sets the pitch on its own thread while the window reads these.
    float GetPitchChange() const { return m_pitchChange.load(std::memory_order_relaxed); }
    float GetCurrentTempo() const;
    float PitchMatchTo(MixerDevice* other);
    BPMInfo* GetBPMInfo() const { return m_tempo; }
    void SetSpeed(unsigned long speed) { m_speed = speed; }
    unsigned long GetSpeed() const { return m_speed; }

    // Volumes in percent.
    void SetVolume(long value, VChannel channel);
    long GetVolume(VChannel channel) const;
    void SetHeadphoneMute(bool mute);
    bool GetHeadphoneMute();
    // The stored headphone flag (the mixer re-applies it).
    bool GetStoredHeadphoneMute() const { return m_headphoneMute; }

    // Paused looping (seconds).
    void PausedLoopingBegin(double seconds);
    void PausedLoopingUpdate(double seconds);
    void PausedLoopingEnd();
    unsigned long GetPausedLoopStart() const { return m_pausedLoopStart.load(); }
    unsigned long GetPausedLoopEnd() const { return m_pausedLoopEnd.load(); }

    void SetFoundEndFlag(bool found) { m_foundEnd.store(found); }
    bool GetFoundEndFlag() const { return m_foundEnd.load(); }

    char* GetNotesText() { return m_notes; }
    void SetNotesText(char* text);

    void SetReadOnlyConfig(bool readOnly) { m_readOnly = readOnly ? 1 : 0; }
    bool GetReadOnlyConfig() const { return m_readOnly != 0; }
    int GetReadOnlyValue() const { return m_readOnly; }
    void SetReadOnlyValue(int value) { m_readOnly = value; }

    void SetOutputBlockSize(unsigned long size);
    unsigned long GetOutputBlockSize() const { return m_blockSize.load(); }
    void SetBufferBytes(unsigned long) {}

    int GetLoopSlot() const { return m_loopSlot.load(); }

    // Equalizers.
    bool SetActiveEqualizer(int bands);
    Equalizer* GetActiveEqualizer() const { return m_activeEq.load(); }
    Equalizer* GetEqualizer(int bands);
    void SetEqualizerEnabled(bool on);
    bool GetEqualizerEnabled() const { return m_eqEnabled; }
    void SetEqualizerFilename(const char* name);
    const char* GetEqualizerFilename() const { return m_eqFile; }
    bool ReadEqualizerConfig(const char* path);
    bool WriteEqualizerConfig(const char* path);

    // The effect chain; the deck owns its modules.
    bool LoadGlobalDSPEffects();
    bool LoadDSPEffect(char* path, int effect, bool global);
    bool AddDSPEffect(DLLEffectsModule* module, bool global);
    bool RemoveDSPEffect(DLLEffectsModule* module);
    std::vector<DLLEffectsModule*>& GetDSPEffects() { return m_effects; }
    void SetDSPEffectsEnabled(bool on) { m_effectsEnabled.store(on); }
    bool GetDSPEffectsEnabled() const { return m_effectsEnabled.load(); }
    // Held while the chain is changed or walked.
    std::recursive_mutex& GetEffectsLock() { return m_effectsLock; }

    // Used by the mixer.
    void SetRelativeVolume(int percent, VChannel channel);
    int GetRelativeVolume(VChannel channel) const;
    void SetFaderPercent(int percent);

protected:
    void DoSetVolume();
    void DoPlay();
    void DoStop();

    Mixer* m_mixer = nullptr;
    int m_channel = 0;
    char m_path[kPathSize] = {};
    long m_volume[3] = {70, 70, 70};
    int m_relativeVolume[3] = {100, 100, 100};
    bool m_headphoneMute = false;
    std::atomic<bool> m_foundEnd{false};
    char m_notes[kNotesSize] = {};
    MixerDeviceParent* m_parentDoc = nullptr;
    std::atomic<bool> m_effectsEnabled{true};
    std::vector<DLLEffectsModule*> m_effects;
    std::recursive_mutex m_effectsLock;
    Equalizer m_eq10;
    Equalizer m_eq3;
    std::atomic<Equalizer*> m_activeEq{&m_eq10};
    bool m_eqEnabled = true;
    char m_eqFile[kEqualizerFileSize] = {};
    int m_readOnly = 0;
    std::atomic<unsigned long> m_playStatus{0};
    OutputGroup* m_outputGroup = nullptr;
    WAVEFORMATEX m_format;
    std::atomic<unsigned long> m_blockSize{15000};
    std::atomic<float> m_pitchChange{0};
    unsigned long m_speed = 44100;
    StoredPosition m_stored[kStoredPositions];
    std::atomic<int> m_loopSlot{kNoLoopSlot};
    BPMInfo* m_tempo;
    std::atomic<unsigned long> m_pausedLoopStart{0};
    std::atomic<unsigned long> m_pausedLoopEnd{0};
};
