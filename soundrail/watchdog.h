// Notices a sound card that stopped calling back: unplugged, its driver or its sound server
// gone. Its stream never says so, it just falls quiet, and the decks on it would stall without
// a word. The watchdog's thread looks at every started card ten times a second; one whose
// callback has not run for stallMs is handed to DeviceCore::FailOver.
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
    // Cards that are not Watched() are left alone.
    void Watch(DeviceCore* core);
    // Ends the thread; no card is failed over after it returns.
    void Stop();

private:
    struct Entry {
        DeviceCore* core;
        uint64_t seq;
        unsigned long since; // when seq was last seen to change, or the card to be idle
    };
    void Run();

    std::mutex mutex_; // guards entries_
    std::vector<Entry> entries_;
    zem::Event quit_{true, false};
    zem::Thread thread_;
};

} // namespace soundrail
