#include "engine/deck/stream_device.h"

#include "engine/foundations/zem_exception.h"
#include "platform/clock.h"
#include "platform/mutex.h"
#include "platform/profile.h"

#include <algorithm>
#include <chrono>
#include <thread>

ProgressEvent::~ProgressEvent() = default;

bool LoopingProgressEvent::OnProgress(unsigned long progress) {
    owner->SetProgress(loopStart + (static_cast<uint32_t>(progress) - trigger));
    owner->SetLoopingProgressEvent(nullptr);
    return true;
}

namespace {
// Longest a paused-loop tick waits for the card to reach the loop's end: a card that stopped
// reading must not hold the heartbeat for ever.
constexpr unsigned long kPausedLoopSpinLimitMs = 200;
} // namespace

StreamDevice::StreamDevice()
    : m_timingMethod(zem::profile::GetInt("Playback", "Timing Method", 1)) {
    // Room for the loop-back events without growing on the heartbeat.
    m_events.reserve(32);
}

StreamDevice::~StreamDevice() {
    if (m_prepared && !m_unprepared) {
        try {
            UnPrepare();
        } catch (const ZEMException&) {
        }
    }
    {
        std::lock_guard<std::recursive_timed_mutex> lock(m_eventsMutex);
        for (ProgressEvent* e : m_events)
            delete e;
        m_events.clear();
    }
    if (m_currentSource != m_mainSource)
        delete m_currentSource;
    delete m_mainSource;
    m_currentSource = m_mainSource = nullptr;
    if (m_tickGuardHeld)
        m_tickGuard.unlock();
}

void StreamDevice::SetMainInputBuffer(DeviceInputBuffer* buffer) {
    m_mainSource = buffer;
    m_currentSource = buffer;
}

void StreamDevice::SetPlaybackThreadPriority(int priority) {
    if (m_threadStarted)
        m_wantedPriority.store(priority);
}

void StreamDevice::SetStreamStatus(int status) {
    m_previousStatus.store(m_status.load());
    m_status.store(status);
}

void StreamDevice::Prepare() {
    m_currentSource->Prepare();
    m_currentSource->SetEvFoundEnd(false);
    SetStreamStatus(kStreaming);
    m_progress.store(0);
    m_prepared = true;
    InitStreamDevice();
    MixerDevice::Prepare();
}

void StreamDevice::InitStreamDevice() {
    if (m_timingMethod == 0) {
        m_tickPeriod = kTickPeriodMs;
        m_timerResolution = m_tickPeriod / 5;
        if (!zem::TimerResolutionAvailable(static_cast<unsigned>(m_timerResolution))) {
            Stop();
            m_timerRunning = false;
            throw ZEMException("Can't create timer!", true, 0);
        }
        m_stopFlag.store(0);
        // A timer the system refuses leaves the deck without a heartbeat, silently.
        m_timerRunning =
            m_timer.Start(static_cast<unsigned>(m_tickPeriod),
                          static_cast<unsigned>(m_timerResolution), [this] { TimerTick(); });
    } else if (m_timingMethod == 1) {
        m_threadStarted = m_thread.Start([this] { ThreadLoop(); });
    }
}

void StreamDevice::TimerTick() {
    zem::TryLockGuard guard(m_tickGuard);
    if (guard.OwnsLock())
        TimeFunc();
}

void StreamDevice::ThreadLoop() {
    // Paced on a microsecond clock: rounding to whole milliseconds would stretch the mean tick
    // toward 34 ms, and a block of one tick's audio would then fall behind the card.
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(m_tickPeriod);
    auto start = Clock::now();
    const zem::Event stopped = m_currentSource->GetEvStopped();
    const zem::Event wantStop = m_currentSource->GetEvWantStop();
    const zem::Event* handles[3] = {&m_runEvent, &stopped, &wantStop};
    int priority = zem::kPriorityNormal;
    while (!wantStop.IsSet()) {
        const int wanted = m_wantedPriority.load();
        if (wanted != priority) {
            zem::SetCurrentThreadPriority(wanted);
            priority = wanted;
        }
        TimeFunc();
        zem::WaitForAnyEvent(handles, 3, zem::Event::kInfinite);
        const auto next = start + period;
        if (Clock::now() < next)
            std::this_thread::sleep_until(next);
        start = Clock::now();
    }
    CheckProgressEvents();
}

void StreamDevice::UnPrepare() {
    m_unprepared = true;
    m_currentSource->SetEvWantStop(true);
    m_stopFlag.store(1);
    if (m_timingMethod == 0 && m_timerRunning) {
        m_timer.Kill();
        m_tickGuard.lock(); // for good: no tick runs after this
        m_tickGuardHeld = true;
        m_timerRunning = false;
    }
    // The playback thread fires the shutdown events as it ends; without one (timer or no
    // driver) they fire here, so that they are never lost.
    if (!m_threadStarted)
        CheckProgressEvents();
    if (m_threadStarted) {
        if (!m_thread.Join(30000))
            throw ZEMException("Unable to shut down device thread!", true, 0);
        m_threadStarted = false;
    }
    m_currentSource->UnPrepare();
}

void StreamDevice::LoadFile(char* path) {
    MixerDevice::LoadFile(path);
    m_currentSource->LoadFile(path);
    m_currentSource->GetWaveFormat(&m_format);
}

void StreamDevice::Play() {
    m_currentSource->Play();
    std::lock_guard<std::recursive_mutex> lock(m_controlLock);
    if (!IsPlaying()) {
        // A pending reposition refills the output first. Meanwhile the heartbeat must not wait
        // for this thread (a progress callback asking it something).
        m_waitedOn.fetch_add(1);
        m_settleEvent.Wait(5000);
        m_waitedOn.fetch_sub(1);
    }
    m_currentSource->SetEvStopped(false);
    MixerDevice::Play();
    m_runEvent.Set();
}

void StreamDevice::Stop() {
    m_currentSource->Stop();
    std::lock_guard<std::recursive_mutex> lock(m_controlLock);
    m_currentSource->SetEvStopped(true);
    MixerDevice::Stop();
}

void StreamDevice::SetPosition(long position, bool seamless) {
    if (position < 0)
        position = 0;
    m_currentSource->DoSetPosition(static_cast<unsigned long>(position));
    if (!seamless) {
        m_settleEvent.Reset();
        m_seekTarget.store(static_cast<int32_t>(position));
        m_progress.store(static_cast<uint32_t>(position));
        SetStreamStatus(kRepositionRequested);
    }
    m_currentSource->SetEvFoundEnd(false);
    m_runEvent.Set();
}

unsigned long StreamDevice::GetPosition() {
    const int32_t target = m_seekTarget.load();
    return target != -1 ? static_cast<unsigned long>(static_cast<uint32_t>(target))
                        : m_progress.load();
}

unsigned long StreamDevice::GetLength() {
    return m_currentSource->GetLength();
}
unsigned long StreamDevice::GetTotalTime() {
    return m_currentSource->GetTotalTime();
}
bool StreamDevice::ShowSettings() {
    return m_currentSource->ShowSettings();
}

void StreamDevice::AddProgressEvent(ProgressEvent* event, unsigned long trigger) {
    if (!event)
        return;
    event->trigger = static_cast<uint32_t>(trigger);
    event->owner = this;
    std::lock_guard<std::recursive_timed_mutex> lock(m_eventsMutex);
    m_events.push_back(event);
}

bool StreamDevice::RemoveProgressEvent(ProgressEvent* event) {
    std::lock_guard<std::recursive_timed_mutex> lock(m_eventsMutex);
    if (std::find(m_events.begin(), m_events.end(), event) == m_events.end())
        return false;
    event->removed = true;
    if (!m_checking)
        CleanLocked();
    return true;
}

void StreamDevice::CleanProgressEvents() {
    std::lock_guard<std::recursive_timed_mutex> lock(m_eventsMutex);
    if (!m_checking)
        CleanLocked();
}

void StreamDevice::CleanLocked() {
    // In place and in order; the heartbeat cleans too, so nothing is allocated here.
    size_t kept = 0;
    for (ProgressEvent* e : m_events) {
        if (e->removed)
            delete e;
        else
            m_events[kept++] = e;
    }
    m_events.resize(kept);
}

bool StreamDevice::LockProgressEvents(bool wait, std::vector<ProgressEvent*>& events) {
    if (wait)
        m_eventsMutex.lock();
    else if (!m_eventsMutex.try_lock_for(std::chrono::milliseconds(1)))
        return true;
    events.insert(events.end(), m_events.begin(), m_events.end());
    return false;
}

bool StreamDevice::UnlockProgressEvents() {
    m_eventsMutex.unlock();
    return true;
}

void StreamDevice::CheckProgressEvents() {
    std::unique_lock<std::recursive_timed_mutex> lock(m_eventsMutex);
    if (m_checking)
        return; // a callback of this check got here again: the check under way goes on
    m_checking = true;
    const bool stopping = m_stopFlag.load() != 0;
    if (stopping)
        for (ProgressEvent* e : m_events)
            if (!e->removed && e->trigger != ProgressEvent::kTriggerShutdown)
                e->removed = true;
    // By index: an OnProgress, or another thread while the lock is down, may add events (the
    // list may grow while it is walked). Removed events stay in the list until the check ends.
    for (size_t i = 0; i < m_events.size(); ++i) {
        ProgressEvent* e = m_events[i];
        if (e->removed)
            continue;
        const uint32_t progress = m_progress.load();
        const bool fires = progress >= e->trigger ||
                           (GetFoundEndFlag() && e->trigger == ProgressEvent::kTriggerEndOfSong) ||
                           (stopping && e->trigger == ProgressEvent::kTriggerShutdown);
        if (!fires)
            continue;
        // The callback runs without the lock: it may ask the user-interface thread for
        // something while that thread adds or removes events of this deck.
        lock.unlock();
        const bool done = e->OnProgress(progress);
        lock.lock();
        if (done)
            e->removed = true;
    }
    m_checking = false;
    // Events removed during the check (from inside OnProgress too) go now, so that loop-backs
    // do not pile up.
    CleanLocked();
}

void StreamDevice::TimeFunc() {
    OutputGroup* group = m_outputGroup;
    DeviceInputBuffer* source = m_currentSource;
    if (!group || !source)
        return;
    const unsigned long block = m_blockSize.load();
    const unsigned long playStatus = GetPlayStatus();

    // 1. Paused looping: keep the card inside the loop of what is already in its ring.
    if (playStatus == 2 && m_status.load() == kStreaming) {
        m_runEvent.Set();
        const unsigned long lead =
            static_cast<unsigned long>(2 * (kTickPeriodMs * 0.001) * m_format.nAvgBytesPerSec);
        group->UpdatePositions();
        const unsigned long since = zem::ClockMs();
        for (;;) {
            const unsigned long read = group->GetLogicalReadPosition();
            if (read + lead <= m_pausedLoopEnd.load())
                return;
            if (read > m_pausedLoopEnd.load()) {
                group->SetLogicalReadPosition(m_pausedLoopStart.load());
                group->UpdatePositions();
            } else {
                if (zem::ClockMs() - since > kPausedLoopSpinLimitMs)
                    return;
                zem::YieldThread();
                group->UpdatePositions();
            }
        }
    }

    // 2. What the card has done since the last tick.
    long balance;
    unsigned long played;
    if (m_status.load() == kRefilling) {
        group->SetLogicalReadPosition(0);
        group->UpdatePositions();
        balance = group->GetPlayWriteBalance();
        played = 0;
    } else {
        group->UpdatePositions();
        balance = group->GetPlayWriteBalance();
        played = group->GetBytesPlayed();
    }
    unsigned long free = group->GetWriteBytesAvailable();

    // 3. A stopped deck with a full output waits for Play or SetPosition. Full is as full as
    // the writes below keep it, so that Play starts with the whole ring.
    const unsigned long room = WriteRoom(group->GetBufferBytes(), block);
    {
        const int s = m_status.load(), p = m_previousStatus.load();
        if (playStatus == 0 && ((s == kStreaming && free <= room) || s == kSourceExhausted) &&
            !(s == kSourceExhausted && p == kRefilling)) {
            m_runEvent.Reset();
            return;
        }
    }

    // 4. Accounting; an underrun becomes a reposition to where writing stands.
    bool service = true;
    if (m_status.load() == kStreaming) {
        if (balance >= 0) {
            m_progress.fetch_add(static_cast<uint32_t>(played));
            service = false;
        } else {
            m_previousStatus.store(kStreaming);
            m_status.store(kRepositionRequested);
            m_seekTarget.store(m_writePosition.load());
        }
    }

    // 5. Status service.
    if (service) {
        switch (m_status.load()) {
        case kRepositionRequested:
            m_settleEvent.Reset();
            group->SetMute(true);
            group->SetLogicalWritePosition(0);
            group->ResetPlayWriteBalance();
            free = group->GetBufferBytes();
            m_previousStatus.store(kRepositionRequested);
            m_progress.store(static_cast<uint32_t>(m_seekTarget.load()));
            m_writePosition.store(m_seekTarget.load());
            m_status.store(kRefilling);
            break;
        case kRefilling:
            if (balance <= 0) {
                m_settleEvent.Reset();
            } else {
                m_previousStatus.store(kRefilling);
                m_status.store(kStreaming);
                group->SetLogicalReadPosition(0);
                free = group->GetWriteBytesAvailable();
                group->SetMute(false);
                m_seekTarget.store(-1);
                m_settleEvent.Set();
                if (playStatus == 2)
                    PausedLoopingUpdate(0);
                if (free == 0)
                    return;
            }
            break;
        case kSourceExhausted:
            if (balance <= 0 && playStatus != 0) {
                // Events up to the end fire at the end, before the deck goes back to the start.
                CheckProgressEvents();
                Stop();
                group->ResetPlayWriteBalance();
                SetPosition(0, false);
                source->SetEvFoundEnd(true);
                SetFoundEndFlag(true);
                CheckProgressEvents();
                return;
            }
            if (source->GetLength() >= group->GetBufferBytes()) {
                group->WriteSilence(free, false);
                m_progress.fetch_add(static_cast<uint32_t>(played));
                // The song's last stretch is in the ring by now, and still plays: its events
                // fire as it does.
                CheckProgressEvents();
                return;
            }
            // A source shorter than the ring: refill it once more from the start. While it
            // plays out, silence follows its end, so that the card is never left dry (a dry
            // card counts as an underrun).
            if (m_previousStatus.load() != kRefilling && playStatus != 0)
                group->WriteSilence(free, false);
            if (m_previousStatus.load() == kRefilling) {
                group->WriteSilence(free, false);
                m_previousStatus.store(kSourceExhausted);
                m_status.store(kRefilling);
                TimeFunc();
                m_previousStatus.store(m_status.load());
                m_status.store(kSourceExhausted);
            }
            return;
        default:
            break;
        }
    }

    // 6. Position-triggered events.
    CheckProgressEvents();

    // 7-9. Write. One block per tick keeps the output between one and two blocks short of full;
    // a playing deck that has fallen behind (pitched up, or after a late tick) writes further
    // blocks in the same tick until it has caught up, except while a loop-back is in flight.
    if (m_stopFlag.load() != 0) {
        group->WriteSilence(free, true);
        m_writePosition.fetch_add(static_cast<int32_t>(free));
        return;
    }
    for (int n = 0; n < kMaxBlocksPerTick && block != 0 && free >= room; ++n) {
        const unsigned long count = WriteBlock(group, source, block, free, balance);
        m_writePosition.fetch_add(static_cast<int32_t>(count));
        // While a loop-back is in flight the source is already inside the next pass of the
        // loop; writing on would run it past the loop's end before the jump is accounted.
        if (count == 0 || m_status.load() != kStreaming || GetPlayStatus() != 1 ||
            m_loopingEvent.load())
            break;
        free -= std::min(free, count);
        balance += static_cast<long>(count);
    }
}

unsigned long StreamDevice::TickBytes() const {
    const unsigned long align = m_format.nBlockAlign ? m_format.nBlockAlign : 1;
    const unsigned long bytes =
        static_cast<unsigned long>(m_format.nAvgBytesPerSec) * kTickPeriodMs / 1000;
    return bytes - bytes % align;
}

unsigned long StreamDevice::WriteRoom(unsigned long ring, unsigned long block) const {
    // Waiting for two blocks of room leaves at least two ticks of audio in a ring that is large
    // against the block. In a smaller ring that wait would drain it before each write, so the
    // deck writes as soon as the ring has room for the block and still two ticks in it.
    const unsigned long twoTicks = 2 * TickBytes();
    unsigned long room = 2 * block;
    if (ring < room + twoTicks)
        room = ring > twoTicks ? ring - twoTicks : 0;
    return std::max(room, block);
}

unsigned long StreamDevice::WriteBlock(OutputGroup* group, DeviceInputBuffer* source,
                                       unsigned long block, unsigned long free, long balance) {
    // The loop-back between the loop slot's start and end. The source jumps to the loop start
    // inside the block that reaches the loop's end, so the span repeats exactly: the bytes up
    // to the end are written first, then the block goes on from the start.
    long jumpAfter = -1; // bytes of this block before the jump
    uint32_t loopStart = 0, loopEnd = 0;
    const int slot = m_loopSlot.load();
    if (slot >= 0 && slot < kStoredPositions) {
        loopEnd = static_cast<uint32_t>(m_stored[slot].end.load());
        loopStart = static_cast<uint32_t>(m_stored[slot].start.load());
        const uint32_t progress = m_progress.load();
        const uint32_t bal = static_cast<uint32_t>(balance);
        if (loopEnd < static_cast<uint32_t>(free) + bal + progress &&
            m_status.load() == kStreaming && !m_loopingEvent.load() && GetPlayStatus() == 1) {
            if (loopEnd < progress + bal) {
                RestoreStoredPosition(slot, 0, false);
            } else {
                const uint32_t gap = loopEnd - progress - bal;
                const uint32_t align = m_format.nBlockAlign ? m_format.nBlockAlign : 1;
                if (gap < block)
                    jumpAfter = static_cast<long>(gap - gap % align);
            }
        }
    }

    // What the source has, up to a block, and also when it has less or nothing: a source that
    // reports its availability late or in coarse steps would otherwise leave its last stretch
    // unread, and only a read tells the deck that the song has ended.
    unsigned long count = 0;
    unsigned long lockLength = 2 * block;
    unsigned char* data = group->Lock(lockLength);
    if (!data)
        return 0;
    bool more = true;
    if (jumpAfter < 0) {
        const unsigned long align = m_format.nBlockAlign ? m_format.nBlockAlign : 1;
        count = std::min(block, source->GetBytesAvailable());
        count -= count % align;
        more = source->FillBuffer(count, data);
    } else {
        unsigned long head = static_cast<unsigned long>(jumpAfter);
        if (head > 0)
            more = source->FillBuffer(head, data);
        RestoreStoredPosition(slot, 0, true);
        auto* loop = new LoopingProgressEvent(loopStart);
        m_loopingEvent.store(loop);
        AddProgressEvent(loop, loopEnd);
        // A loop shorter than a block does not run past its end within the block.
        unsigned long tail = std::min<unsigned long>(block - head, loopEnd - loopStart);
        more = source->FillBuffer(tail, data + head);
        count = head + tail;
        m_writePosition.store(static_cast<int32_t>(loopStart - head));
    }
    DSProcessSample(reinterpret_cast<char*>(data), count);
    group->Unlock(count);
    if (!more) {
        m_previousStatus.store(m_status.load());
        m_status.store(kSourceExhausted);
    }
    return count;
}
