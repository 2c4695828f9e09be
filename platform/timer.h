// A periodic timer whose callback runs on a thread of its own, standing in for the
// multimedia timer.
#pragma once

#include "platform/event.h"
#include "platform/thread.h"

#include <atomic>
#include <functional>

namespace zem {

// True when the system's monotonic clock resolves at least resolutionMs (the request a
// multimedia timer period stands for).
bool TimerResolutionAvailable(unsigned resolutionMs);

class PeriodicTimer {
public:
    PeriodicTimer() = default;
    ~PeriodicTimer() { Kill(); }
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Calls callback every periodMs on the timer's thread, the first time one period after
    // Start. Ticks follow absolute deadlines so they do not drift; a callback that overruns
    // is not called again for the ticks it missed. resolutionMs is the accepted lateness,
    // kept for the caller's bookkeeping (the system's timer is far finer). False when a
    // period of 0 is asked, the timer already runs, or no thread could be started.
    bool Start(unsigned periodMs, unsigned resolutionMs, std::function<void()> callback,
               int priority = kPriorityNormal);
    // Stops the timer. Called from any other thread it returns after the last callback has
    // finished; called from inside the callback it returns at once and no further callback
    // follows.
    void Kill();
    bool Running() const { return running_.load(std::memory_order_acquire); }
    unsigned PeriodMs() const { return period_; }
    unsigned ResolutionMs() const { return resolution_; }

private:
    void run();

    std::function<void()> callback_;
    unsigned period_ = 0;
    unsigned resolution_ = 0;
    std::atomic<bool> running_{false};
    Event stop_{true, false};
    Thread thread_;
};

} // namespace zem
