// Small output buffers: a card that pulls 256 frames at a time from a deck whose ticks come a
// little early or late, as a playback thread's do, must never run dry, and the frames it does
// play as silence are counted.
#include "deck_rig.h"
#include "engine/deck/playback_sizes.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned long kCardPeriod = 256;
// Tick lateness in frames, repeating: up to 14 ms late, then early again, about 0 on average.
constexpr long kJitter[] = {0, 300, -200, 600, -400, 0, 150, -450};

WAVEFORMATEX CdFormat() {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    f.wBitsPerSample = 16;
    return f;
}

// Ticks the deck for the given seconds of audio, the card reading ahead of each tick to the
// end of its current period.
void PlayWithJitter(DeckRig& rig, double seconds) {
    const long ticks = static_cast<long>(seconds * 1000 / StreamDevice::kTickPeriodMs);
    unsigned long card = rig.PlayedFrames();
    const unsigned long origin = card;
    for (long k = 1; k <= ticks; ++k) {
        const long at = k * static_cast<long>(DeckRig::kFramesPerTick) + kJitter[k % 8];
        const unsigned long due =
            origin + (static_cast<unsigned long>(at) + kCardPeriod - 1) / kCardPeriod * kCardPeriod;
        while (card < due) {
            rig.Advance(kCardPeriod);
            card += kCardPeriod;
        }
        rig.deck->Tick();
    }
}

struct Setting {
    int bufferMs, blockKiB;
};

} // namespace

TEST(SmallBuffers, EveryWorkingSettingPlaysWithoutAGap) {
    for (const Setting s : {Setting{1500, 60}, Setting{400, 30}, Setting{300, 20}, Setting{200, 16},
                            Setting{100, 6}}) {
        SCOPED_TRACE(std::to_string(s.bufferMs) + " ms / " + std::to_string(s.blockKiB) + " KiB");
        const PlaybackSizes sizes = ChoosePlaybackSizes(CdFormat(), s.bufferMs, s.blockKiB);
        EXPECT_FALSE(sizes.raised);
        DeckRig rig(44100 * 40, 2, sizes.bufferBytes, sizes.blockBytes);
        ASSERT_NE(rig.group, nullptr);
        rig.Step(60); // a stopped deck fills its output
        rig.deck->Play();
        PlayWithJitter(rig, 20);
        const unsigned long first = rig.NextSound(0);
        ASSERT_LT(first, rig.PlayedFrames());
        EXPECT_EQ(rig.Matching(first, 0), rig.PlayedFrames() - first)
            << "the card must play every frame in order, without a silent gap";
        EXPECT_EQ(rig.group->GetUnderrunFrames(), 0u);
        EXPECT_EQ(rig.deck->GetUnderrunFrames(), 0u);
    }
}

TEST(SmallBuffers, APitchedUpDeckCatchesUpWithinATick) {
    const PlaybackSizes sizes = ChoosePlaybackSizes(CdFormat(), 100, 6);
    DeckRig rig(44100 * 40, 2, sizes.bufferBytes, sizes.blockBytes);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->SetPitch(44100 * 115 / 100); // the pitch slider's top: more than a block a tick
    rig.Step(60);
    rig.deck->Play();
    PlayWithJitter(rig, 20);
    EXPECT_EQ(rig.group->GetUnderrunFrames(), 0u);
    EXPECT_GT(rig.source->Position(), 44100u * 4 * 22); // 20 s at 1.15
}

TEST(SmallBuffers, OnlyDryFramesOfAPlayingAudibleDeckAreUnderruns) {
    DeckRig rig(44100 * 40);
    ASSERT_NE(rig.group, nullptr);
    rig.Step(60);
    rig.Advance(44100); // stopped: the card does not read the deck at all
    EXPECT_EQ(rig.group->GetUnderrunFrames(), 0u);

    rig.deck->Play();
    rig.Step(10);
    rig.deck->SetPosition(44100 * 4 * 10, false); // a cue jump: muted while it refills
    rig.Step(10);
    EXPECT_EQ(rig.group->GetUnderrunFrames(), 0u);

    rig.source->SetAvailableCap(0); // the decoder stalls: the card runs the ring dry
    rig.Step(40);
    const unsigned long dry = rig.group->GetUnderrunFrames();
    EXPECT_GT(dry, 0u);
    // At most what the card played past the ring's contents.
    EXPECT_LE(dry, 40 * DeckRig::kFramesPerTick);
}

TEST(SmallBuffers, SettingsTooSmallAreRaisedToTheSmallestThatWork) {
    const WAVEFORMATEX f = CdFormat();
    const PlaybackSizes tiny = ChoosePlaybackSizes(f, 20, 1);
    EXPECT_TRUE(tiny.raised);
    EXPECT_EQ(tiny.blockKiB, 6);  // one 33 ms tick is 5821 bytes
    EXPECT_EQ(tiny.bufferMs, 95); // the block plus 60 ms, in whole milliseconds
    const PlaybackSizes oneLess = ChoosePlaybackSizes(f, 94, 6);
    EXPECT_TRUE(oneLess.raised);
    EXPECT_EQ(oneLess.bufferMs, 95);
    EXPECT_FALSE(ChoosePlaybackSizes(f, 95, 6).raised);

    // Garbage from a hand-edited profile.
    const PlaybackSizes negative = ChoosePlaybackSizes(f, -5, -1);
    EXPECT_EQ(negative.blockKiB, 6);
    EXPECT_EQ(negative.bufferMs, 95);
    const PlaybackSizes huge = ChoosePlaybackSizes(f, 2000000000, 2000000000);
    EXPECT_EQ(huge.bufferMs, kMaxBufferMs);
    EXPECT_EQ(huge.blockKiB, kMaxBlockKiB);
    EXPECT_FALSE(huge.raised);

    // A block too large for a short ring is halved by the deck; the ring must still hold the
    // halved block plus the margin.
    const PlaybackSizes big = ChoosePlaybackSizes(f, 100, 60);
    EXPECT_EQ(big.blockKiB, 60);
    EXPECT_EQ(big.bufferMs, 120);

    // A 48 kHz song needs a larger block for its tick.
    WAVEFORMATEX dat = f;
    dat.nSamplesPerSec = 48000;
    dat.nAvgBytesPerSec = 48000 * 4;
    EXPECT_EQ(ChoosePlaybackSizes(dat, 0, 0).blockKiB, 7);
}
