// The sound output library as the engine and the program call it. One OutputManager per
// mixer owns the sound cards (OutputDevice), the capture inputs (InputDevice) and the output
// groups: one ring of PCM per deck or sound-effect device, mixed by the cards' callbacks.
//
// Units: positions and sizes are bytes of the group's PCM format; volumes are hundredths of
// a decibel (0 full, -10000 silent); a pitch is a playback rate in samples per second.
#pragma once

#include "contracts/export.h"
#include "contracts/private_ini.h"
#include "contracts/wave_format.h"

#include <string>
#include <vector>

class InputBuffer;

// How a group moves between volume and mute states.
enum SynchronizeType : int {
    kSyncImmediate = 0, // hard steps
    kSyncClickless = 1, // short ramps on mute, unmute and volume jumps
};

// The engine's view of one output ring, in vtable order. The heartbeat is its only writer,
// the owning device's callback its only reader.
class ZEM_EXPORT OutputChannel {
public:
    virtual ~OutputChannel();

    virtual void Play() = 0;
    virtual void Stop() = 0;
    // Size of the ring in bytes.
    virtual unsigned long GetBufferBytes() = 0;
    // Pointer to at least length contiguous writable bytes at the write position.
    virtual unsigned char* Lock(unsigned long& length) = 0;
    // Commits length bytes written at the pointer Lock gave; the write position advances.
    virtual void Unlock(unsigned long& length) = 0;
    // Writes bytes of silence at the write position.
    virtual void WriteSilence(unsigned long bytes, bool shuttingDown) = 0;
    // Bytes written and not yet played; negative after an underrun.
    virtual long GetPlayWriteBalance() = 0;
    // Takes the snapshot of positions that the queries below report.
    virtual void UpdatePositions() = 0;
    virtual void ResetPlayWriteBalance() = 0;
    // Bytes of the source format played since the previous call.
    virtual unsigned long GetBytesPlayed() = 0;
    // Free bytes that may be written now.
    virtual unsigned long GetWriteBytesAvailable() = 0;
    virtual void SetLogicalReadPosition(unsigned long position) = 0;
    virtual unsigned long GetLogicalReadPosition() = 0;
    virtual void SetLogicalWritePosition(unsigned long position) = 0;
    // Silences the output; positions keep moving.
    virtual void SetMute(bool mute) = 0;
    virtual void SetPitch(unsigned long samplesPerSecond) = 0;
    virtual unsigned long GetPitch() = 0;
};

class ZEM_EXPORT OutputGroup : public OutputChannel {
public:
    struct Impl;
    explicit OutputGroup(Impl* impl);
    ~OutputGroup() override;

    void Play() override;
    void Stop() override;
    unsigned long GetBufferBytes() override;
    unsigned char* Lock(unsigned long& length) override;
    void Unlock(unsigned long& length) override;
    void WriteSilence(unsigned long bytes, bool shuttingDown) override;
    long GetPlayWriteBalance() override;
    void UpdatePositions() override;
    void ResetPlayWriteBalance() override;
    unsigned long GetBytesPlayed() override;
    unsigned long GetWriteBytesAvailable() override;
    void SetLogicalReadPosition(unsigned long position) override;
    unsigned long GetLogicalReadPosition() override;
    void SetLogicalWritePosition(unsigned long position) override;
    void SetMute(bool mute) override;
    void SetPitch(unsigned long samplesPerSecond) override;
    unsigned long GetPitch() override;

    // Main output volume; immediate skips the clickless ramp.
    void SetVolume(long hundredthsDb, bool immediate);
    void SetHeadphoneVolume(long hundredthsDb);
    void SetHeadphoneMute(bool mute);
    bool GetHeadphoneMute();
    void SetSynchronizeType(SynchronizeType type);

    Impl* GetImpl() { return impl_; }

private:
    Impl* impl_;
};

// One sound card. Sub-channel 1 is its normal stereo pair; 2 and 3 are the two pairs of a
// four-channel card; 0 means not assigned.
class ZEM_EXPORT OutputDevice {
public:
    struct Impl;
    explicit OutputDevice(Impl* impl);
    ~OutputDevice();

    const char* GetOutputDeviceName();
    void SetChannelAssignment(int channel, int subChannel);
    int GetChannelAssignment(int channel);
    void SetHeadphoneAssignment(int subChannel);
    int GetHeadphoneAssignment();
    void SetMasterChannel(int subChannel);
    int GetMasterChannel();
    void SetSFXAssignment(int subChannel);
    int GetSFXAssignment();
    void ResetAssignments();
    void SetDisabled(bool disabled);
    bool GetDisabled();
    void SetSoftwarePlayback(bool on);
    bool GetSoftwarePlayback();
    void SetWaveFormat(const WAVEFORMATEX* format);
    void GetWaveFormat(WAVEFORMATEX* format);
    void SetSpeedOffset(float offset);
    float GetSpeedOffset();
    void GetSubChannelLabels(std::vector<std::string>& labels);

    // Folder of the files that keep the assignments and device settings (the INI folder).
    static void SetGeneralConfigPath(const char* path);

    Impl* GetImpl() { return impl_; }

private:
    Impl* impl_;
};

// One capture input of a sound card.
class ZEM_EXPORT InputDevice {
public:
    struct Impl;
    explicit InputDevice(Impl* impl);
    ~InputDevice();

    const char* GetInputDeviceName();
    // The source that delivers what the card records; owned by the device.
    InputBuffer* GetCaptureBuffer();

private:
    Impl* impl_;
};

class ZEM_EXPORT OutputManager {
public:
    OutputManager();
    ~OutputManager();
    OutputManager(const OutputManager&) = delete;
    OutputManager& operator=(const OutputManager&) = delete;

    // Keeps the library at path when it is an output module; other files are ignored.
    bool LoadOutputModule(char* path);
    // A new ring for channel (-1: sound effects) of bufferBytes bytes of format; null when
    // no enabled device plays that channel. The caller deletes the group.
    OutputGroup* CreateOutputGroup(int channel, WAVEFORMATEX* format, unsigned long bufferBytes);
    InputDevice* GetInputDevice(int index);
    void GetOutputDevicesList(std::vector<OutputDevice*>& devices);
    void GetInputDevicesList(std::vector<InputDevice*>& devices);

private:
    struct Impl;
    Impl* impl_;
};

// The process-wide timing value of the audio settings (milliseconds).
ZEM_EXPORT unsigned long GetSyncTime();
ZEM_EXPORT void SetSyncTime(unsigned long value);
