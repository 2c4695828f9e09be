// The interface request channel: outside callers (the host bridge library, for interface
// plug-ins) ask the program by request code with three arguments and get one reply. Every
// request runs on the user-interface thread: directly when asked there, otherwise queued while
// the caller waits. The wait is bounded: a caller on a deck's playback thread must not hang
// while the user-interface thread stops or closes that very deck and waits for the thread. A
// request whose wait ran out before it started never runs at all; one still running when it
// ran out finishes on its own. Either way the caller gets 0.
//
// Threads: Send from any thread; the handler runs on the thread the channel lives on.
#pragma once

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QSocketNotifier;

namespace zem::shell {

struct RequestArgs {
    intptr_t a0 = 0;
    intptr_t a1 = 0;
    intptr_t a2 = 0;
};

class RequestChannel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<intptr_t(int code, const RequestArgs& args)>;
    static constexpr int kDefaultWaitMs = 2000;

    // handler answers on this object's thread (the one that makes it).
    explicit RequestChannel(Handler handler, QObject* parent = nullptr);
    ~RequestChannel() override;

    intptr_t Send(int code, const RequestArgs& args, int waitMs = kDefaultWaitMs);
    // Any call, carried like a request; a negative waitMs waits without a bound (a dialog that
    // waits for the user). call must own what it reads (capture by value): a
    // caller that gave up is gone while a call already running finishes.
    intptr_t Run(std::function<intptr_t()> call, int waitMs = kDefaultWaitMs);

    // Runs the requests queued so far (the event loop does this when woken); tests call it to
    // answer requests without running anything else.
    void RunQueued();

private:
    struct Queued;

    Handler m_handler;
    std::thread::id m_owner;
    // Other threads queue here and wake the event loop through an event counter: nothing of
    // Qt runs on their side (a deck's playback thread calls in).
    std::mutex m_queueLock;
    std::deque<std::shared_ptr<Queued>> m_queue;
    int m_wake = -1;
    QSocketNotifier* m_notifier = nullptr;
};

// While one lives, requests from this thread give up waiting as soon as stop(context) is true:
// a deck's playback thread, calling out from a progress event, stops waiting once the deck
// shuts down, since the user-interface thread is then waiting for that very thread.
class GiveUpWhen {
public:
    GiveUpWhen(bool (*stop)(const void* context), const void* context);
    ~GiveUpWhen();
    GiveUpWhen(const GiveUpWhen&) = delete;
    GiveUpWhen& operator=(const GiveUpWhen&) = delete;

private:
    bool (*m_previousStop)(const void*);
    const void* m_previousContext;
};

} // namespace zem::shell
