#include "app/decks/deck_window/pitch_ramp.h"

#include "platform/clock.h"

#include <algorithm>
#include <chrono>

namespace zem::deckwin {

long SystemDeckClock::NowMs() const {
    return static_cast<long>(zem::ClockMs());
}

void PitchRamp::Begin(RampHost& host, unsigned long target, double seconds, long nowMs) {
    m_host = &host;
    m_target = std::clamp(target, kMinRate, kMaxRate);
    const unsigned long rate = host.GetRampPitch();
    m_instant = seconds <= 0;
    m_speed = m_instant
                  ? 0.f
                  : static_cast<float>((static_cast<double>(m_target) - static_cast<double>(rate)) /
                                       seconds);
    m_rate = static_cast<float>(rate);
    if (rate <= kStandstillRate && m_target > rate && !host.IsRampDeckPlaying())
        host.ToggleRampDeck();
    m_clock = nowMs;
}

bool PitchRamp::Step(long nowMs) {
    m_rate += static_cast<float>(nowMs - m_clock) * 0.001f * m_speed;
    m_clock = nowMs;
    const long r = static_cast<long>(m_rate);
    const long target = static_cast<long>(m_target);
    const bool passed = m_instant || (m_speed > 0 ? r >= target : r <= target);
    if (!passed && r > 99) {
        m_host->SetRampPitch(static_cast<unsigned long>(r));
        m_host->ShowRampPitch();
        return true;
    }
    m_host->SetRampPitch(m_target);
    // Only a ramp that is meant to reach the bottom stops the deck: a late step that
    // overshoots far below a higher target must not.
    if (m_target < 101 && m_host->IsRampDeckPlaying())
        m_host->ToggleRampDeck();
    m_host->ShowRampPitch();
    return false;
}

PitchRampRunner::~PitchRampRunner() {
    Stop();
}

void PitchRampRunner::Start(RampHost& host, unsigned long target, double seconds) {
    Stop();
    m_ramp.Begin(host, target, seconds, m_clock.NowMs());
    m_target.store(m_ramp.GetTarget());
    m_state.store(kRunning);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_active = true;
    }
    m_thread = std::thread([this] { Run(); });
}

void PitchRampRunner::Run() {
    while (m_state.load() == kRunning && m_ramp.Step(m_clock.NowMs()))
        zem::YieldThread(); // steps as fast as the clock moves, without hogging a core
    m_target.store(0);
    m_state.store(kIdle);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_active = false;
    m_finished.notify_all();
}

void PitchRampRunner::Stop() {
    int running = kRunning;
    m_state.compare_exchange_strong(running, kStopRequested);
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_active) {
            if (!m_pump) {
                m_finished.wait(lock);
                continue;
            }
            lock.unlock();
            m_pump();
            lock.lock();
            m_finished.wait_for(lock, std::chrono::milliseconds(5));
        }
    }
    Join();
}

bool PitchRampRunner::WaitFinished(unsigned long timeoutMs) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_finished.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [this] { return !m_active; }))
            return false;
    }
    Join();
    return true;
}

void PitchRampRunner::Join() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

} // namespace zem::deckwin
