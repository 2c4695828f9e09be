// How a module's stream reaches its card, and how it is closed without hanging the caller.
//
// A stream's callbacks pass through a gate. Closing waits a while for the module; a module
// that takes longer (PortAudio waits up to ten minutes for a JACK server that has died) is
// left to finish on a thread of its own, and the gate is cut first, so that a callback that
// still comes never touches a card or an input that has moved on or gone.
#pragma once

#include "soundrail/output_module.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace soundrail {

class StreamGate {
public:
    StreamGate(void* target, int channels) : target_(target), channels_(channels) {}

    // Card's thread: true when the callback may reach the target, then Leave. Never waits.
    // The call is counted: the sign of life the watchdog looks for.
    bool Enter() {
        calls_.fetch_add(1, std::memory_order_relaxed);
        return TryEnter();
    }
    // The watchdog's stand-in: as Enter, uncounted. It and the stream never mix at once.
    bool TryEnter() {
        int open = kOpen;
        return state_.compare_exchange_strong(open, kBusy, std::memory_order_acquire);
    }
    uint64_t Calls() const { return calls_.load(std::memory_order_relaxed); }
    void Leave() { state_.store(kOpen, std::memory_order_release); }

    // No callback reaches the target once this returns. A callback inside is waited for: it
    // runs the library's own mixing or capture code, which never blocks.
    void Cut();

    void* target() const { return target_; }
    int channels() const { return channels_; }

private:
    static constexpr int kOpen = 0, kBusy = 1, kCut = 2;
    std::atomic<int> state_{kOpen};
    std::atomic<uint64_t> calls_{0};
    void* const target_;
    const int channels_;
};

// Closes stream, waiting at most kCloseWaitMs for the module; after that the gate is cut and
// the close goes on by itself. Either way no callback reaches the gate's target afterwards.
inline constexpr unsigned long kCloseWaitMs = 1000;
void CloseGatedStream(const SoundrailOutputModule* module, void* stream,
                      std::shared_ptr<StreamGate> gate);

// True while a close that took too long still runs: its module must stay loaded.
bool GatedClosesPending();

} // namespace soundrail
