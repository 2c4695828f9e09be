#include "tools/render/mix_clock.h"

#include "platform/clock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

class WallClock : public MixClock {
public:
    WallClock() : m_start(zem::ClockMs()) {}
    double Now() override { return (zem::ClockMs() - m_start) / 1000.0; }
    bool RunToward(double target, unsigned long sliceMs, const std::function<Pace()>&) override {
        const double left = target - Now();
        if (left <= 0)
            return true;
        zem::SleepMs(std::min<unsigned long>(sliceMs, static_cast<unsigned long>(left * 1000) + 1));
        return Now() >= target;
    }

private:
    unsigned long m_start;
};

// The file device renders blocks of kCardBlock frames and starts one only when every playing
// group holds the block plus the resampler's window of kWindow frames.
constexpr int64_t kCardBlock = 256;
constexpr int64_t kWindow = 32;
constexpr int kFrameBytes = 4;
// Times real time while a deck drains: a deck ticks every 33 ms, so at most a tick and a half
// of this pace is rendered as silence after its last audio.
constexpr int64_t kDrainPace = 4;

class GateClock : public MixClock {
public:
    GateClock(OutputGroup* group, unsigned long rate) : m_group(group), m_rate(rate) {
        m_group->SetSynchronizeType(kSyncImmediate);
        m_group->SetHeadphoneMute(true);
        m_group->Play();
    }
    ~GateClock() override {
        m_group->Stop();
        delete m_group;
    }

    double Now() override {
        Update();
        return static_cast<double>(m_played) / m_rate;
    }

    bool RunToward(double target, unsigned long sliceMs,
                   const std::function<Pace()>& pace) override {
        const int64_t goal = std::isfinite(target)
                                 ? static_cast<int64_t>(std::llround(target * m_rate))
                                 : INT64_MAX / 2;
        const unsigned long start = zem::ClockMs();
        for (;;) {
            Update();
            // The card stops at the last whole block before the goal.
            if (m_played > goal - kCardBlock)
                return true;
            const int64_t lead = static_cast<int64_t>(m_rate) / 4;
            const int64_t free =
                static_cast<int64_t>(m_group->GetWriteBytesAvailable()) / kFrameBytes;
            int64_t wanted = std::min({goal + kWindow, m_played + lead, m_written + free});
            const Pace now = pace ? pace() : Pace::Fast;
            if (now == Pace::Halt)
                return false;
            if (now == Pace::Hold)
                wanted = m_written;
            else if (now == Pace::Draining) {
                const unsigned long ms = zem::ClockMs();
                if (!m_paced) {
                    m_paced = true;
                    m_paceStartMs = ms;
                    m_paceStartFrames = m_played;
                }
                const int64_t due = m_paceStartFrames + kCardBlock + kWindow +
                                    static_cast<int64_t>(ms - m_paceStartMs) *
                                        static_cast<int64_t>(m_rate) * kDrainPace / 1000;
                wanted = std::min(wanted, due);
            }
            if (now != Pace::Draining)
                m_paced = false;
            if (wanted > m_written) {
                m_group->WriteSilence(
                    static_cast<unsigned long>((wanted - m_written) * kFrameBytes), false);
                m_written = wanted;
            }
            if (zem::ClockMs() - start >= sliceMs)
                return false;
            zem::SleepMs(1);
        }
    }

private:
    void Update() {
        m_group->UpdatePositions();
        m_played += static_cast<int64_t>(m_group->GetBytesPlayed()) / kFrameBytes;
    }

    OutputGroup* m_group;
    unsigned long m_rate;
    int64_t m_written = 0;
    int64_t m_played = 0;
    bool m_paced = false;
    unsigned long m_paceStartMs = 0;
    int64_t m_paceStartFrames = 0;
};

} // namespace

std::unique_ptr<MixClock> MakeWallClock() {
    return std::make_unique<WallClock>();
}

std::unique_ptr<MixClock> MakeGateClock(OutputManager& manager, unsigned long rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<uint32_t>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = kFrameBytes;
    format.nAvgBytesPerSec = static_cast<uint32_t>(rate * kFrameBytes);
    OutputGroup* group = manager.CreateOutputGroup(-1, &format, 2 * format.nAvgBytesPerSec);
    if (!group)
        return nullptr;
    return std::make_unique<GateClock>(group, rate);
}
