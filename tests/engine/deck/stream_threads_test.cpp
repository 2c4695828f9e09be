// The two real drivers: the playback thread and the periodic timer, against a card the test
// advances in real time from its own thread.
#include "deck_rig.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

void playToTheEnd(DeckRig& rig, unsigned long frames) {
    rig.deck->Play();
    // 10 ms of audio every 10 ms, until the deck stops (at most 10 s).
    for (int i = 0; i < 1000; ++i) {
        zem::SleepMs(10);
        rig.Advance(441);
        if (rig.deck->GetFoundEndFlag() && rig.deck->GetPlayStatus() == 0)
            break;
    }
    ASSERT_TRUE(rig.deck->GetFoundEndFlag()) << "the deck did not reach its end";
    EXPECT_EQ(rig.deck->GetPlayStatus(), 0u);
    const unsigned long first = rig.NextSound(0);
    EXPECT_EQ(rig.Matching(first, 0), frames);
}

} // namespace

TEST(StreamDeviceDrivers, PlaybackThreadPlaysASongOutAndShutsDown) {
    DeckRig rig(44100, 1);
    ASSERT_NE(rig.group, nullptr);
    EXPECT_EQ(rig.deck->GetTimingMethod(), 1);
    std::atomic<int> shutdown{0};
    rig.deck->AddProgressEvent(new CountingEvent(shutdown), ProgressEvent::kTriggerShutdown);
    rig.deck->SetPlaybackThreadPriority(zem::kPriorityAboveNormal);
    playToTheEnd(rig, 44100);
    rig.deck->UnPrepare();
    EXPECT_EQ(shutdown.load(), 1);
    delete rig.group;
    rig.deck->SetOutputGroup(nullptr);
    rig.group = nullptr;
}

TEST(StreamDeviceDrivers, PeriodicTimerPlaysASongOut) {
    DeckRig rig(44100, 0);
    ASSERT_NE(rig.group, nullptr);
    std::atomic<int> shutdown{0};
    rig.deck->AddProgressEvent(new CountingEvent(shutdown), ProgressEvent::kTriggerShutdown);
    playToTheEnd(rig, 44100);
    rig.deck->UnPrepare();
    EXPECT_EQ(shutdown.load(), 1);
    delete rig.group;
    rig.deck->SetOutputGroup(nullptr);
    rig.group = nullptr;
}
