#include "deck_rig.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {
constexpr unsigned long kFrame = TestSource::kFrameBytes;
}

TEST(StreamDevice, PlaysTheSourceSampleExactAndStopsAtTheEnd) {
    constexpr unsigned long kFrames = 44100 * 2 + 123; // not a whole number of blocks
    DeckRig rig(kFrames);
    ASSERT_NE(rig.group, nullptr);
    std::atomic<int> endEvents{0}, midEvents{0};
    rig.deck->AddProgressEvent(new CountingEvent(endEvents), ProgressEvent::kTriggerEndOfSong);
    unsigned long seen = 0;
    rig.deck->AddProgressEvent(new CountingEvent(midEvents, true, &seen), 44100 * kFrame);
    rig.deck->Play();
    for (int i = 0; i < 200 && (rig.deck->GetPlayStatus() != 0 || i < 10); ++i)
        rig.Step();
    ASSERT_EQ(rig.deck->GetPlayStatus(), 0u) << "the deck did not stop at the end";

    EXPECT_EQ(rig.Matching(0, 0), kFrames) << "the card must play every source frame in order";
    for (unsigned long f = kFrames; f < rig.PlayedFrames(); ++f)
        ASSERT_TRUE(rig.Silent(f)) << "sound after the end at frame " << f;
    EXPECT_TRUE(rig.deck->GetFoundEndFlag());
    EXPECT_EQ(rig.deck->GetPosition(), 0u);
    EXPECT_EQ(endEvents.load(), 1);
    EXPECT_EQ(midEvents.load(), 1);
    EXPECT_GE(seen, 44100 * kFrame);
    EXPECT_LT(seen, 44100 * kFrame + 2 * DeckRig::kFramesPerTick * kFrame);

    // Stopped at 0, it refills its output from the start and then idles.
    rig.Step(30);
    EXPECT_EQ(rig.deck->GetStreamStatus(), StreamDevice::kStreaming);
    EXPECT_FALSE(rig.deck->GetRunEvent().IsSet());
    EXPECT_GT(rig.source->Position(), 0u);
    EXPECT_LE(rig.source->Position(), 88200u);
}

TEST(StreamDevice, AStoppedDeckWithAFullOutputIdles) {
    DeckRig rig(44100 * 10);
    ASSERT_NE(rig.group, nullptr);
    rig.Step(20); // not playing: fills the ring, then waits
    EXPECT_FALSE(rig.deck->GetRunEvent().IsSet());
    const int fills = rig.source->m_fills.load();
    rig.Step(20);
    EXPECT_EQ(rig.source->m_fills.load(), fills);
    for (unsigned long f = 0; f < rig.PlayedFrames(); ++f)
        ASSERT_TRUE(rig.Silent(f));
    rig.deck->Play();
    EXPECT_TRUE(rig.deck->GetRunEvent().IsSet());
    rig.Step(5);
    EXPECT_EQ(rig.Matching(rig.NextSound(0), 0), rig.PlayedFrames() - rig.NextSound(0));
}

TEST(StreamDevice, LoopBetweenTwoCuesRepeatsExactlyThatSpan) {
    DeckRig rig(44100 * 20);
    ASSERT_NE(rig.group, nullptr);
    constexpr uint32_t kStart = 20000, kEnd = 61111; // frames; longer than the output ring
    rig.deck->StoreStoredPosition(1, kStart * kFrame, 0);
    rig.deck->StoreStoredPosition(1, kEnd * kFrame, 1);
    rig.deck->SetLoopSlot(1);
    rig.deck->Play();
    rig.Step(200); // about 6.6 s: more than four passes
    ASSERT_EQ(rig.Matching(0, 0), kEnd);
    unsigned long at = kEnd;
    int passes = 0;
    while (at + (kEnd - kStart) <= rig.PlayedFrames()) {
        ASSERT_EQ(rig.Matching(at, kStart), kEnd - kStart) << "pass " << passes;
        at += kEnd - kStart;
        ++passes;
    }
    EXPECT_GE(passes, 4);
    const unsigned long pos = rig.deck->GetPosition() / kFrame;
    EXPECT_GE(pos, kStart);
    EXPECT_LE(pos, kEnd);
}

TEST(StreamDevice, UnsetLoopEndAndSlotTenNeverLoop) {
    DeckRig rig(44100 * 4);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->StoreStoredPosition(2, 1000 * kFrame, 0); // start only
    rig.deck->SetLoopSlot(2);
    rig.deck->Play();
    rig.Step(60);
    EXPECT_EQ(rig.Matching(0, 0), rig.PlayedFrames());
    rig.deck->SetLoopSlot(-1);
    EXPECT_EQ(rig.deck->GetLoopSlot(), 10);
}

TEST(StreamDevice, RepositionWhilePlayingMutesRefillsAndResumes) {
    DeckRig rig(44100 * 10);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->Play();
    rig.Step(20);
    const unsigned long before = rig.PlayedFrames();
    ASSERT_EQ(rig.Matching(0, 0), before);
    constexpr uint32_t kTarget = 300000;
    rig.deck->SetPosition(-5, false); // negatives go to 0
    EXPECT_EQ(rig.deck->GetPosition(), 0u);
    rig.deck->SetPosition(kTarget * kFrame, false);
    EXPECT_EQ(rig.deck->GetPosition(), kTarget * kFrame);
    EXPECT_FALSE(rig.deck->GetSettleEvent().IsSet());
    rig.Step(20);
    EXPECT_TRUE(rig.deck->GetSettleEvent().IsSet());
    const unsigned long resumed = rig.NextSound(before);
    ASSERT_LT(resumed, rig.PlayedFrames());
    EXPECT_EQ(rig.Matching(resumed, kTarget), rig.PlayedFrames() - resumed);
    EXPECT_GE(rig.deck->GetPosition(), kTarget * kFrame);
}

TEST(StreamDevice, AnUnderrunRepositionsToWhereWritingStood) {
    DeckRig rig(44100 * 10);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->Play();
    rig.Step(10);
    rig.source->SetAvailableCap(0); // the source stalls; the card plays the ring dry
    rig.Step(40);
    const unsigned long written = rig.source->Position() / kFrame;
    EXPECT_EQ(rig.deck->GetStreamStatus(), StreamDevice::kRefilling);
    rig.source->SetAvailableCap(~0ul);
    rig.Step(20);
    // Everything played is the source in order, with silence where the ring ran dry:
    // nothing is skipped and nothing repeats.
    unsigned long out = 0;
    uint32_t next = 0;
    while (out < rig.PlayedFrames()) {
        out = rig.NextSound(out);
        if (out >= rig.PlayedFrames())
            break;
        const unsigned long n = rig.Matching(out, next);
        ASSERT_GT(n, 0u) << "output frame " << out << " does not continue source frame " << next;
        out += n;
        next += static_cast<uint32_t>(n);
    }
    EXPECT_GT(next, written);
    // The position follows what was heard: the stall does not count as progress.
    const unsigned long pos = rig.deck->GetPosition() / kFrame;
    EXPECT_LE(pos, next);
    EXPECT_GE(pos + 2 * 22050, next);
}

TEST(StreamDevice, ShutdownRemovesOrdinaryEventsAndFiresShutdownOnes) {
    DeckRig rig(44100 * 4);
    ASSERT_NE(rig.group, nullptr);
    std::atomic<int> shutdown{0}, ordinary{0};
    rig.deck->AddProgressEvent(new CountingEvent(shutdown), ProgressEvent::kTriggerShutdown);
    rig.deck->AddProgressEvent(new CountingEvent(ordinary), 0x7FFFFFFF);
    rig.deck->Play();
    rig.Step(5);
    EXPECT_EQ(shutdown.load(), 0);
    rig.deck->Stop();
    rig.deck->UnPrepare();
    EXPECT_EQ(shutdown.load(), 1);
    EXPECT_EQ(ordinary.load(), 0);
    std::vector<ProgressEvent*> left;
    ASSERT_FALSE(rig.deck->LockProgressEvents(true, left));
    rig.deck->UnlockProgressEvents();
    EXPECT_TRUE(left.empty());
    rig.group = nullptr; // the rig must not unprepare twice
    delete rig.deck->GetOutputGroup();
    rig.deck->SetOutputGroup(nullptr);
}

namespace {
// Removes itself from inside its own callback, as a plug-in may.
class SelfRemovingEvent : public ProgressEvent {
public:
    explicit SelfRemovingEvent(std::atomic<int>& n) : n_(n) {}
    bool OnProgress(unsigned long) override {
        ++n_;
        EXPECT_TRUE(owner->RemoveProgressEvent(this));
        return false;
    }

private:
    std::atomic<int>& n_;
};
} // namespace

TEST(StreamDevice, EventsCanBeRemovedFromInsideTheirCallback) {
    DeckRig rig(44100 * 4);
    ASSERT_NE(rig.group, nullptr);
    std::atomic<int> fired{0}, kept{0};
    rig.deck->AddProgressEvent(new SelfRemovingEvent(fired), 0);
    auto* keep = new CountingEvent(kept, false);
    rig.deck->AddProgressEvent(keep, 0);
    rig.deck->Play();
    rig.Step(5);
    EXPECT_EQ(fired.load(), 1);
    EXPECT_GE(kept.load(), 4); // false keeps it armed: fires at every check
    EXPECT_TRUE(rig.deck->RemoveProgressEvent(keep));
    EXPECT_FALSE(rig.deck->RemoveProgressEvent(keep));
    std::vector<ProgressEvent*> left;
    ASSERT_FALSE(rig.deck->LockProgressEvents(false, left));
    rig.deck->UnlockProgressEvents();
    EXPECT_TRUE(left.empty());
}
