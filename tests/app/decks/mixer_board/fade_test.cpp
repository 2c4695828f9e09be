// Timed crossfades on the board's 10 ms timer, driven by a hand-stepped clock: how long they
// take, where they stop, and the fade commands and dialog.
#include "app/decks/mixer_board/board_commands.h"
#include "board_rig.h"

namespace {

// Ticks every stepMs until the fade ends or limitMs passes; returns the time it took.
unsigned long RunFade(BoardRig& rig, unsigned long stepMs, unsigned long limitMs,
                      std::vector<int>* positions = nullptr) {
    const unsigned long start = rig.clock.now;
    while (rig.board->IsFading() && rig.clock.now - start < limitMs) {
        rig.clock.now += stepMs;
        rig.board->OnFadeTimer();
        if (positions)
            positions->push_back(rig.board->GetCrossfaderPosition());
    }
    return rig.clock.now - start;
}

} // namespace

TEST(BoardFade, TenSecondsFromCentreToLeftStopsExactlyAtTheEnd) {
    BoardRig rig;
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    rig.board->FadeToPosition(0, 10.0f);
    ASSERT_TRUE(rig.board->IsFading());
    EXPECT_TRUE(rig.ui.timerRunning);
    std::vector<int> positions;
    RunFade(rig, 10, 5000, &positions);
    // About one position per 100 ms.
    ASSERT_EQ(positions.size(), 500u);
    EXPECT_NEAR(positions[99], 90, 1); // after 1 s
    EXPECT_NEAR(rig.board->GetCrossfaderPosition(), 50, 1);
    const unsigned long rest = RunFade(rig, 10, 6000, &positions);
    EXPECT_FALSE(rig.board->IsFading());
    EXPECT_FALSE(rig.ui.timerRunning);
    EXPECT_NEAR(5000 + rest, 10000, 150);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 0);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), -100);
    EXPECT_EQ(rig.Share(a), 100);
    EXPECT_EQ(rig.Share(b), 0);
    // Never backwards, never past the end.
    for (size_t i = 1; i < positions.size(); ++i)
        EXPECT_LE(positions[i], positions[i - 1]);
    EXPECT_GE(*std::min_element(positions.begin(), positions.end()), 0);
}

TEST(BoardFade, FadesShorterThanASecondTakeOne) {
    BoardRig rig;
    rig.board->FadeToPosition(200, 0.5f);
    RunFade(rig, 10, 600);
    EXPECT_TRUE(rig.board->IsFading());
    EXPECT_NEAR(rig.board->GetCrossfaderPosition(), 160, 1);
    // On the target at 1 s, but only the first tick beyond it ends the fade.
    RunFade(rig, 10, 400);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
    EXPECT_TRUE(rig.board->IsFading());
    rig.clock.now += 10;
    rig.board->OnFadeTimer();
    EXPECT_FALSE(rig.board->IsFading());
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
}

TEST(BoardFade, LateAndBunchedTicksFollowTheClockAndLandOnTheTarget) {
    BoardRig rig;
    rig.board->MoveCrossfader(30);
    rig.board->FadeToPosition(180, 2.0f);
    // A stalled timer: 700 ms in one go covers 52.5 positions.
    rig.clock.now += 700;
    rig.board->OnFadeTimer();
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 82);
    std::vector<int> positions;
    const unsigned long rest = RunFade(rig, 37, 5000, &positions);
    EXPECT_NEAR(700 + rest, 2000, 40);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 180);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), 80);
    EXPECT_LE(*std::max_element(positions.begin(), positions.end()), 180);
    // A tick after the end changes nothing.
    rig.clock.now += 500;
    rig.board->OnFadeTimer();
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 180);
}

TEST(BoardFade, PercentTargetsSpanTheSliderAndStayOnIt) {
    BoardRig rig;
    rig.board->FadeFader(-100, 3.0f);
    EXPECT_EQ(rig.board->GetFadeTarget(), 0);
    rig.board->FadeFader(100, 3.0f);
    EXPECT_EQ(rig.board->GetFadeTarget(), 200);
    rig.board->FadeFader(50, 3.0f);
    EXPECT_EQ(rig.board->GetFadeTarget(), 150);
    // Beyond full right the fade still ends on the slider's end in the time asked.
    rig.board->FadeFader(180, 2.0f);
    EXPECT_EQ(rig.board->GetFadeTarget(), 200);
    EXPECT_LE(RunFade(rig, 10, 5000), 2030u);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 200);
    // One timer at a time, however often a fade is restarted (the rig checks it).
    rig.board->FadeFader(-100, 5.0f);
    rig.board->FadeFader(0, 5.0f);
    EXPECT_TRUE(rig.ui.timerRunning);
    EXPECT_EQ(rig.ui.timerStarts, 6);
}

TEST(BoardFade, ANullFadeLeavesNothingRunning) {
    BoardRig rig;
    rig.board->FadeFader(-100, 4.0f);
    rig.board->FadeToPosition(100, 4.0f); // already there
    EXPECT_FALSE(rig.board->IsFading());
    EXPECT_FALSE(rig.ui.timerRunning);
    // So the next fade command opens its dialog instead of only stopping.
    rig.board->OnCommand(kCmdFadeFaderToLeft);
    EXPECT_EQ(rig.ui.asked.size(), 1u);
}

TEST(BoardFade, CommandsAskForTheFadeAndStopARunningOne) {
    BoardRig rig;
    // Cancelled: nothing moves.
    rig.board->OnCommand(kCmdFadeFaderToLeft);
    ASSERT_EQ(rig.ui.asked.size(), 1u);
    EXPECT_EQ(rig.ui.asked[0].percent, -100);
    EXPECT_FLOAT_EQ(rig.ui.asked[0].seconds, 10.0f);
    EXPECT_FALSE(rig.board->IsFading());
    // OK with the user's values.
    rig.ui.reply = FadeDialogValues{50, 2.0f};
    rig.board->OnCommand(kCmdFadeFaderToRight);
    ASSERT_EQ(rig.ui.asked.size(), 2u);
    EXPECT_EQ(rig.ui.asked[1].percent, 100);
    EXPECT_FLOAT_EQ(rig.ui.asked[1].seconds, 10.0f);
    ASSERT_TRUE(rig.board->IsFading());
    EXPECT_EQ(rig.board->GetFadeTarget(), 150);
    // Pressed again while fading: it stops where it is, without asking.
    rig.clock.now += 1000;
    rig.board->OnFadeTimer();
    rig.board->OnCommand(kCmdFadeFaderToLeft);
    EXPECT_FALSE(rig.board->IsFading());
    EXPECT_FALSE(rig.ui.timerRunning);
    EXPECT_EQ(rig.ui.asked.size(), 2u);
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 125);
    // "STOP fader fading".
    rig.board->FadeFader(-100, 10.0f);
    rig.board->OnCommand(kCmdStopFaderFading);
    EXPECT_FALSE(rig.board->IsFading());
    rig.clock.now += 1000;
    rig.board->OnFadeTimer();
    EXPECT_EQ(rig.board->GetCrossfaderPosition(), 125);
}
