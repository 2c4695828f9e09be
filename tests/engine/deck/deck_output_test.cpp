// Deck rules that act on the output group: volumes in hundredths of a decibel, pitch, block
// size against the ring, headphone cue, paused looping. Measured on what the card plays.
#include "deck_rig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The gain the card applied: played sample over source sample, on large source values.
double measuredGain(const DeckRig& rig, unsigned long fromOut, uint32_t fromSource,
                    unsigned long frames) {
    double sum = 0;
    int n = 0;
    for (unsigned long i = 0; i < frames; ++i) {
        const int16_t src = TestSource::Left(fromSource + static_cast<uint32_t>(i));
        if (src < 16000)
            continue;
        sum += rig.played[2 * (fromOut + i)] / static_cast<double>(src);
        ++n;
    }
    return n ? sum / n : 0;
}

} // namespace

TEST(DeckOutput, VolumesBecomeHundredthsOfADecibel) {
    DeckRig rig(44100 * 4);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->SetVolume(70, kVChannel0); // 70 x 100 % x 0.01f = 69 %: -3100, not -3000
    rig.deck->Play();
    rig.Step(12);
    EXPECT_NEAR(measuredGain(rig, 0, 0, 12 * DeckRig::kFramesPerTick), std::pow(10.0, -31.0 / 20),
                0.002);
}

TEST(DeckOutput, RelativeZeroSilencesTheMainOutput) {
    DeckRig rig(44100 * 4);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->SetVolume(100, kVChannel0);
    rig.deck->SetFaderPercent(0); // -10000
    rig.deck->Play();
    rig.Step(10);
    for (unsigned long f = 0; f < rig.PlayedFrames(); ++f)
        ASSERT_TRUE(rig.Silent(f)) << f;
}

TEST(DeckOutput, BlockSizeIsLimitedToHalfTheRing) {
    DeckRig rig(44100 * 4, 2, 150000);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->SetOutputBlockSize(100000);
    EXPECT_EQ(rig.deck->GetOutputBlockSize(), 75000u);
    EXPECT_EQ(rig.deck->GetLength(), 44100u * 4 * 4); // the source's length
}

TEST(DeckOutput, PitchMatchAndHeadphoneCue) {
    DeckRig a(44100 * 4), b(44100 * 4);
    ASSERT_NE(a.group, nullptr);
    ASSERT_NE(b.group, nullptr);
    a.deck->GetBPMInfo()->baseTempo = a.deck->GetBPMInfo()->currentTempo = 120;
    b.deck->GetBPMInfo()->baseTempo = b.deck->GetBPMInfo()->currentTempo = 126;
    EXPECT_EQ(a.deck->GetPitch(), 44100u);
    EXPECT_FLOAT_EQ(a.deck->PitchMatchTo(b.deck.get()), 0.05f);
    EXPECT_EQ(a.deck->GetPitch(), 46305u);
    EXPECT_FLOAT_EQ(a.deck->GetBPMInfo()->currentTempo, 126.f);
    EXPECT_NEAR(a.deck->GetPitchChange(), 5.f, 1e-4);

    a.deck->SetHeadphoneMute(false);
    EXPECT_FALSE(a.deck->GetHeadphoneMute());
    a.deck->SetHeadphoneMute(true);
    EXPECT_TRUE(a.deck->GetHeadphoneMute());
}

TEST(DeckOutput, PausedLoopReplaysTheSameStretch) {
    DeckRig rig(44100 * 10);
    ASSERT_NE(rig.group, nullptr);
    rig.Step(20); // stopped: the ring fills with the song's start
    ASSERT_FALSE(rig.deck->GetRunEvent().IsSet());
    const unsigned long before = rig.PlayedFrames();
    rig.deck->PausedLoopingBegin(0.25); // a quarter second of what is in the ring
    EXPECT_EQ(rig.deck->GetPlayStatus(), 2u);
    const unsigned long loopBytes = rig.deck->GetPausedLoopEnd() - rig.deck->GetPausedLoopStart();
    EXPECT_EQ(loopBytes, 44100u);
    rig.Step(40); // 1.3 s: five passes
    rig.deck->PausedLoopingEnd();
    EXPECT_EQ(rig.deck->GetPlayStatus(), 0u);
    // Every pass starts again at the loop's first frame (source frame 0 here).
    int passes = 0;
    for (unsigned long f = before; f < rig.PlayedFrames(); ++f)
        if (rig.FrameIs(f, 0))
            ++passes;
    EXPECT_GE(passes, 4);
    // Nothing beyond the loop's end plus the heartbeat's lead is ever heard.
    const uint32_t maxFrame = (44100 + 2 * 5820 + 15000) / 4;
    for (unsigned long f = before; f < rig.PlayedFrames(); ++f) {
        if (!rig.Silent(f)) {
            ASSERT_LT(static_cast<uint32_t>(rig.played[2 * f]) / 2, maxFrame) << f;
        }
    }
}
