#include "app/shell/request_channel.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace zem::shell {

namespace {

// One queued request, shared by the caller and the queued call: whichever side comes first
// decides whether it runs (taken) or not (abandoned).
struct Pending {
    enum State { kWaiting, kTaken, kDone, kAbandoned };
    std::mutex lock;
    std::condition_variable done;
    State state = kWaiting;
    intptr_t reply = 0;
};

// One for every channel: the queued call takes it before it reads anything it carries, so it
// cannot be reached through a capture.
std::mutex& PostLock() {
    static std::mutex lock;
    return lock;
}

thread_local bool (*t_stop)(const void*) = nullptr;
thread_local const void* t_stopContext = nullptr;

// How often a waiting caller looks at its give-up condition.
constexpr auto kStopPoll = std::chrono::milliseconds(2);

} // namespace

GiveUpWhen::GiveUpWhen(bool (*stop)(const void*), const void* context)
    : m_previousStop(t_stop), m_previousContext(t_stopContext) {
    t_stop = stop;
    t_stopContext = context;
}

GiveUpWhen::~GiveUpWhen() {
    t_stop = m_previousStop;
    t_stopContext = m_previousContext;
}

RequestChannel::RequestChannel(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

intptr_t RequestChannel::Send(int code, const RequestArgs& args, int waitMs) {
    if (QThread::currentThread() == thread())
        return m_handler(code, args);
    return Run([this, code, args] { return m_handler(code, args); }, waitMs);
}

intptr_t RequestChannel::Run(std::function<intptr_t()> call, int waitMs) {
    if (QThread::currentThread() == thread())
        return call();
    auto pending = std::make_shared<Pending>();
    // Qt's event queue hands the call over with locks the thread sanitizer cannot see; taking
    // this lock around the posting and before the call touches what it carries shows it the
    // order that the queue already guarantees.
    std::unique_lock<std::mutex> posting(PostLock());
    const bool queued = QMetaObject::invokeMethod(
        this,
        [pending, call = std::move(call)] {
            { std::lock_guard<std::mutex> posted(PostLock()); }
            {
                std::lock_guard<std::mutex> guard(pending->lock);
                if (pending->state != Pending::kWaiting)
                    return; // the caller gave up: nothing of it may happen now
                pending->state = Pending::kTaken;
            }
            const intptr_t reply = call();
            std::lock_guard<std::mutex> guard(pending->lock);
            pending->reply = reply;
            pending->state = Pending::kDone;
            pending->done.notify_all();
        },
        Qt::QueuedConnection);
    posting.unlock();
    if (!queued)
        return 0;
    std::unique_lock<std::mutex> guard(pending->lock);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (pending->state != Pending::kDone) {
        const auto now = std::chrono::steady_clock::now();
        const bool bounded = waitMs >= 0;
        if ((bounded && now >= deadline) || (t_stop && t_stop(t_stopContext)))
            break;
        if (!bounded && !t_stop)
            pending->done.wait(guard);
        else if (!t_stop)
            pending->done.wait_until(guard, deadline);
        else
            pending->done.wait_until(guard, bounded ? std::min(deadline, now + kStopPoll)
                                                    : now + kStopPoll);
    }
    switch (pending->state) {
    case Pending::kDone:
        return pending->reply;
    case Pending::kWaiting:
        pending->state = Pending::kAbandoned; // it will not run
        return 0;
    default:
        // Running, and perhaps waiting for this very thread (closing the deck whose playback
        // thread asked): it finishes on its own; the reply is lost.
        return 0;
    }
}

} // namespace zem::shell
