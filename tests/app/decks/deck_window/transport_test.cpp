// Play/pause, stop, nudges and the cue buttons with their loops, on a real deck.
#include "app/decks/deck_window/deck_commands.h"
#include "view_rig.h"

#include <gtest/gtest.h>

using namespace zem::deckwin;

namespace {
struct DeckView : ViewRig {
    MixerDeviceViewLogic view{time, &host};
    StreamDevice* deck;
    explicit DeckView(const std::string& settings = "", double seconds = 10)
        : ViewRig(settings), deck(AddDeck(seconds)) {
        view.SetDevice(deck);
        view.OnSongLoaded();
    }
};
} // namespace

TEST(Transport, PlayPauseStartsAPausedLoopWhenExactlyOneAsksForIt) {
    for (const bool setting : {false, true}) {
        for (const bool ctrl : {false, true}) {
            SCOPED_TRACE(testing::Message() << "setting " << setting << " ctrl " << ctrl);
            DeckView rig(std::string(setting ? "Paused looping enabled=1\n" : "") +
                         "Loop amount=0.25\n");
            rig.view.PlayPause({});
            EXPECT_EQ(rig.view.GetPlayButtonBitmap(), kBitmapPause);
            rig.Settle(rig.deck, 4);
            rig.view.PlayPause({ctrl, false});
            if (setting != ctrl) {
                EXPECT_EQ(rig.deck->GetPlayStatus(), 2u);
                EXPECT_EQ(rig.deck->GetPausedLoopEnd() - rig.deck->GetPausedLoopStart(),
                          kBytesPerSecond / 4);
                rig.view.PlayPause({}); // ends the loop and plays on
                EXPECT_EQ(rig.deck->GetPlayStatus(), 1u);
            } else {
                EXPECT_EQ(rig.deck->GetPlayStatus(), 0u);
                EXPECT_EQ(rig.view.GetPlayButtonBitmap(), kBitmapPlay);
            }
        }
    }
}

TEST(Transport, StopEndsAPausedLoopAndReturnsToTheStartOrCueZero) {
    for (const bool toCue : {false, true}) {
        DeckView rig(toCue ? "Goto Cue 0 on Stop=1\n" : "");
        rig.deck->StoreStoredPosition(0, 88200, 0);
        rig.view.PlayPause({});
        rig.Settle(rig.deck);
        rig.view.PlayPause({true, false});
        ASSERT_EQ(rig.deck->GetPlayStatus(), 2u);
        rig.view.StopButton();
        EXPECT_EQ(rig.deck->GetPlayStatus(), 0u);
        EXPECT_EQ(rig.deck->GetPosition(), toCue ? 88200u : 0u);
    }
}

TEST(Transport, NudgesStepAndStayInsideTheSong) {
    DeckView rig("", 1);
    const unsigned long step = kBytesPerSecond * 4 / 100, fine = kBytesPerSecond / 100;
    rig.deck->SetPosition(100000, false);
    rig.view.Nudge(true, {});
    rig.view.Nudge(false, {true, false});
    EXPECT_EQ(rig.deck->GetPosition(), 100000u + step - fine);
    rig.deck->SetPosition(static_cast<long>(step), false);
    rig.view.Nudge(false, {}); // would reach the start
    EXPECT_EQ(rig.deck->GetPosition(), step);
    rig.deck->SetPosition(static_cast<long>(kBytesPerSecond - step), false);
    rig.view.Nudge(true, {}); // would reach the end
    EXPECT_EQ(rig.deck->GetPosition(), kBytesPerSecond - step);
    rig.view.Nudge(true, {true, false});
    EXPECT_EQ(rig.deck->GetPosition(), kBytesPerSecond - step + fine);
}

TEST(CueButtons, ClickJumpsCtrlStoresShiftClears) {
    DeckView rig("Stop Device on Cue=1\n");
    rig.deck->SetPosition(123456, false);
    rig.view.CueButton(4, {true, false});
    EXPECT_EQ(rig.deck->GetStoredPosition(4)->start.load(), 123456);
    rig.deck->SetPosition(0, false);
    rig.Settle(rig.deck);
    rig.view.PlayPause({});
    rig.view.CueButton(4, {});
    EXPECT_EQ(rig.deck->GetPosition(), 123456u);
    EXPECT_FALSE(rig.deck->IsPlaying()) << "Stop Device on Cue";
    rig.view.CueButton(4, {false, true});
    EXPECT_EQ(rig.deck->GetStoredPosition(4)->start.load(), -1);
    rig.view.CueButton(4, {}); // unset: the start
    EXPECT_EQ(rig.deck->GetPosition(), 0u);
}

TEST(CueButtons, ACueWithAnEndAfterItsStartLoopsAndIsMarked) {
    DeckView rig;
    rig.deck->StoreStoredPosition(2, 176400, 0);
    rig.deck->StoreStoredPosition(2, 352800, 1);
    rig.view.CueButton(2, {});
    EXPECT_EQ(rig.deck->GetLoopSlot(), 2);
    const SliderMark mark = rig.view.GetLoopMark();
    EXPECT_TRUE(mark.shown);
    EXPECT_NEAR(mark.from, 3000, 1); // 1 s and 2 s of a 10 s song
    EXPECT_NEAR(mark.to, 6000, 1);
    // Start 1000, end 500 does not loop, and the mark goes.
    rig.deck->StoreStoredPosition(5, 1000, 0);
    rig.deck->StoreStoredPosition(5, 500, 1);
    rig.view.CueButton(5, {});
    EXPECT_EQ(rig.deck->GetLoopSlot(), MixerDevice::kNoLoopSlot);
    EXPECT_FALSE(rig.view.GetLoopMark().shown);
    // A cleared start counts as 0: the end still loops from the song's start.
    rig.view.CueButton(2, {false, true});
    EXPECT_EQ(rig.deck->GetLoopSlot(), 2);
    EXPECT_EQ(rig.view.GetLoopMark().from, 0);
    rig.view.Execute(kCmdClearLoop, {});
    EXPECT_EQ(rig.deck->GetLoopSlot(), MixerDevice::kNoLoopSlot);
    EXPECT_FALSE(rig.view.GetLoopMark().shown);
}
