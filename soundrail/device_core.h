// One sound card as the library runs it: its assignments and settings, the groups it plays
// and the mixing callback.
//
// Threads: settings and group lists are changed on the user-interface thread; Render runs on
// the card's thread (or a test's, for a hand-driven card), or on the watchdog's while the
// card's stream has fallen quiet. The backend is guarded by backendMutex for the watchdog. The
// group list is an array of atomic pointers the callback scans; a group taken out is freed only
// once a callback that may have seen it has ended (callbackSeq is odd while a callback runs).
#pragma once

#include "contracts/soundrail.h"
#include "soundrail/group_core.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace soundrail {

inline constexpr int kMaxGroups = 320;
inline constexpr int kDeckChannels = 256;
inline constexpr unsigned kMaxBlock = 1024;
inline constexpr const char kStoppedResponding[] =
    "The device stopped responding. What it plays goes on in silence until it answers again; "
    "its channels can be assigned to another device.";

struct DeviceCore;
class CaptureRing;

// How a card's callback gets called: a system stream, a thread, or nothing (hand-driven).
class Backend {
public:
    virtual ~Backend() = default;
    // Starts calling core.Render on the card's thread; false with a reason in error.
    virtual bool Start(DeviceCore& core, std::string& error) = 0;
    virtual void Stop() = 0;
    // Callbacks the stream has made since it started; 0 without a stream of a system.
    virtual uint64_t Calls() const { return 0; }
    // The watchdog's stand-in for a stream that has fallen quiet: mixes frames (at most
    // kMaxBlock) into out, never at the same time as a callback of the stream. False when
    // there is no stream or its callback holds the card.
    virtual bool RenderStandIn(DeviceCore& /*core*/, int16_t* /*out*/, unsigned long /*frames*/) {
        return false;
    }
};

struct DeviceCore {
    DeviceCore(int index, std::string name, int channels, unsigned rate,
               std::unique_ptr<Backend> backend, bool defaultCandidate, bool watched);
    ~DeviceCore();

    const int index;
    const std::string name;
    const int channels; // 2 or 4
    const bool defaultCandidate;
    // True for a sound card the watchdog looks after: a module's card that plays in real
    // time. Hand-driven cards wait for their test, a file writer waiting on its disk is slow,
    // not gone, and the built-in silent card cannot go.
    const bool watched;
    std::atomic<unsigned> rate;
    std::string options; // settings text handed to a module's stream

    std::atomic<int8_t> assignment[kDeckChannels];
    std::atomic<int8_t> headphones{0};
    std::atomic<int8_t> master{0};
    std::atomic<int8_t> sfx{0};
    std::atomic<bool> disabled{false};
    std::atomic<bool> softwarePlayback{false};
    std::atomic<float> speedOffset{0.f}; // percent added to every group's rate on this card

    std::atomic<OutputGroup::Impl*> slots[kMaxGroups];
    std::atomic<uint64_t> callbackSeq{0};
    // The master mix's copy for a recorder, or null; set and cleared on the user-interface
    // thread, read by the callback (freed only once WaitOutCallback has returned).
    std::atomic<CaptureRing*> capture{nullptr};

    std::mutex backendMutex; // guards backend; held while a stream opens or closes
    std::unique_ptr<Backend> backend;
    std::atomic<bool> started{false};
    // Set while the card's stream has stopped calling back and the watchdog mixes its groups
    // in silence; cleared when the stream calls again.
    std::atomic<bool> failed{false};
    std::string lastError; // user-interface thread only
    std::unique_ptr<OutputDevice> api;
    // The channel map changes 256 times in a row when the wizard runs; it is written on the
    // manager's next call or when the card goes away, not once per channel.
    bool channelsDirty = false;

    // Card's thread: mixes frames frames of every group into out (channels interleaved).
    void Render(int16_t* out, unsigned long frames);
    // Card's thread: true when every playing group it reads has frames' worth of source.
    bool Ready(unsigned long frames);

    // User-interface thread.
    bool EnsureStarted();
    void StopBackend();
    const char* LastError() const;
    // Watchdog's thread.
    uint64_t StreamCalls();
    // Mixes frames of the card's groups and drops them, as the stream would have played them;
    // nothing when the stream's own callback holds the card.
    void RenderStandIn(unsigned long frames);
    bool AddGroup(OutputGroup::Impl* group);
    // False when a callback still ran after two seconds (the group must then not be freed).
    bool RemoveGroup(OutputGroup::Impl* group);
    // Waits until a callback that may have seen a pointer taken out just before has ended;
    // false when one still ran after two seconds.
    bool WaitOutCallback();
    // The sub-channel that plays channel (-1: sound effects) here; 0 when none.
    int SubChannelFor(int channel) const;

private:
    void RenderBlock(int16_t* out, unsigned n);
    void MixInto(float* dstLeft, float* dstRight, unsigned n, GainRamp& ramp, float target,
                 bool jump);

    int16_t standIn_[kMaxBlock * 4];
    float acc_[4][kMaxBlock];
    float left_[kMaxBlock];
    float right_[kMaxBlock];
};

// Takes a group out of every card that plays it, waiting for their callbacks to let go.
// False when one of them did not let go in time.
bool DetachGroup(OutputGroup::Impl* group);

// Device settings files (device_settings.cpp). Empty path: nothing is stored.
std::string SettingsFile();
void LoadDeviceSettings(DeviceCore& device);
// Writes every setting of the card, or only the one named by key.
void SaveDeviceSettings(const DeviceCore& device, const char* key = nullptr);
void FlushDeviceSettings(DeviceCore& device);

} // namespace soundrail

struct OutputDevice::Impl {
    soundrail::DeviceCore* core;
};
