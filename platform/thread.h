// Threads with a join that can time out, and Win32-style priorities.
#pragma once

#include "platform/event.h"

#include <atomic>
#include <functional>
#include <thread>

namespace zem {

// The Win32 priority values the program stores in its settings.
enum ThreadPriority : int {
    kPriorityNormal = 0,
    kPriorityAboveNormal = 1,
    kPriorityHighest = 2,
    kPriorityTimeCritical = 15,
};

// Sets the calling thread's priority. Highest and time-critical ask for real-time scheduling,
// above-normal for a better nice value; the system may refuse (no privilege), and then the
// thread quietly keeps its priority. Returns whether the system took the request. Unknown
// values are ignored and give false.
bool SetCurrentThreadPriority(int priority);

// One thread of work. Start at most once; the destructor joins (waits) if the thread still
// runs, so a Thread must not be destroyed from its own body.
class Thread {
public:
    Thread() = default;
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // False when already started or the system cannot start a thread.
    bool Start(std::function<void()> body, int priority = kPriorityNormal);
    // Waits up to timeoutMs (Event::kInfinite: forever) for the body to return. True once the
    // thread has ended and been joined; false on time-out, the thread still running.
    bool Join(unsigned long timeoutMs);
    bool Started() const { return thread_.joinable(); }
    // True on the thread itself. Safe from any thread, also while Start is returning.
    bool IsCurrent() const { return id_.load() == std::this_thread::get_id(); }

private:
    std::thread thread_;
    // Set by the thread itself before its body runs, so that the body can tell it is itself
    // even before Start has stored thread_.
    std::atomic<std::thread::id> id_{};
    Event done_{true, false};
};

} // namespace zem
