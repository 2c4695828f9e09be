// The engine's console: it owns the sound output manager, numbers the decks that play into it
// as channels, keeps the sound-effect devices, drives the crossfader between two channels,
// switches each channel's headphone cue, and keeps the registry of input plug-in modules from
// which decks are built for files.
//
// Threads: every operation runs on the user-interface thread; the mixer takes no locks. Decks
// play on their own threads and hear volume and mute changes through their output groups.
#pragma once

#include "contracts/export.h"
#include "contracts/soundrail.h"
#include "contracts/wave_format.h"
#include "engine/deck/mixer_device.h"
#include "engine/input_modules/device_module_info.h"

#include <vector>

class DeviceInputBuffer;
class InputBuffer;

typedef void* HWND;

class ZEM_EXPORT Mixer : public MixerDevice {
public:
    explicit Mixer(HWND parent);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // The console's own deck part plays nothing.
    void Prepare() override;
    // Deletes the remaining decks and sound-effect devices, releases the modules and the
    // output manager.
    ~Mixer() override;

    // The smallest free channel number from 0 up; throws ZEMException (not fatal) when no
    // sound card plays that channel, and the device is then not listed.
    virtual int AddDevice(MixerDevice* device, unsigned long bufferBytes);
    // Stops, unprepares and detaches the device; the caller still owns it.
    virtual void RemoveDevice(MixerDevice* device);
    // Sound-effect devices get two seconds of buffer and channel -1; the mixer owns them.
    virtual int AddEffect(MixerDevice* device);
    virtual void RemoveEffect(MixerDevice* device);
    // The type has no effect in the engine; it re-applies the crossfader.
    virtual void SetFaderType(int type);

    // Offers every library in the plug-in folder to the output manager.
    void InitSound();
    OutputManager* GetOutputManager() { return m_outputManager; }
    void SetParentHandle(HWND parent) { m_parent = parent; }
    HWND GetParentHandle() const { return m_parent; }

    // Input-module registry. AddInputBufferModule: 1 registered, 0 the library is not an
    // input module. RemoveInputBufferModule: 0 removed, 1 no record has exactly that path.
    int AddInputBufferModule(char* path);
    int RemoveInputBufferModule(char* path);
    void GetDeviceModuleInfos(std::vector<DeviceModuleInfo*>& infos) const;
    // The first module whose extension list holds the dotted extension (any case) decides.
    DeviceInputBuffer* GetInputBufferType(char* extension);
    DeviceInputBuffer* CreateDeviceInputBuffer(DeviceModuleInfo* info);
    // A new stream device reading a new buffer of the extension's module, or null.
    MixerDevice* GetDeviceType(char* extension);

    int GetNumDevices() const { return static_cast<int>(m_channels.size()); }
    MixerDevice* GetDevice(int index) const;
    MixerDevice* GetChannel(int channel) const;
    int GetNumEffects() const { return static_cast<int>(m_effects.size()); }
    MixerDevice* GetEffect(int index) const;

    // The recording of the first capture input, or null when there is none. The caller owns it.
    InputBuffer* CreateCaptureBuffer(WAVEFORMATEX& format);

    int GetFaderType() const { return m_faderType; }
    // -1 leaves a side as it is.
    void SetFaderChannels(int channelA, int channelB);
    int GetFaderChannelA() const { return m_faderChannelA; }
    int GetFaderChannelB() const { return m_faderChannelB; }
    // Takes effect at the next SetFaderPercent.
    void SetFaderCenterVolume(float volume) { m_faderCenterVolume = volume; }
    float GetFaderCenterVolume() const { return m_faderCenterVolume; }
    // -100 is all the way to channel A, +100 to channel B.
    void SetFaderPercent(int percent);
    int GetFaderPercent() const { return m_faderPercent; }

    void SetHeadphoneMute(int channel, bool mute);
    // True (muted) when no device holds the channel.
    bool GetHeadphoneMute(int channel);

    // Full relative volume and the stored headphone flag on every channel, then the crossfader.
    void UpdateVolumes();

private:
    int GetChannelIndex(int channel) const;
    // Gives the device its output group and prepares it; throws failureMessage when no card
    // plays the channel. A device that cannot start keeps no group.
    void AttachOutput(MixerDevice* device, int channel, unsigned long bufferBytes,
                      const char* failureMessage);

    HWND m_parent;
    OutputManager* m_outputManager;
    float m_faderCenterVolume = 1.0f;
    std::vector<MixerDevice*> m_channels;
    std::vector<MixerDevice*> m_effects;
    std::vector<DeviceModuleInfo*> m_modules;
    int m_faderType = 0;
    int m_faderChannelA = 0;
    int m_faderChannelB = 0;
    int m_faderPercent = 0;
};
