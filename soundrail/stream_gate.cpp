#include "soundrail/stream_gate.h"

#include "platform/event.h"

#include <thread>

namespace soundrail {

namespace {
std::atomic<int> g_pendingCloses{0};
}

void StreamGate::Cut() {
    for (;;) {
        int open = kOpen;
        if (state_.compare_exchange_strong(open, kCut, std::memory_order_acq_rel) || open == kCut)
            return;
        std::this_thread::yield();
    }
}

void CloseGatedStream(const SoundrailOutputModule* module, void* stream,
                      std::shared_ptr<StreamGate> gate) {
    if (!stream)
        return;
    zem::Event done(true, false);
    g_pendingCloses.fetch_add(1);
    // The thread owns what the stream may still reach: the gate and the done event.
    std::thread closer([module, stream, gate, done]() mutable {
        module->closeStream(stream);
        done.Set();
        g_pendingCloses.fetch_sub(1);
    });
    if (done.Wait(kCloseWaitMs)) {
        closer.join();
        return;
    }
    // The module is stuck on a card that is gone: cut the stream off and let the close
    // finish whenever it does.
    gate->Cut();
    closer.detach();
}

bool GatedClosesPending() {
    return g_pendingCloses.load() > 0;
}

} // namespace soundrail
