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
#include <functional>

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

    // handler answers on this object's thread.
    explicit RequestChannel(Handler handler, QObject* parent = nullptr);

    intptr_t Send(int code, const RequestArgs& args, int waitMs = kDefaultWaitMs);

private:
    Handler m_handler;
};

} // namespace zem::shell
