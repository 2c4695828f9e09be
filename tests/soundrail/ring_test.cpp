// The output ring as the heartbeat drives it: positions, balance, underruns, repositioning,
// driven by a hand-clocked card so every step is exact.
#include "audio_util.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testaudio;

namespace {

struct Rig {
    OutputManager manager;
    ManualOutputClock* clock = manager.AddManualDevice("Test card", 2, 44100);
    WAVEFORMATEX format = Stereo16(44100);
    std::unique_ptr<OutputGroup> group{manager.CreateOutputGroup(0, &format, 4000)};
};

// Frames the card reads ahead of what it plays (the resampler's window).
constexpr int kLookAhead = 17;

} // namespace

TEST(OutputRing, FreshGroupReportsItsSizeAndNothingPending) {
    Rig rig;
    ASSERT_NE(rig.clock, nullptr);
    ASSERT_NE(rig.group, nullptr);
    OutputGroup& g = *rig.group;
    EXPECT_EQ(g.GetBufferBytes(), 4000u);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 0);
    EXPECT_EQ(g.GetWriteBytesAvailable(), 4000u);
    EXPECT_EQ(g.GetLogicalReadPosition(), 0u);
    EXPECT_EQ(g.GetBytesPlayed(), 0u);
    EXPECT_EQ(g.GetPitch(), 44100u);
}

TEST(OutputRing, WritesAndPlaysMovePositionsAndBalance) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> pcm = Sine(440, 44100, 500, 8000);
    EXPECT_EQ(Write(g, pcm.data(), 2000), 2000u);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 2000);
    EXPECT_EQ(g.GetWriteBytesAvailable(), 2000u);

    // A stopped group is not read.
    rig.clock->Advance(100);
    g.UpdatePositions();
    EXPECT_EQ(g.GetBytesPlayed(), 0u);

    g.Play();
    rig.clock->Advance(100);
    g.UpdatePositions();
    const long played = static_cast<long>(g.GetBytesPlayed());
    EXPECT_EQ(played, (100 + kLookAhead) * 4);
    EXPECT_EQ(g.GetPlayWriteBalance(), 2000 - played);
    EXPECT_EQ(g.GetLogicalReadPosition(), static_cast<unsigned long>(played));
    EXPECT_EQ(g.GetWriteBytesAvailable(), static_cast<unsigned long>(2000 + played));
    // Since the previous query only.
    rig.clock->Advance(50);
    g.UpdatePositions();
    EXPECT_EQ(g.GetBytesPlayed(), 200u);
    // The output is the written tone, frame for frame, after the look-ahead.
    const short* out = rig.clock->Advance(10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(out[2 * i], pcm[2 * (150 + i)]) << i;
}

TEST(OutputRing, LockHandsOutContiguousBytesAcrossTheEnd) {
    Rig rig;
    OutputGroup& g = *rig.group;
    // Fill 900 frames and let the card read exactly all of them.
    std::vector<int16_t> filler(2 * 900, 7);
    Write(g, filler.data(), 3600);
    g.Play();
    rig.clock->Advance(900 - kLookAhead);
    g.UpdatePositions();
    EXPECT_EQ(g.GetBytesPlayed(), 3600u);
    EXPECT_EQ(g.GetPlayWriteBalance(), 0);

    unsigned long len = 2000;
    unsigned char* p = g.Lock(len);
    ASSERT_EQ(len, 2000u);
    std::vector<int16_t> tone = Sine(1000, 44100, 500, 10000);
    std::memcpy(p, tone.data(), 2000); // 400 bytes before the end of the ring, 1600 after
    g.Unlock(len);
    EXPECT_EQ(len, 2000u);
    const short* out = rig.clock->Advance(500);
    for (int i = 0; i < kLookAhead; ++i)
        ASSERT_EQ(out[2 * i], 7) << i;
    for (int i = kLookAhead; i < 500; ++i)
        ASSERT_EQ(out[2 * i + 1], tone[2 * (i - kLookAhead) + 1]) << i;
}

TEST(OutputRing, CommitsNoMoreThanIsFree) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> pcm(2000, 1);
    EXPECT_EQ(Write(g, pcm.data(), 3000), 3000u);
    unsigned long len = 2000;
    g.Lock(len);
    g.Unlock(len);
    EXPECT_EQ(len, 1000u);
    g.UpdatePositions();
    EXPECT_EQ(g.GetWriteBytesAvailable(), 0u);
    EXPECT_EQ(g.GetPlayWriteBalance(), 4000);
    g.WriteSilence(100, false);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 4000);
    // A request larger than the ring gets the ring.
    len = 100000;
    g.Lock(len);
    EXPECT_EQ(len, 4000u);
}

TEST(OutputRing, UnderrunPlaysSilenceAndTurnsTheBalanceNegative) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> pcm(2 * 100, 5000);
    Write(g, pcm.data(), 400);
    g.Play();
    const short* out = rig.clock->Advance(300);
    int loud = 0;
    for (int i = 0; i < 300; ++i)
        loud += out[2 * i] != 0;
    EXPECT_EQ(loud, 100);
    for (int i = 100; i < 300; ++i)
        ASSERT_EQ(out[2 * i], 0) << "stale audio at frame " << i;
    g.UpdatePositions();
    EXPECT_LT(g.GetPlayWriteBalance(), 0);
    EXPECT_EQ(g.GetPlayWriteBalance(), 400 - static_cast<long>(g.GetBytesPlayed()));

    // Audio written afterwards is played from where writing stands, not from stale bytes.
    g.ResetPlayWriteBalance();
    EXPECT_EQ(g.GetPlayWriteBalance(), 0);
    std::vector<int16_t> next(2 * 50, -3000);
    Write(g, next.data(), 200);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 200);
    out = rig.clock->Advance(100);
    for (int i = 0; i < kLookAhead; ++i)
        EXPECT_EQ(out[2 * i], 0) << i;
    int negative = 0;
    for (int i = 0; i < 100; ++i)
        negative += out[2 * i] == -3000;
    EXPECT_EQ(negative, 50);
}

TEST(OutputRing, RepositioningAsTheHeartbeatDoes) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> old(2 * 800, 1111);
    Write(g, old.data(), 3200);
    g.Play();
    rig.clock->Advance(200);
    // Reposition: mute, write from 0, reset the balance, refill, then read from 0 and unmute.
    g.SetMute(true);
    g.SetLogicalWritePosition(0);
    g.ResetPlayWriteBalance();
    std::vector<int16_t> fresh = Sine(500, 44100, 400, 9000, 1);
    Write(g, fresh.data(), 1600);
    const short* out = rig.clock->Advance(64);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(out[2 * i], 0) << "muted output at frame " << i;
    g.UpdatePositions();
    EXPECT_GT(g.GetPlayWriteBalance(), 0);
    g.SetLogicalReadPosition(0);
    g.UpdatePositions();
    EXPECT_EQ(g.GetLogicalReadPosition(), 0u); // the pending position is reported at once
    g.SetMute(false);
    // The card drops what it had read ahead and starts at once from the new position.
    out = rig.clock->Advance(100);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(out[2 * i], fresh[2 * i]) << i;
    g.UpdatePositions();
    EXPECT_EQ(g.GetLogicalReadPosition() % 4, 0u);
}

// Silence written after a song's end is not owed to the card: the balance reaches zero when the
// last audio has been played, and goes below as the silence plays.
TEST(OutputRing, SilenceIsNotCountedInTheBalance) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> pcm(2 * 100, 900);
    Write(g, pcm.data(), 400);
    g.WriteSilence(800, false);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 400);
    EXPECT_EQ(g.GetWriteBytesAvailable(), 2800u);
    g.Play();
    rig.clock->Advance(100 - kLookAhead);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 0);
    rig.clock->Advance(50);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), -200);
}

// After the read cursor is moved, the balance is what lies between the two cursors.
TEST(OutputRing, BalanceAfterAReadRepositionIsTheDistanceToTheWriter) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> pcm(2 * 800, 1);
    Write(g, pcm.data(), 3200);
    g.Play();
    rig.clock->Advance(200 - kLookAhead);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 2400);
    g.SetLogicalReadPosition(0);
    rig.clock->Advance(1);
    g.UpdatePositions();
    EXPECT_EQ(g.GetLogicalReadPosition(), (1u + kLookAhead) * 4);
    EXPECT_EQ(g.GetPlayWriteBalance(), 3200 - (1 + kLookAhead) * 4);
    // What was played before the move is not counted as played at the new position.
    EXPECT_EQ(g.GetBytesPlayed(), (1u + kLookAhead) * 4);
}

// A reposition while the deck is stopped: the card is not reading, yet the free space must
// already follow the new read position, or the refill would overwrite what is to be played.
TEST(OutputRing, RepositionOfAStoppedGroupKeepsTheRefillIntact) {
    Rig rig;
    OutputGroup& g = *rig.group;
    std::vector<int16_t> old(2 * 750, 1234);
    Write(g, old.data(), 3000);
    g.Play();
    rig.clock->Advance(500 - kLookAhead); // read cursor at 2000
    g.Stop();
    g.SetMute(true);
    g.SetLogicalWritePosition(0);
    g.ResetPlayWriteBalance();
    std::vector<int16_t> fresh = Sine(700, 44100, 400, 9000, 1);
    Write(g, fresh.data(), 1600);
    g.UpdatePositions();
    EXPECT_EQ(g.GetPlayWriteBalance(), 1600);
    g.SetLogicalReadPosition(0);
    g.UpdatePositions();
    EXPECT_EQ(g.GetLogicalReadPosition(), 0u);
    EXPECT_EQ(g.GetWriteBytesAvailable(), 2400u);
    rig.clock->Advance(10); // the card takes the new position while the group is stopped
    g.UpdatePositions();
    EXPECT_EQ(g.GetWriteBytesAvailable(), 2400u);
    EXPECT_EQ(g.GetPlayWriteBalance(), 1600);
    // Writing all that is free must not touch the 1600 bytes waiting to be played.
    std::vector<int16_t> more(2 * 600, -77);
    EXPECT_EQ(Write(g, more.data(), 2400), 2400u);
    g.SetMute(false);
    g.Play();
    const short* out = rig.clock->Advance(500);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(out[2 * i], fresh[2 * i]) << i;
    for (int i = 400; i < 500; ++i)
        ASSERT_EQ(out[2 * i], -77) << i;
}
