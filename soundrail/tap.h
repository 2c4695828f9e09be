// A feed of one group's audio from the card that reads its ring to another card that also
// plays it (its headphones, or a second card on the same channel). Lock-free, one writer (the
// owner card's callback) and one reader (the other card's callback), with acquire/release
// atomics on the two counters; neither side allocates or waits.
#pragma once

#include <atomic>
#include <cstdint>

namespace soundrail {

class Tap {
public:
    static constexpr unsigned kFrames = 4096; // power of two
    // The reader drops what lies beyond this, so the two cards stay close in time.
    static constexpr unsigned kMaxLatencyFrames = 2048;

    // Owner card's callback.
    void Push(const float* left, const float* right, unsigned n) {
        const uint64_t w = write_.load(std::memory_order_relaxed);
        const uint64_t r = read_.load(std::memory_order_acquire);
        unsigned room = kFrames - static_cast<unsigned>(w - r);
        if (n > room)
            n = room;
        for (unsigned i = 0; i < n; ++i) {
            const unsigned at = static_cast<unsigned>((w + i) & (kFrames - 1));
            left_[at] = left[i];
            right_[at] = right[i];
        }
        write_.store(w + n, std::memory_order_release);
    }

    // Other card's callback: fills n frames, silence where the feed has none.
    void Pop(float* left, float* right, unsigned n) {
        const uint64_t w = write_.load(std::memory_order_acquire);
        uint64_t r = read_.load(std::memory_order_relaxed);
        if (w - r > kMaxLatencyFrames + n)
            r = w - kMaxLatencyFrames;
        unsigned have = static_cast<unsigned>(w - r);
        if (have > n)
            have = n;
        for (unsigned i = 0; i < have; ++i) {
            const unsigned at = static_cast<unsigned>((r + i) & (kFrames - 1));
            left[i] = left_[at];
            right[i] = right_[at];
        }
        for (unsigned i = have; i < n; ++i)
            left[i] = right[i] = 0.f;
        read_.store(r + have, std::memory_order_release);
    }

    // Other card's callback: drops what lies beyond the latency bound, keeping want frames.
    void Trim(unsigned want) {
        const uint64_t w = write_.load(std::memory_order_acquire);
        const uint64_t r = read_.load(std::memory_order_relaxed);
        if (w - r > kMaxLatencyFrames + want)
            read_.store(w - kMaxLatencyFrames, std::memory_order_release);
    }

    // Other card's callback: one frame, silence when the feed has none.
    void PopOne(float* frame) {
        const uint64_t w = write_.load(std::memory_order_acquire);
        const uint64_t r = read_.load(std::memory_order_relaxed);
        if (w == r) {
            frame[0] = frame[1] = 0.f;
            return;
        }
        const unsigned at = static_cast<unsigned>(r & (kFrames - 1));
        frame[0] = left_[at];
        frame[1] = right_[at];
        read_.store(r + 1, std::memory_order_release);
    }

private:
    float left_[kFrames] = {};
    float right_[kFrames] = {};
    std::atomic<uint64_t> write_{0};
    std::atomic<uint64_t> read_{0};
};

} // namespace soundrail
