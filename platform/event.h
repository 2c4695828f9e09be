// Win32-style events: manual-reset and auto-reset, with waits on one or several events.
//
// An Event is a handle: copies share the same underlying event, as duplicated handles do.
// Set, Reset and the waits may be called from any thread. Waiting allocates nothing, so the
// playback thread may wait on its events on the real-time path.
#pragma once

#include <cstddef>
#include <memory>

namespace zem {

struct EventState;

class Event {
public:
    // manualReset: stays signalled until Reset; otherwise a successful wait resets it.
    Event(bool manualReset, bool initialState);
    Event(const Event&) = default;
    Event& operator=(const Event&) = default;
    ~Event();

    void Set();
    void Reset();
    // True when the event was (and for auto-reset: has now been consumed) signalled within
    // timeoutMs. kInfinite waits forever.
    bool Wait(unsigned long timeoutMs);
    // Looks at the state without consuming it.
    bool IsSet() const;
    bool IsManualReset() const;
    // True when both handles name the same event.
    bool SameAs(const Event& other) const { return state_ == other.state_; }

    static constexpr unsigned long kInfinite = 0xFFFFFFFFUL;
    static constexpr std::size_t kMaxWaitObjects = 64;

private:
    friend int WaitForAnyEvent(const Event* const* events, std::size_t count,
                               unsigned long timeoutMs);
    std::shared_ptr<EventState> state_;
};

// Waits until one of the events is signalled; returns the lowest index among those signalled
// (consuming it when it is auto-reset), -1 on time-out, -2 when count is 0 or above
// Event::kMaxWaitObjects or an entry is null.
int WaitForAnyEvent(const Event* const* events, std::size_t count, unsigned long timeoutMs);

} // namespace zem
