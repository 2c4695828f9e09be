#include "platform/thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <system_error>

namespace zem {

namespace {

bool setNice(int nice) {
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    return setpriority(PRIO_PROCESS, tid, nice) == 0;
}

bool setRealtime(int offsetBelowMax) {
    sched_param param{};
    const int top = sched_get_priority_max(SCHED_FIFO);
    const int bottom = sched_get_priority_min(SCHED_FIFO);
    if (top < 0 || bottom < 0)
        return false;
    // Leave the very top to the sound server's own threads.
    param.sched_priority = top - offsetBelowMax > bottom ? top - offsetBelowMax : bottom;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

bool setNormal() {
    sched_param param{};
    param.sched_priority = 0;
    const bool policy = pthread_setschedparam(pthread_self(), SCHED_OTHER, &param) == 0;
    return setNice(0) && policy;
}

} // namespace

bool SetCurrentThreadPriority(int priority) {
    switch (priority) {
    case kPriorityNormal:
        return setNormal();
    case kPriorityAboveNormal:
        return setNice(-5);
    case kPriorityHighest:
        return setRealtime(20);
    case kPriorityTimeCritical:
        return setRealtime(10);
    default:
        return false;
    }
}

Thread::~Thread() {
    if (thread_.joinable()) {
        if (IsCurrent())
            thread_.detach();
        else
            thread_.join();
    }
}

bool Thread::Start(std::function<void()> body, int priority) {
    if (thread_.joinable())
        return false;
    done_.Reset();
    try {
        std::atomic<std::thread::id>* id = &id_;
        thread_ = std::thread([done = done_, id, body = std::move(body), priority]() mutable {
            id->store(std::this_thread::get_id());
            if (priority != kPriorityNormal)
                SetCurrentThreadPriority(priority);
            body();
            done.Set();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool Thread::Join(unsigned long timeoutMs) {
    if (!thread_.joinable())
        return true;
    if (IsCurrent())
        return false;
    if (!done_.Wait(timeoutMs))
        return false;
    thread_.join();
    id_.store(std::thread::id()); // ids of ended threads are reused
    return true;
}

} // namespace zem
