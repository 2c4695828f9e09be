// Looks after sound cards whose stream stops calling back: unplugged, their driver or their
// sound server gone, or the system stalled. Such a stream never says so, it just falls quiet,
// and the decks on it would stall without a word. The watchdog's thread looks at every started
// card ten times a second. One whose stream has not called for kStallMs is marked failed
// (GetLastError says so; new groups go elsewhere), and the watchdog mixes its groups in
// silence at the card's pace, so that the decks on it keep time. When the stream calls again
// it takes its card back.
#pragma once

#include "platform/event.h"
#include "platform/thread.h"
#include "soundrail/device_core.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace soundrail {

// Long enough that a loaded machine's scheduling does not count as a lost card (a callback
// normally runs every few milliseconds), short enough to tell the user while they still play.
inline constexpr unsigned long kStallMs = 1500;

class Watchdog {
public:
    Watchdog() = default;
    ~Watchdog() { Stop(); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // User-interface thread: looks after core from now on (once; later calls do nothing).
    // Cards that are not watched are left alone.
    void Watch(DeviceCore* core);
    // Ends the thread; no card is failed over after it returns.
    void Stop();

private:
    struct Entry {
        DeviceCore* core;
        uint64_t calls;
        unsigned long since;    // when calls last changed, or the card was seen stopped
        unsigned long quietAt;  // when the stand-in took over
        uint64_t standInFrames; // frames it has mixed since
    };
    // One look at one card, with the watchdog's lock held.
    void Look(Entry& e, unsigned long now);
    void Run();

    std::mutex mutex_; // guards entries_
    std::vector<Entry> entries_;
    zem::Event quit_{true, false};
    zem::Thread thread_;
};

} // namespace soundrail
