// The concrete deck: owns its source and runs the playback heartbeat, every 33 ms on a
// playback thread (timing method 1, the default) or a periodic timer (0). Any other timing
// method starts no driver; tests then call Tick() by hand.
//
// Threads: the heartbeat (TimeFunc, CheckProgressEvents, OnProgress callbacks) runs on the
// playback thread or the timer's thread; everything else on the user-interface thread. The
// values both sides touch are atomic 32-bit words; the run and settle events carry the
// hand-over. Progress callbacks run without the events lock held, so another thread can add
// and remove events while one runs.
#pragma once

#include "contracts/export.h"
#include "engine/buffers/input_buffer.h"
#include "engine/deck/mixer_device.h"
#include "engine/deck/progress_event.h"
#include "platform/event.h"
#include "platform/thread.h"
#include "platform/timer.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class ZEM_EXPORT StreamDevice : public MixerDevice {
public:
    // Stream status.
    enum : int {
        kStreaming = 0,
        kRepositionRequested = 1,
        kRefilling = 2,
        kSourceExhausted = 3,
    };
    static constexpr int kTickPeriodMs = 100 / 3;
    // Most blocks a tick writes while catching up.
    static constexpr int kMaxBlocksPerTick = 8;

    StreamDevice();
    ~StreamDevice() override;

    void Prepare() override;
    void UnPrepare() override;
    void LoadFile(char* path) override;
    void Play() override;
    void Stop() override;
    // Negative positions become 0. Seamless moves only the source; the audio already in the
    // output plays on (loop-backs).
    void SetPosition(long position, bool seamless) override;
    unsigned long GetPosition() override;
    unsigned long GetLength() override;
    unsigned long GetTotalTime() override;
    bool ShowSettings() override;

    void SetMainInputBuffer(DeviceInputBuffer* buffer);
    DeviceInputBuffer* GetMainInputBuffer() const { return m_mainSource; }
    // Win32 priority values; takes effect on the playback thread's next wake-up.
    void SetPlaybackThreadPriority(int priority);
    void SetProgress(unsigned long progress) { m_progress.store(static_cast<uint32_t>(progress)); }
    void SetLoopingProgressEvent(LoopingProgressEvent* event) { m_loopingEvent.store(event); }

    // The device takes ownership of the event.
    void AddProgressEvent(ProgressEvent* event, unsigned long trigger);
    bool RemoveProgressEvent(ProgressEvent* event);
    void CleanProgressEvents();
    // False when the events mutex was taken (wait: without limit, else up to 1 ms) and every
    // registered event appended to events; then UnlockProgressEvents must follow. True when it
    // could not be taken.
    bool LockProgressEvents(bool wait, std::vector<ProgressEvent*>& events);
    bool UnlockProgressEvents();

    // True from the start of UnPrepare: the deck's playback is shutting down.
    bool IsShuttingDown() const { return m_stopFlag.load() != 0; }
    // True while another thread waits for the heartbeat (shutting down, or Play waiting for
    // the output to settle): a callback on the heartbeat must not wait for that thread then.
    bool IsWaitedOn() const { return IsShuttingDown() || m_waitedOn.load() != 0; }
    int GetTimingMethod() const { return m_timingMethod; }
    int GetStreamStatus() const { return m_status.load(); }
    int GetPreviousStatus() const { return m_previousStatus.load(); }
    zem::Event GetRunEvent() const { return m_runEvent; }
    zem::Event GetSettleEvent() const { return m_settleEvent; }
    long GetWritePosition() const { return m_writePosition.load(); }
    // One heartbeat tick, for a device without a driver (tests).
    void Tick() { TimeFunc(); }

private:
    void InitStreamDevice();
    void CheckProgressEvents();
    void SetStreamStatus(int status);
    void TimeFunc();
    // Heartbeat: writes one block (with the loop-back when the block reaches the loop's end);
    // returns the bytes written.
    unsigned long WriteBlock(OutputGroup* group, DeviceInputBuffer* source, unsigned long block,
                             unsigned long free, long balance);
    // Free bytes the output must have before the heartbeat writes a block.
    unsigned long WriteRoom(unsigned long ring, unsigned long block) const;
    // Bytes of the deck's audio in one tick.
    unsigned long TickBytes() const;
    void ThreadLoop();
    void TimerTick();
    // Pre: m_eventsMutex held.
    void CleanLocked();

    int m_timingMethod;
    bool m_timerRunning = false;
    zem::PeriodicTimer m_timer;
    zem::Thread m_thread;
    bool m_threadStarted = false;
    zem::Event m_runEvent{true, true};
    std::recursive_mutex m_controlLock;
    std::recursive_mutex m_tickGuard;
    bool m_tickGuardHeld = false;
    zem::Event m_settleEvent{true, true};
    std::atomic<uint32_t> m_progress{0};
    std::atomic<int32_t> m_writePosition{0};
    std::atomic<int32_t> m_seekTarget{-1};
    std::atomic<int32_t> m_stopFlag{0};
    std::atomic<int> m_waitedOn{0};
    std::atomic<int> m_status{kStreaming};
    std::atomic<int> m_previousStatus{kStreaming};
    bool m_checking = false;
    std::recursive_timed_mutex m_eventsMutex;
    std::vector<ProgressEvent*> m_events;
    DeviceInputBuffer* m_mainSource = nullptr;
    DeviceInputBuffer* m_currentSource = nullptr;
    std::atomic<LoopingProgressEvent*> m_loopingEvent{nullptr};
    int m_tickPeriod = kTickPeriodMs;
    int m_timerResolution = 0;
    std::atomic<int> m_wantedPriority{zem::kPriorityNormal};
    bool m_prepared = false;
    bool m_unprepared = false;
};
