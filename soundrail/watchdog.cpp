#include "soundrail/watchdog.h"

#include "platform/clock.h"

#include <algorithm>

namespace soundrail {

void Watchdog::Watch(DeviceCore* core) {
    if (!core || !core->watched)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Entry& e : entries_)
            if (e.core == core)
                return;
        entries_.push_back({core, core->StreamCalls(), zem::ClockMs(), 0, 0});
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
    while (!quit_.Wait(100)) {
        const unsigned long now = zem::ClockMs();
        std::lock_guard<std::mutex> lock(mutex_);
        for (Entry& e : entries_)
            Look(e, now);
    }
}

void Watchdog::Look(Entry& e, unsigned long now) {
    DeviceCore& core = *e.core;
    const uint64_t calls = core.StreamCalls();
    if (calls != e.calls || !core.started.load()) {
        e.calls = calls;
        e.since = now;
        core.failed.store(false); // the stream plays again: it has its card back
        return;
    }
    if (!core.failed.load()) {
        if (now - e.since <= kStallMs)
            return;
        core.failed.store(true);
        e.quietAt = now;
        e.standInFrames = 0;
    }
    // Keep the card's pace from the moment it fell quiet; a watchdog that was held up does
    // not mix more than a second at once.
    const uint64_t due = static_cast<uint64_t>(now - e.quietAt) * core.rate.load() / 1000;
    const uint64_t frames = std::min<uint64_t>(due - e.standInFrames, core.rate.load());
    core.RenderStandIn(static_cast<unsigned long>(frames));
    e.standInFrames = due;
}

} // namespace soundrail
