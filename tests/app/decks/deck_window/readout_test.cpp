// The tempo and time readout, the time modes and the position slider.
#include "app/decks/deck_window/deck_readout.h"
#include "view_rig.h"

#include <gtest/gtest.h>

using namespace zem::deckwin;

TEST(DeckReadout, TempoPitchAndTimeInBothModes) {
    EXPECT_EQ(FormatDeckReadout(126.f, 5.f, 62.5, 200, kTimeElapsed),
              "BPM: 126.00(+5.00%)\nTime: 1:02.50 (TE)");
    EXPECT_EQ(FormatDeckReadout(116.1f, -3.25f, 62.5, 200, kTimeLeft),
              "BPM: 116.10(-3.25%)\nTime: 2:17.50 (TL)");
    EXPECT_EQ(FormatDeckReadout(0.f, 0.f, 3725.0, 0, kTimeElapsed),
              "BPM: 0.00(0.00%)\nTime: 62:05.00 (TE)");
    // Past the end in time-left mode.
    EXPECT_EQ(FormatDeckReadout(120.f, 0.f, 205.3, 200, kTimeLeft),
              "BPM: 120.00(0.00%)\nTime: 0:00.00 (TL)");
    // What rounds up to a whole minute shows as that minute, never as "1:60.00".
    EXPECT_EQ(FormatDeckReadout(0.f, 0.f, 119.996, 0, kTimeElapsed),
              "BPM: 0.00(0.00%)\nTime: 2:00.00 (TE)");
}

TEST(DeckReadout, TimerFollowsTheDeckAndTheModeToggles) {
    ViewRig rig("On open TimeLeft=1\n");
    MixerDeviceViewLogic view(rig.time, &rig.host);
    StreamDevice* deck = rig.AddDeck(10.5, 120);
    view.SetDevice(deck);
    view.OnSongLoaded();
    EXPECT_EQ(view.GetTotalTime(), 10);
    EXPECT_EQ(view.GetTimeMode(), kTimeLeft);
    deck->SetPosition(static_cast<long>(kBytesPerSecond * 3 / 2), false);
    deck->SetPitch(46305); // +5 %
    view.OnDisplayTimer();
    EXPECT_EQ(view.GetReadout(), "BPM: 126.00(+5.00%)\nTime: 0:08.50 (TL)");
    EXPECT_EQ(view.GetPositionSliderValue(), static_cast<int>(1.5 / 10.5 * 30000));
    // The last half second lies past the whole-second total time.
    deck->SetPosition(static_cast<long>(kBytesPerSecond * 10.25), false);
    view.OnDisplayTimer();
    EXPECT_EQ(view.GetReadout(), "BPM: 126.00(+5.00%)\nTime: 0:00.00 (TL)");
    view.ToggleTimeMode();
    view.OnDisplayTimer();
    EXPECT_EQ(view.GetReadout(), "BPM: 126.00(+5.00%)\nTime: 0:10.25 (TE)");
}

TEST(PositionSlider, DragShowsThePlaceAndReleaseGoesThere) {
    ViewRig rig;
    MixerDeviceViewLogic view(rig.time, &rig.host);
    StreamDevice* deck = rig.AddDeck(20);
    view.SetDevice(deck);
    view.OnSongLoaded();
    view.PositionSliderDragged(15000); // half way: 10 s
    EXPECT_FALSE(view.GetFollowPosition());
    EXPECT_EQ(view.GetReadout(), "BPM: 0.00(0.00%)\nTime: 0:10.00 (TE)");
    EXPECT_EQ(deck->GetPosition(), 0u) << "dragging alone must not move the deck";
    view.OnDisplayTimer(); // leaves the dragged slider alone
    EXPECT_EQ(view.GetPositionSliderValue(), 15000);
    view.PositionSliderReleased(7500);
    EXPECT_TRUE(view.GetFollowPosition());
    EXPECT_NEAR(static_cast<double>(deck->GetPosition()), 5.0 * kBytesPerSecond, 8.0);
    rig.Settle(deck);
    view.OnDisplayTimer();
    EXPECT_NEAR(view.GetPositionSliderValue(), 7500, 1);
}
