// A copy of what the audience hears: the final 16-bit stereo mix of a card's master
// sub-channel, for a recorder. One writer (the card's callback, or the watchdog's stand-in,
// never both at once) and one reader (the recorder's thread), with acquire/release atomics on
// the two frame counters. The writer never allocates, locks or waits: what does not fit is
// dropped and counted, so a reader that falls behind loses the newest audio, not the card's
// time.
#pragma once

#include "contracts/soundrail.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace soundrail {

struct DeviceCore;

class CaptureRing {
public:
    // Four seconds: a reader that wakes every few tens of milliseconds never comes close.
    explicit CaptureRing(unsigned rate)
        : frames_(static_cast<uint64_t>(rate) * 4), ring_(frames_ * 2) {}

    // Card's thread: copies frames from out (channels interleaved), the pair starting at
    // firstChannel; a negative firstChannel (no master sub-channel now) adds silence, so the
    // recording keeps the card's time.
    void Push(const int16_t* out, unsigned frames, int channels, int firstChannel) {
        const uint64_t w = write_.load(std::memory_order_relaxed);
        const uint64_t r = read_.load(std::memory_order_acquire);
        const uint64_t room = frames_ - (w - r);
        const unsigned n = room < frames ? static_cast<unsigned>(room) : frames;
        for (unsigned i = 0; i < n; ++i) {
            const uint64_t at = ((w + i) % frames_) * 2;
            if (firstChannel < 0) {
                ring_[at] = ring_[at + 1] = 0;
            } else {
                const int16_t* f = out + static_cast<size_t>(i) * channels + firstChannel;
                ring_[at] = f[0];
                ring_[at + 1] = f[1];
            }
        }
        if (n < frames)
            dropped_.fetch_add(frames - n, std::memory_order_relaxed);
        write_.store(w + n, std::memory_order_release);
    }

    // Reader's thread.
    uint64_t AvailableFrames() const {
        return write_.load(std::memory_order_acquire) - read_.load(std::memory_order_relaxed);
    }
    uint64_t Read(int16_t* out, uint64_t frames) {
        const uint64_t r = read_.load(std::memory_order_relaxed);
        const uint64_t have = AvailableFrames();
        if (frames > have)
            frames = have;
        for (uint64_t i = 0; i < frames; ++i) {
            const uint64_t at = ((r + i) % frames_) * 2;
            out[2 * i] = ring_[at];
            out[2 * i + 1] = ring_[at + 1];
        }
        read_.store(r + frames, std::memory_order_release);
        return frames;
    }
    uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

private:
    const uint64_t frames_;
    std::vector<int16_t> ring_;
    std::atomic<uint64_t> write_{0};
    std::atomic<uint64_t> read_{0};
    std::atomic<uint64_t> dropped_{0};
};

} // namespace soundrail

struct OutputCapture::Impl {
    soundrail::DeviceCore* core;
    soundrail::CaptureRing ring;
};
