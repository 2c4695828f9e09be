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

// How a group moves between volume and mute states.
enum SynchronizeType : int {
    kSyncImmediate = 0, // hard steps
    kSyncClickless = 1, // short ramps on mute, unmute and volume jumps
};

// The engine's view of one output ring, in vtable order. The heartbeat is its only writer
// (the calls below run on its thread); the owning card's callback is its only reader. Groups
// are created stopped, at full volume, with the headphone cue off, at the format's own rate.
class ZEM_EXPORT OutputChannel {
public:
    virtual ~OutputChannel();

    virtual void Play() = 0;
    virtual void Stop() = 0;
    // Size of the ring in bytes.
    virtual unsigned long GetBufferBytes() = 0;
    // Pointer to length contiguous writable bytes at the write position, even across the
    // ring's end; a length above the ring size is cut to it.
    virtual unsigned char* Lock(unsigned long& length) = 0;
    // Commits length bytes written at the pointer Lock gave (at most what was locked and what
    // is free, in whole frames; length tells how many); the write position advances.
    virtual void Unlock(unsigned long& length) = 0;
    // Writes up to bytes of silence (no more than is free) at the write position. Silence is
    // not counted in the balance, so the balance reaches 0 when the last audio has played.
    virtual void WriteSilence(unsigned long bytes, bool shuttingDown) = 0;
    // Audio bytes written and not yet played; negative after an underrun, during which the
    // card hears silence (never stale audio).
    virtual long GetPlayWriteBalance() = 0;
    // Takes the snapshot of positions that the queries below report.
    virtual void UpdatePositions() = 0;
    virtual void ResetPlayWriteBalance() = 0;
    // Bytes of the source format played since the previous call.
    virtual unsigned long GetBytesPlayed() = 0;
    // Free bytes that may be written now.
    virtual unsigned long GetWriteBytesAvailable() = 0;
    // Moves the card's read cursor to a ring offset (taken at its next callback, reported at
    // once). What the card had read ahead is dropped; the balance becomes the distance to the
    // write cursor, and bytes played before the move are not reported as played.
    virtual void SetLogicalReadPosition(unsigned long position) = 0;
    virtual unsigned long GetLogicalReadPosition() = 0;
    // Moves the write cursor to a ring offset at or behind the read cursor, so that nothing is
    // played there until it has been written again.
    virtual void SetLogicalWritePosition(unsigned long position) = 0;
    // Silences the output, headphones included; positions keep moving.
    virtual void SetMute(bool mute) = 0;
    // Held within 1000..768000; the card resamples continuously and glides between rates.
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

    // Main output volume (clamped to -10000..0); immediate skips the clickless ramp. These
    // members may be called from any thread.
    void SetVolume(long hundredthsDb, bool immediate);
    void SetHeadphoneVolume(long hundredthsDb);
    void SetHeadphoneMute(bool mute);
    bool GetHeadphoneMute();
    void SetSynchronizeType(SynchronizeType type);
    // Frames the card had to play as silence because the ring ran dry while the group was
    // playing and not muted; any thread.
    unsigned long GetUnderrunFrames();

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
    // The card's rate (16-bit PCM, its own channel count); a new rate applies while the card
    // is not open yet.
    void SetWaveFormat(const WAVEFORMATEX* format);
    void GetWaveFormat(WAVEFORMATEX* format);
    // Percent added to the rate of every group this card plays (-10 to 10), to correct a
    // card whose clock runs off.
    void SetSpeedOffset(float offset);
    float GetSpeedOffset();
    // One label per sub-channel, sub-channel 1 first.
    void GetSubChannelLabels(std::vector<std::string>& labels);
    // Why the card last failed to open, or that it has stopped responding while it plays
    // (its groups then go on in silence and new groups go elsewhere, until it answers
    // again); empty when neither.
    const char* GetLastError();

    // Folder of the files that keep the assignments and device settings (the INI folder).
    static void SetGeneralConfigPath(const char* path);

    Impl* GetImpl() { return impl_; }

private:
    Impl* impl_;
};

// One capture input of a sound card. The card's callback fills a ring; the reader (one
// thread) takes the recorded PCM from it in the format GetWaveFormat reports.
class ZEM_EXPORT InputDevice {
public:
    struct Impl;
    explicit InputDevice(Impl* impl);
    ~InputDevice();

    const char* GetInputDeviceName();
    // Opens the card's input and starts recording; false with GetLastError when it cannot.
    bool StartCapture();
    void StopCapture();
    // False once the card has stopped delivering for a second and a half (GetLastError says
    // so); the input is then closed.
    bool IsCapturing();
    // Recorded bytes waiting to be read (whole frames).
    unsigned long GetCaptureBytesAvailable();
    // Copies at most bytes recorded bytes (whole frames) into data; returns the count.
    unsigned long ReadCapture(unsigned char* data, unsigned long bytes);
    // 16-bit interleaved PCM at the card's rate.
    void GetWaveFormat(WAVEFORMATEX* format);
    const char* GetLastError();

private:
    Impl* impl_;
};

// What the audience hears: a copy of the final mix of the master sub-channel, taken by the
// card that plays it. The card's callback fills a ring of four seconds; the reader (one thread)
// takes from it. When the reader falls behind, what does not fit is dropped and counted.
class ZEM_EXPORT OutputCapture {
public:
    struct Impl;
    explicit OutputCapture(Impl* impl);
    ~OutputCapture();

    // The card that plays the master sub-channel.
    const char* GetOutputDeviceName();
    // Mixed bytes waiting to be read (whole frames).
    unsigned long GetCaptureBytesAvailable();
    // Copies at most bytes mixed bytes (whole frames) into data; returns the count.
    unsigned long ReadCapture(unsigned char* data, unsigned long bytes);
    // 16-bit interleaved stereo at the card's rate.
    void GetWaveFormat(WAVEFORMATEX* format);
    // Frames the card mixed that did not fit into the ring.
    unsigned long long GetDroppedFrames();

    Impl* GetImpl() { return impl_; }

private:
    Impl* impl_;
};

// A sound card driven by hand, for tests of the engine: it has no thread and no clock of its
// own. Each Advance runs the card's mixing callback once for the given number of frames, on
// the calling thread, and returns what the card would have played.
class ZEM_EXPORT ManualOutputClock {
public:
    struct Impl;
    explicit ManualOutputClock(Impl* impl);
    ~ManualOutputClock();

    // Mixes frames frames (any count); returns frames x GetChannels() interleaved 16-bit
    // samples, valid until the next Advance. Call from one thread at a time.
    const short* Advance(unsigned long frames);
    // Total frames mixed so far.
    unsigned long long GetFramesRendered();
    int GetChannels();
    unsigned long GetSampleRate();
    OutputDevice* GetDevice();

private:
    Impl* impl_;
};

class ZEM_EXPORT OutputManager {
public:
    OutputManager();
    ~OutputManager();
    OutputManager(const OutputManager&) = delete;
    OutputManager& operator=(const OutputManager&) = delete;

    // Keeps the library at path when it is an output module; other files are ignored
    // (false, nothing reported).
    bool LoadOutputModule(char* path);
    // Adds a hand-driven card of 2 or 4 channels (tests); null for other channel counts or
    // a rate outside 8000..192000. Owned by the manager. Add it before the first group is
    // created, so that the first-start assignments include it.
    ManualOutputClock* AddManualDevice(const char* name, int channels,
                                       unsigned long samplesPerSecond);
    // A new ring for channel (-1: sound effects, 0..255 decks) of bufferBytes bytes of a
    // 16-bit PCM mono or stereo format; null when no enabled card plays that channel, the
    // card cannot be opened (see OutputDevice::GetLastError), or the request is invalid. The
    // caller deletes the group before the manager. The first call settles the card list: a
    // silent card when no other can play, and when no card has any assignment yet, every
    // channel, sound effects and master on the first card and headphones on the second.
    OutputGroup* CreateOutputGroup(int channel, WAVEFORMATEX* format, unsigned long bufferBytes);
    // The capture inputs in the order the modules list them; null beyond the last.
    InputDevice* GetInputDevice(int index);
    void GetOutputDevicesList(std::vector<OutputDevice*>& devices);
    void GetInputDevicesList(std::vector<InputDevice*>& devices);
    // Starts copying the mix of the master sub-channel from the first enabled card that plays
    // it (opening the card when nothing plays on it yet). Null when no card plays the master
    // sub-channel, it cannot be opened, or a capture is already open. The manager owns the
    // capture; the capture stays on that card until it is closed.
    OutputCapture* OpenMasterCapture();
    // Stops the copy (waiting for a callback under way) and frees the capture.
    void CloseMasterCapture(OutputCapture* capture);

private:
    struct Impl;
    Impl* impl_;
};

// The process-wide timing value of the audio settings (milliseconds).
ZEM_EXPORT unsigned long GetSyncTime();
ZEM_EXPORT void SetSyncTime(unsigned long value);
