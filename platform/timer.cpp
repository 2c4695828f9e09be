#include "platform/timer.h"

#include <time.h>

namespace zem {

namespace {

void addMs(timespec& t, unsigned ms) {
    t.tv_sec += ms / 1000;
    t.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
    if (t.tv_nsec >= 1000000000L) {
        t.tv_nsec -= 1000000000L;
        ++t.tv_sec;
    }
}

bool before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

} // namespace

bool TimerResolutionAvailable(unsigned resolutionMs) {
    timespec res{};
    if (clock_getres(CLOCK_MONOTONIC, &res) != 0)
        return false;
    const long long ns = static_cast<long long>(res.tv_sec) * 1000000000LL + res.tv_nsec;
    return ns <= static_cast<long long>(resolutionMs) * 1000000LL;
}

bool PeriodicTimer::Start(unsigned periodMs, unsigned resolutionMs, std::function<void()> callback,
                          int priority) {
    if (periodMs == 0 || !callback || thread_.Started())
        return false;
    period_ = periodMs;
    resolution_ = resolutionMs;
    callback_ = std::move(callback);
    stop_.Reset();
    running_.store(true, std::memory_order_release);
    if (!thread_.Start([this] { run(); }, priority)) {
        running_.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void PeriodicTimer::run() {
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    addMs(next, period_);
    while (!stop_.IsSet()) {
        // Sleep in the kernel to the absolute deadline; EINTR just sleeps again.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) != 0) {
        }
        if (stop_.IsSet())
            break;
        callback_();
        addMs(next, period_);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        while (before(next, now))
            addMs(next, period_);
    }
}

void PeriodicTimer::Kill() {
    running_.store(false, std::memory_order_release);
    stop_.Set();
    // From inside the callback: the loop sees the stop event once the callback returns.
    if (thread_.IsCurrent())
        return;
    if (!thread_.Started())
        return;
    thread_.Join(Event::kInfinite);
}

} // namespace zem
