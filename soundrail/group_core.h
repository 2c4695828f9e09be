// The state behind one OutputGroup: its ring of PCM, its positions and its controls.
//
// The ring is a lock-free single-writer single-reader FIFO. The writer is the deck's
// heartbeat (Lock/Unlock/WriteSilence and the position calls); the reader is the callback of
// the card that owns the group. Each side owns its counters and publishes them with release
// stores; the other side reads them with acquire loads, which also orders the ring bytes. A
// read reposition asked by the writer travels through a one-slot mailbox the reader empties
// at the start of its callback. Positions are absolute byte counts starting far from zero,
// so a cursor moved backwards never wraps below zero; ring index = count % size.
#pragma once

#include "contracts/soundrail.h"
#include "soundrail/resampler.h"
#include "soundrail/tap.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace soundrail {

inline constexpr int kMaxDevices = 16;
struct DeviceCore;

// Gain of one group on one card's output, moving toward its target (reader-side state).
struct GainRamp {
    float gain = 0.f;
    uint32_t jumpSeen = 0;
    bool started = false;
};

float GainFromHundredthsDb(long value);

} // namespace soundrail

struct OutputGroup::Impl {
    Impl(int channel, const WAVEFORMATEX& format, uint64_t bytes);

    // Immutable after creation.
    const int channel;
    WAVEFORMATEX format;
    const unsigned blockAlign;
    const unsigned channels;
    const uint64_t size;
    std::unique_ptr<uint8_t[]> data; // size bytes, then size more for writes across the end
    soundrail::DeviceCore* owner = nullptr;
    // One feed per other card that plays this group, by card index.
    std::unique_ptr<soundrail::Tap> taps[soundrail::kMaxDevices];
    soundrail::DeviceCore* feedDevices[soundrail::kMaxDevices] = {};
    // State of the card that reads feed d, when it runs at another rate than the owner.
    soundrail::Resampler tapResamplers[soundrail::kMaxDevices];

    // Writer side (heartbeat thread).
    std::atomic<uint64_t> writeAbs;
    uint64_t balanceBase = 0;
    uint64_t lockedBytes = 0;
    uint64_t snapRead = 0, snapPlayed = 0, snapDeficit = 0, lastPlayedReported = 0;
    uint64_t seenSeekEpoch = 0;
    int64_t snapSeek = -1;

    // Reader side (owner card's callback).
    std::atomic<uint64_t> readAbs;
    std::atomic<uint64_t> played{0};  // source bytes the card has consumed, silence included
    std::atomic<uint64_t> deficit{0}; // source bytes played as silence because the ring was dry
    // Source bytes played as silence because the ring was dry while the group was heard (not
    // muted): the underruns a listener notices.
    std::atomic<uint64_t> underrun{0};
    std::atomic<int64_t> seekRequest{-1};
    // A read reposition restarts the balance from what lies between the two cursors: the
    // reader publishes the deficit at the moment it moved, then bumps seekEpoch (after
    // storing readAbs, so a writer that sees the new epoch sees the moved cursor).
    std::atomic<uint64_t> deficitAtSeek{0};
    std::atomic<uint64_t> playedAtSeek{0};
    std::atomic<uint64_t> seekEpoch{0};
    soundrail::Resampler resampler;
    soundrail::GainRamp mainRamp[soundrail::kMaxDevices];
    soundrail::GainRamp headphoneRamp[soundrail::kMaxDevices];

    // Controls, set by the engine from any thread, read by the callbacks.
    std::atomic<bool> playing{false};
    std::atomic<bool> muted{false};
    std::atomic<bool> headphoneMuted{true};
    std::atomic<long> volume{0};
    std::atomic<long> headphoneVolume{0};
    std::atomic<unsigned long> pitch;
    std::atomic<int> syncType{kSyncImmediate};
    std::atomic<uint32_t> jumpSeq{0}; // bumped by a volume change that must not ramp

    // Reader: produces n frames of the group's source at step source frames per output
    // frame into left/right (a mono group fills both). Only while playing.
    void Render(float* left, float* right, unsigned n, double step);
    // Reader: the group is not playing; only a pending reposition is taken.
    void ServiceStopped();
    bool TakeSeek(uint64_t& readPos);
    // Writer: free bytes with the reader at readPos.
    uint64_t FreeBytes(uint64_t readPos) const;
    uint64_t EffectiveRead(uint64_t readPos) const;
    void Commit(uint64_t bytes);
};
