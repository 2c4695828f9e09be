// Locks as the engine uses them. Win32 mutexes and critical sections are re-entrant for their
// owner, so both map onto a recursive mutex.
#pragma once

#include <mutex>

namespace zem {

using RecursiveMutex = std::recursive_mutex;
using CriticalSection = std::recursive_mutex;

// Scoped lock that only tries: the heartbeat's tick guard skips a tick instead of queueing
// behind one that is still running.
class TryLockGuard {
public:
    explicit TryLockGuard(RecursiveMutex& m) : m_(m), owns_(m.try_lock()) {}
    ~TryLockGuard() {
        if (owns_)
            m_.unlock();
    }
    TryLockGuard(const TryLockGuard&) = delete;
    TryLockGuard& operator=(const TryLockGuard&) = delete;
    bool OwnsLock() const { return owns_; }

private:
    RecursiveMutex& m_;
    bool owns_;
};

} // namespace zem
