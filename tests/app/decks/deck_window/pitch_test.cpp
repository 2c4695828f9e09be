// The pitch slider, the bend switch, fine steps, bends and the jog wheel on a real deck.
#include "app/decks/deck_window/deck_commands.h"
#include "view_rig.h"

#include <gtest/gtest.h>

using namespace zem::deckwin;

namespace {
struct PitchRig : ViewRig {
    MixerDeviceViewLogic view{time, &host};
    StreamDevice* deck;
    explicit PitchRig(const std::string& settings = "", unsigned long rate = 44100)
        : ViewRig(settings), deck(AddDeck(10, 120, rate)) {
        view.SetDevice(deck);
        view.OnSongLoaded();
    }
};
} // namespace

TEST(PitchSlider, EndsAreTheRangeAroundTheOwnRate) {
    for (const unsigned long rate : {44100ul, 48000ul, 22050ul}) {
        PitchRig rig("", rate);
        rig.view.PitchSliderMoved(1000, false);
        EXPECT_EQ(rig.deck->GetPitch(), rate * 115 / 100) << rate;
        rig.view.PitchSliderMoved(0, true);
        EXPECT_EQ(rig.deck->GetPitch(), rate * 85 / 100) << rate;
    }
    PitchRig wide("[General device settings]\nPitch change=.5\n");
    wide.view.PitchSliderMoved(750, true);
    EXPECT_EQ(wide.deck->GetPitch(), 55125u);
    EXPECT_EQ(wide.view.GetPitchSliderValue(), 750);
}

TEST(PitchSlider, DisplayFollowsTheRateAndSpringsBackWithTheBendSwitch) {
    PitchRig rig;
    rig.deck->SetPitch(46305); // +5 %: a third of the way up
    rig.view.UpdatePitchDisplay();
    EXPECT_EQ(rig.view.GetPitchSliderValue(), 666);
    EXPECT_EQ(rig.view.GetPitchSelection().to, 666);
    rig.deck->SetPitch(30000); // beyond the range: pinned to the bottom
    rig.view.UpdatePitchDisplay();
    EXPECT_EQ(rig.view.GetPitchSliderValue(), 0);
    EXPECT_GT(rig.host.pitchUpdates.load(), 0);

    rig.view.PitchSliderMoved(600, true);
    EXPECT_EQ(rig.deck->GetPitch(), 45423u);
    rig.view.SetBendSwitch(true);
    rig.view.PitchSliderMoved(900, false);
    rig.view.PitchSliderMoved(1000, false);
    EXPECT_EQ(rig.deck->GetPitch(), 50715u) << "the drag bends";
    rig.view.PitchSliderMoved(1000, true);
    EXPECT_EQ(rig.deck->GetPitch(), 45423u) << "the end of the drag springs back";
    rig.view.PitchTo100();
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    EXPECT_EQ(rig.view.GetPitchSliderValue(), 500);
}

TEST(FineSteps, EachReleaseStepsByTheSmallOrLargeFraction) {
    PitchRig rig;
    rig.view.Execute(kCmdPitchUp, {});
    EXPECT_EQ(rig.deck->GetPitch(), 44100u) << "a press alone steps nothing";
    rig.view.OnKeyRelease(kCmdPitchUp, {});
    EXPECT_EQ(rig.deck->GetPitch(), 44113u); // the finer step at 44100 adds 13
    rig.view.Execute(kCmdPitchUp, {true, false});
    rig.view.OnKeyRelease(kCmdPitchUp, {true, false});
    EXPECT_EQ(rig.deck->GetPitch(), 44139u); // with Ctrl the fine step, 26
    rig.view.Execute(kCmdPitchDownMore, {});
    rig.view.OnKeyRelease(kCmdPitchDownMore, {});
    EXPECT_EQ(rig.deck->GetPitch(), 44113u);
    for (int i = 0; i < 5; ++i) // auto-repeat
        rig.view.Execute(kCmdPitchDown, {});
    rig.view.OnKeyRelease(kCmdPitchDown, {});
    rig.view.OnKeyRelease(kCmdPitchDown, {});
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    rig.view.FinePitchButton(false, {true, false});
    EXPECT_EQ(rig.deck->GetPitch(), 44074u);
}

TEST(Bends, OneBendPerPressAndBackOnRelease) {
    PitchRig rig;
    rig.view.SetBendSwitch(true);
    rig.view.Execute(kCmdPitchUp, {});
    EXPECT_EQ(rig.deck->GetPitch(), 47407u); // 44100 + 7.5 %
    rig.view.Execute(kCmdPitchUp, {});
    EXPECT_EQ(rig.deck->GetPitch(), 47407u) << "a repeated press bends only once";
    rig.view.OnKeyRelease(kCmdPitchUp, {});
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    rig.deck->SetPitch(46305);
    rig.view.Bend(kBendDown, true, {}); // the skinned button
    EXPECT_EQ(rig.deck->GetPitch(), 42832u);
    rig.view.Bend(kBendDown, false, {});
    EXPECT_EQ(rig.deck->GetPitch(), 46305u);
}

TEST(JogWheel, OnAPlayingDeckTurnsBendAndReleaseReturns) {
    PitchRig rig;
    rig.deck->Play();
    rig.view.JogTurn(2.0);
    EXPECT_EQ(rig.deck->GetPitch(), 44100u) << "the first turn only takes the base";
    rig.view.JogTurn(2.0); // 44100 x 0.04 x 0.05 x 2
    EXPECT_EQ(rig.deck->GetPitch(), 44276u);
    rig.view.JogTurn(-5.0);
    EXPECT_EQ(rig.deck->GetPitch(), 43659u);
    rig.view.JogTurn(-1000.0); // would take the whole rate away
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    rig.view.JogTurn(1.0);
    rig.view.JogRelease();
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    EXPECT_EQ(rig.deck->GetPosition(), 0u) << "a pitch jog must not move the position";
}

TEST(JogWheel, OnAStoppedDeckTurnsMoveThePositionWithinTheSong) {
    PitchRig rig("[Jog wheel]\nPosition Sensitivity=500\n");
    rig.deck->SetPosition(static_cast<long>(kBytesPerSecond), false);
    rig.view.JogTurn(3.0); // 1.5 s
    EXPECT_EQ(rig.view.GetReadout(), "BPM: 120.00(0.00%)\nTime: 0:02.50 (TE)");
    EXPECT_EQ(rig.deck->GetPosition(), kBytesPerSecond) << "only the release moves the deck";
    rig.view.OnDisplayTimer();
    EXPECT_EQ(rig.view.GetReadout(), "BPM: 120.00(0.00%)\nTime: 0:02.50 (TE)");
    rig.view.JogTurn(-1.0);
    rig.view.JogRelease();
    EXPECT_TRUE(rig.view.GetFollowPosition());
    EXPECT_EQ(rig.deck->GetPosition(), 2 * kBytesPerSecond);
    // Held at the start: turning further back builds up no offset.
    rig.view.JogTurn(-100.0);
    rig.view.JogTurn(1.0);
    rig.view.JogRelease();
    EXPECT_EQ(rig.deck->GetPosition(), kBytesPerSecond / 2);
    rig.view.JogTurn(1000.0);
    rig.view.JogRelease();
    EXPECT_EQ(rig.deck->GetPosition(), 10 * kBytesPerSecond);
}
