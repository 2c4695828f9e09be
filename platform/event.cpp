#include "platform/event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zem {

namespace {

// One thread blocked in WaitForAnyEvent. Lives on that thread's stack.
struct Waiter {
    std::mutex m;
    std::condition_variable cv;
    bool woken = false;
};

// Links a waiter into one event's list; also on the waiting thread's stack.
struct WaitLink {
    Waiter* waiter = nullptr;
    WaitLink* prev = nullptr;
    WaitLink* next = nullptr;
};

} // namespace

// Lock order: an event's mutex, then a waiter's mutex. A waiter never holds its own mutex
// while taking an event's.
struct EventState {
    std::mutex m;
    bool manual;
    bool signalled;
    WaitLink* waiters = nullptr;

    EventState(bool manualReset, bool initial) : manual(manualReset), signalled(initial) {}

    // Pre: m held.
    bool consume() {
        if (!signalled)
            return false;
        if (!manual)
            signalled = false;
        return true;
    }
    // Pre: m held.
    void link(WaitLink* l) {
        l->prev = nullptr;
        l->next = waiters;
        if (waiters)
            waiters->prev = l;
        waiters = l;
    }
    // Pre: m held.
    void unlink(WaitLink* l) {
        if (l->prev)
            l->prev->next = l->next;
        else
            waiters = l->next;
        if (l->next)
            l->next->prev = l->prev;
        l->prev = l->next = nullptr;
    }
};

Event::Event(bool manualReset, bool initialState)
    : state_(std::make_shared<EventState>(manualReset, initialState)) {}

Event::~Event() = default;

void Event::Set() {
    std::lock_guard<std::mutex> lock(state_->m);
    state_->signalled = true;
    for (WaitLink* l = state_->waiters; l; l = l->next) {
        std::lock_guard<std::mutex> wl(l->waiter->m);
        l->waiter->woken = true;
        l->waiter->cv.notify_one();
    }
}

void Event::Reset() {
    std::lock_guard<std::mutex> lock(state_->m);
    state_->signalled = false;
}

bool Event::IsSet() const {
    std::lock_guard<std::mutex> lock(state_->m);
    return state_->signalled;
}

bool Event::IsManualReset() const {
    return state_->manual;
}

bool Event::Wait(unsigned long timeoutMs) {
    const Event* one = this;
    return WaitForAnyEvent(&one, 1, timeoutMs) == 0;
}

namespace {

int tryConsumeAny(EventState* const* states, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        std::lock_guard<std::mutex> lock(states[i]->m);
        if (states[i]->consume())
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int WaitForAnyEvent(const Event* const* events, std::size_t count, unsigned long timeoutMs) {
    if (count == 0 || count > Event::kMaxWaitObjects)
        return -2;
    EventState* states[Event::kMaxWaitObjects];
    for (std::size_t i = 0; i < count; ++i) {
        if (!events[i])
            return -2;
        states[i] = events[i]->state_.get();
    }

    int hit = tryConsumeAny(states, count);
    if (hit >= 0 || timeoutMs == 0)
        return hit;

    using Clock = std::chrono::steady_clock;
    const bool infinite = timeoutMs == Event::kInfinite;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);

    Waiter waiter;
    WaitLink links[Event::kMaxWaitObjects];
    for (std::size_t i = 0; i < count; ++i) {
        links[i].waiter = &waiter;
        std::lock_guard<std::mutex> lock(states[i]->m);
        states[i]->link(&links[i]);
    }

    for (;;) {
        // Checked after linking, so a Set between the first look and the linking is not lost.
        hit = tryConsumeAny(states, count);
        if (hit >= 0)
            break;
        std::unique_lock<std::mutex> wl(waiter.m);
        if (infinite) {
            waiter.cv.wait(wl, [&] { return waiter.woken; });
        } else if (!waiter.cv.wait_until(wl, deadline, [&] { return waiter.woken; })) {
            wl.unlock();
            // One last look: a Set racing with the time-out still counts.
            hit = tryConsumeAny(states, count);
            break;
        }
        // Another waiter may consume an auto-reset event first; then wait again.
        waiter.woken = false;
    }

    for (std::size_t i = 0; i < count; ++i) {
        std::lock_guard<std::mutex> lock(states[i]->m);
        states[i]->unlink(&links[i]);
    }
    return hit;
}

} // namespace zem
