#include "soundrail/watchdog.h"

#include "platform/clock.h"

namespace soundrail {

void Watchdog::Watch(DeviceCore* core) {
    if (!core || !core->Watched())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Entry& e : entries_)
            if (e.core == core)
                return;
        entries_.push_back({core, core->callbackSeq.load(), zem::ClockMs()});
    }
    if (!thread_.Started())
        thread_.Start([this] { Run(); });
}

void Watchdog::Stop() {
    quit_.Set();
    if (thread_.Started())
        thread_.Join(zem::Event::kInfinite);
}

void Watchdog::Run() {
    std::vector<DeviceCore*> lost;
    lost.reserve(kMaxDevices);
    while (!quit_.Wait(100)) {
        const unsigned long now = zem::ClockMs();
        lost.clear();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (Entry& e : entries_) {
                const uint64_t seq = e.core->callbackSeq.load();
                if (seq != e.seq || !e.core->started.load() || e.core->failed.load()) {
                    e.seq = seq;
                    e.since = now;
                } else if (now - e.since > kStallMs) {
                    lost.push_back(e.core);
                    e.since = now;
                }
            }
        }
        // Outside the lock: closing a dead stream may take a while.
        for (DeviceCore* core : lost)
            core->FailOver();
    }
}

} // namespace soundrail
