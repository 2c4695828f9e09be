#include "app/shell/request_channel.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace zem::shell {

namespace {

// One queued request, shared by the caller and the queue: whichever side comes first decides
// whether it runs (taken) or not (abandoned).
struct Pending {
    enum State { kWaiting, kTaken, kDone, kAbandoned };
    std::mutex lock;
    std::condition_variable done;
    State state = kWaiting;
    intptr_t reply = 0;
};

thread_local bool (*t_stop)(const void*) = nullptr;
thread_local const void* t_stopContext = nullptr;

// How often a waiting caller looks at its give-up condition.
constexpr auto kStopPoll = std::chrono::milliseconds(2);

} // namespace

struct RequestChannel::Queued {
    std::shared_ptr<Pending> pending;
    std::function<intptr_t()> call;
};

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
    : QObject(parent), m_handler(std::move(handler)), m_owner(std::this_thread::get_id()),
      m_wake(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_wake >= 0) {
        m_notifier = new QSocketNotifier(m_wake, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            uint64_t count = 0;
            if (read(m_wake, &count, sizeof count) < 0) {
                // Nothing to read: another wake-up already drained it.
            }
            RunQueued();
        });
    }
}

RequestChannel::~RequestChannel() {
    // Requests still queued never run: their callers give up after their wait.
    delete m_notifier;
    if (m_wake >= 0)
        close(m_wake);
}

intptr_t RequestChannel::Send(int code, const RequestArgs& args, int waitMs) {
    if (std::this_thread::get_id() == m_owner)
        return m_handler(code, args);
    return Run([this, code, args] { return m_handler(code, args); }, waitMs);
}

void RequestChannel::RunQueued() {
    for (;;) {
        std::shared_ptr<Queued> next;
        {
            std::lock_guard<std::mutex> guard(m_queueLock);
            if (m_queue.empty())
                return;
            next = std::move(m_queue.front());
            m_queue.pop_front();
        }
        Pending& pending = *next->pending;
        {
            std::lock_guard<std::mutex> guard(pending.lock);
            if (pending.state != Pending::kWaiting)
                continue; // the caller gave up: nothing of it may happen now
            pending.state = Pending::kTaken;
        }
        const intptr_t reply = next->call();
        std::lock_guard<std::mutex> guard(pending.lock);
        pending.reply = reply;
        pending.state = Pending::kDone;
        pending.done.notify_all();
    }
}

intptr_t RequestChannel::Run(std::function<intptr_t()> call, int waitMs) {
    if (std::this_thread::get_id() == m_owner)
        return call();
    if (m_wake < 0)
        return 0;
    auto pending = std::make_shared<Pending>();
    {
        std::lock_guard<std::mutex> guard(m_queueLock);
        m_queue.push_back(std::make_shared<Queued>(Queued{pending, std::move(call)}));
    }
    const uint64_t one = 1;
    if (write(m_wake, &one, sizeof one) < 0) {
        // The counter is full: the loop is awake already.
    }
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
