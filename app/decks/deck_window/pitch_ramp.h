// Pitch ramps (fades and smooth bends): a stepper that moves a deck's rate toward a target at
// a constant speed by the clock, and a runner that steps it on a thread of its own so that the
// ramp keeps going while the window is busy.
#pragma once

#include "app/decks/deck_window/deck_clock.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zem::deckwin {

// What a ramp does to its deck. The runner calls it from the ramp thread.
class RampHost {
public:
    virtual ~RampHost() = default;
    virtual unsigned long GetRampPitch() = 0;
    virtual void SetRampPitch(unsigned long rate) = 0;
    virtual bool IsRampDeckPlaying() = 0;
    // Starts a stopped deck or stops a playing one.
    virtual void ToggleRampDeck() = 0;
    // The rate changed: refresh the pitch display.
    virtual void ShowRampPitch() = 0;
};

class PitchRamp {
public:
    // Below 100 the output stalls, and no card plays above 100000.
    static constexpr unsigned long kMinRate = 100;
    static constexpr unsigned long kMaxRate = 100000;
    // The sound library holds a rate below its lowest, 1000, at 1000: a deck at or below it
    // after a fade to 0 % stands still.
    static constexpr unsigned long kStandstillRate = 1000;

    // Fixes the speed from the deck's rate now; a stopped deck at a standstill rate is
    // started when the ramp goes up, so a fade up from a full stop plays.
    void Begin(RampHost& host, unsigned long target, double seconds, long nowMs);
    // One step by the time since the last one. False when the ramp has reached its target:
    // the rate is then exactly the target and a deck at the bottom of a fade down is stopped.
    bool Step(long nowMs);

    unsigned long GetTarget() const { return m_target; }
    float GetSpeed() const { return m_speed; }

private:
    RampHost* m_host = nullptr;
    unsigned long m_target = 0;
    float m_speed = 0;
    float m_rate = 0;
    long m_clock = 0;
    bool m_instant = false;
};

// Runs one ramp at a time on its own thread.
// Threads: Start, Stop, IsRunning and the destructor on the user-interface thread; the
// host's calls on the ramp thread (Begin's on the caller's).
class PitchRampRunner {
public:
    explicit PitchRampRunner(const DeckClock& clock) : m_clock(clock) {}
    ~PitchRampRunner();
    PitchRampRunner(const PitchRampRunner&) = delete;
    PitchRampRunner& operator=(const PitchRampRunner&) = delete;

    // Called again and again while Stop waits, so that the window keeps handling its messages
    // (the ramp thread's display updates must not deadlock with the wait).
    void SetPump(std::function<void()> pump) { m_pump = std::move(pump); }

    // Stops a running ramp, then ramps host's deck to target over seconds (> 0).
    void Start(RampHost& host, unsigned long target, double seconds);
    // Stops the ramp where it is; returns once the ramp thread has finished.
    void Stop();
    bool IsRunning() const { return m_state.load() != kIdle; }
    // The target of the running ramp, 0 when idle.
    unsigned long GetTarget() const { return m_target.load(); }
    // Waits for the running ramp to reach its target; false when it has not within timeoutMs.
    bool WaitFinished(unsigned long timeoutMs);

private:
    enum : int { kIdle = 0, kRunning = 1, kStopRequested = 2 };
    void Run();
    void Join();

    const DeckClock& m_clock;
    std::function<void()> m_pump;
    PitchRamp m_ramp;
    std::thread m_thread;
    std::atomic<int> m_state{kIdle};
    std::atomic<unsigned long> m_target{0};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_active = false; // under m_mutex: a ramp thread runs
};

} // namespace zem::deckwin
