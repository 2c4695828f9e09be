// Pitch ramps: the stepper by the clock, the runner's thread, and the fades and smooth bends
// of the deck window on a real deck. Time moves only when the test moves it.
#include "app/decks/deck_window/deck_commands.h"
#include "app/decks/deck_window/pitch_ramp.h"
#include "platform/clock.h"
#include "platform/profile.h"
#include "view_rig.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zem::deckwin;

namespace {

// A deck reduced to its rate and play state, for the stepper alone.
struct FakeRampHost : RampHost {
    unsigned long rate = 44100;
    bool playing = true;
    int toggles = 0;
    std::vector<unsigned long> shown;
    unsigned long GetRampPitch() override { return rate; }
    void SetRampPitch(unsigned long r) override { rate = r; }
    bool IsRampDeckPlaying() override { return playing; }
    void ToggleRampDeck() override {
        playing = !playing;
        ++toggles;
    }
    void ShowRampPitch() override { shown.push_back(rate); }
};

constexpr unsigned long kWait = 10000; // ms of real time a finished ramp may take to notice

} // namespace

TEST(PitchRampStepper, MovesAtAConstantSpeedAndLandsOnTheTarget) {
    FakeRampHost host;
    PitchRamp ramp;
    ramp.Begin(host, 48000, 2.0, 1000);
    EXPECT_TRUE(ramp.Step(2000));
    EXPECT_EQ(host.rate, 46050u);
    EXPECT_TRUE(ramp.Step(2500));
    EXPECT_EQ(host.shown.back(), 47025u);
    EXPECT_FALSE(ramp.Step(3100)); // past the end: exactly the target
    EXPECT_EQ(host.rate, 48000u);
    ramp.Begin(host, 40000, 1.0, 0);
    EXPECT_TRUE(ramp.Step(500));
    EXPECT_EQ(host.rate, 44000u);
    EXPECT_FALSE(ramp.Step(1000));
    EXPECT_EQ(host.rate, 40000u);
    EXPECT_EQ(host.toggles, 0);
}

TEST(PitchRampStepper, StaysWithinTheBoundsAndStopsOrStartsAtTheBottom) {
    FakeRampHost host;
    PitchRamp ramp;
    ramp.Begin(host, 250000, 1.0, 0);
    EXPECT_FALSE(ramp.Step(5000));
    EXPECT_EQ(host.rate, 100000u);
    // Down to 0: held at 100, and the deck stops there.
    host.rate = 44100;
    ramp.Begin(host, 0, 0.5, 0);
    EXPECT_TRUE(ramp.Step(250));
    EXPECT_FALSE(ramp.Step(600));
    EXPECT_EQ(host.rate, 100u);
    EXPECT_FALSE(host.playing);
    for (unsigned long r : host.shown)
        EXPECT_GE(r, 100u);
    // A fade down does not start the stopped deck; a fade up from the card's lowest does.
    ramp.Begin(host, 50, 0.5, 0);
    EXPECT_FALSE(ramp.Step(0));
    EXPECT_FALSE(host.playing);
    host.rate = 1000;
    ramp.Begin(host, 44100, 0.5, 0);
    EXPECT_TRUE(host.playing);
    EXPECT_FALSE(ramp.Step(600));
    EXPECT_EQ(host.rate, 44100u);
    // A late step that overshoots far below a higher target does not stop the deck.
    ramp.Begin(host, 5000, 0.1, 0);
    EXPECT_FALSE(ramp.Step(10000));
    EXPECT_EQ(host.rate, 5000u);
    EXPECT_TRUE(host.playing);
    EXPECT_EQ(host.toggles, 2);
}

TEST(PitchRampRunner, RunsOnItsThreadUntilTheTargetOrAStop) {
    ManualClock clock;
    FakeRampHost host;
    PitchRampRunner runner(clock);
    runner.Start(host, 48000, 1.0);
    EXPECT_TRUE(runner.IsRunning());
    EXPECT_EQ(runner.GetTarget(), 48000u);
    EXPECT_FALSE(runner.WaitFinished(20)) << "without time passing the ramp cannot end";
    clock.Advance(1001);
    ASSERT_TRUE(runner.WaitFinished(kWait));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(host.rate, 48000u);
    // A new ramp replaces a running one; a stopped one stays where it got to.
    runner.Start(host, 44100, 2.0);
    runner.Start(host, 40000, 2.0);
    EXPECT_EQ(runner.GetTarget(), 40000u);
    runner.Stop();
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(host.rate, 48000u) << "the clock did not move";
}

// A ramp's display update that waits for the window, as a blocking call to the user
// interface would.
struct WindowBoundHost : FakeRampHost {
    std::atomic<bool> posted{false};
    std::atomic<bool> handled{false};
    void ShowRampPitch() override {
        posted = true;
        while (!handled.exchange(false))
            zem::YieldThread();
    }
    // The window's message loop.
    void Pump() {
        if (posted.exchange(false))
            handled = true;
    }
};

TEST(PitchRampRunner, StoppingKeepsTheWindowsMessagesGoing) {
    ManualClock clock;
    WindowBoundHost host;
    PitchRampRunner runner(clock);
    std::atomic<int> pumped{0};
    runner.SetPump([&] {
        ++pumped;
        host.Pump();
    });
    runner.Start(host, 48000, 1.0);
    // The ramp thread now waits for the window inside its first display update; a stop that
    // did not handle messages would wait for ever.
    while (!host.posted.load())
        zem::YieldThread();
    runner.Stop();
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_GE(pumped.load(), 1);
}

namespace {

struct FadeRig : ViewRig {
    MixerDeviceViewLogic view{time, &host};
    StreamDevice* deck;
    explicit FadeRig(const std::string& settings = "") : ViewRig(settings), deck(AddDeck(10, 120)) {
        view.SetDevice(deck);
        view.OnSongLoaded();
    }
    bool Finish(long ms) {
        time.Advance(ms);
        return view.GetRampRunner().WaitFinished(kWait);
    }
};

} // namespace

TEST(PitchFades, FadeToZeroStopsTheDeckAndFadeToFullStartsIt) {
    FadeRig rig;
    rig.view.PlayPause({});
    ASSERT_TRUE(rig.deck->IsPlaying());
    rig.view.Execute(kCmdFadePitchTo0, {});
    EXPECT_TRUE(rig.view.IsRamping());
    EXPECT_TRUE(rig.view.GetCommandState(kCmdStopFadingPitch).enabled);
    // The pitch slider is the ramp's while it runs.
    rig.view.PitchSliderMoved(1000, true);
    ASSERT_TRUE(rig.Finish(751));
    // Asked for 100; the card plays no slower than 1000.
    EXPECT_LE(rig.deck->GetPitch(), PitchRamp::kStandstillRate);
    EXPECT_FALSE(rig.deck->IsPlaying());
    EXPECT_EQ(rig.view.GetPitchSliderValue(), 0);
    EXPECT_FALSE(rig.view.GetCommandState(kCmdStopFadingPitch).enabled);

    rig.view.Execute(kCmdFadePitchTo100, {});
    EXPECT_TRUE(rig.deck->IsPlaying()) << "a fade up from a full stop starts the deck";
    ASSERT_TRUE(rig.Finish(751));
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    EXPECT_TRUE(rig.deck->IsPlaying());
    EXPECT_EQ(rig.view.GetPitchSliderValue(), 500);
    EXPECT_EQ(rig.view.GetRememberedRate(), 44100u);
}

TEST(PitchFades, ASecondFadeOnlyStopsTheFirstAndNoFadeTimeSetsAtOnce) {
    FadeRig rig;
    rig.view.PlayPause({});
    rig.view.FadeToZero();
    ASSERT_TRUE(rig.view.IsRamping());
    rig.view.FadeToFull();
    EXPECT_FALSE(rig.view.IsRamping());
    EXPECT_EQ(rig.deck->GetPitch(), 44100u) << "no time passed";
    rig.view.FadeToZero();
    rig.view.Execute(kCmdStopFadingPitch, {});
    EXPECT_FALSE(rig.view.IsRamping());
    EXPECT_TRUE(rig.deck->IsPlaying());

    zem::profile::WriteString("General device settings", "Pitch fade time2", "0");
    rig.view.FadeToZero();
    EXPECT_FALSE(rig.view.IsRamping());
    EXPECT_LE(rig.deck->GetPitch(), PitchRamp::kStandstillRate);
    EXPECT_FALSE(rig.deck->IsPlaying());
    rig.view.FadeToFull();
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    EXPECT_TRUE(rig.deck->IsPlaying());
}

TEST(PitchFades, FadeToATempoOrAPercentage) {
    FadeRig rig;
    rig.deck->Play();
    EXPECT_TRUE(rig.view.FadeTo(126, 0, 0)); // tempo, at once
    EXPECT_EQ(rig.deck->GetPitch(), 46305u);
    EXPECT_TRUE(rig.view.FadeTo(300, 1, 0)); // beyond the top
    EXPECT_EQ(rig.deck->GetPitch(), 100000u);
    EXPECT_TRUE(rig.view.FadeTo(110, 1, 2.0)); // percent, over two seconds
    EXPECT_TRUE(rig.view.IsRamping());
    ASSERT_TRUE(rig.Finish(2001));
    EXPECT_EQ(rig.deck->GetPitch(), 48510u);
    rig.deck->GetBPMInfo()->baseTempo = 0; // no tempo to fade to
    EXPECT_FALSE(rig.view.FadeTo(126, 0, 0));
    EXPECT_EQ(rig.deck->GetPitch(), 48510u);
}

TEST(SmoothBends, BendAndReturnRampOverTheBendTime) {
    FadeRig rig("[General device settings]\nSmooth bend on=1\nBend change time=0.4\n");
    rig.deck->Play();
    rig.view.SetBendSwitch(true);
    rig.view.Execute(kCmdPitchUp, {});
    ASSERT_TRUE(rig.view.IsRamping());
    EXPECT_EQ(rig.view.GetRampRunner().GetTarget(), 47407u);
    ASSERT_TRUE(rig.Finish(401));
    EXPECT_EQ(rig.deck->GetPitch(), 47407u);
    rig.view.OnKeyRelease(kCmdPitchUp, {});
    EXPECT_EQ(rig.view.GetRampRunner().GetTarget(), 44100u);
    // A press during the return keeps the rate it returns to as its base: the bend goes to
    // 47407 again, not 7.5 % above wherever the return had got to.
    rig.view.Execute(kCmdPitchUp, {});
    ASSERT_TRUE(rig.Finish(401));
    EXPECT_EQ(rig.deck->GetPitch(), 47407u);
    rig.view.OnKeyRelease(kCmdPitchUp, {});
    ASSERT_TRUE(rig.Finish(401));
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
    EXPECT_FALSE(rig.view.IsRamping());
}

TEST(SmoothBends, APartialReturnTakesItsShareOfTheTime) {
    FadeRig rig("[General device settings]\nSmooth bend on=1\nBend change time=1\n");
    rig.deck->Play();
    rig.view.SetBendSwitch(true);
    rig.view.Bend(kBendDown, true, {});
    // Held until half way down (the test stops the ramp there by setting the rate).
    rig.view.StopRamp();
    rig.deck->SetPitch(42446); // 44100 - 1654, half of the 3307 bend
    rig.view.Bend(kBendDown, false, {});
    ASSERT_TRUE(rig.view.IsRamping());
    // Half the bend back takes half the bend time: 499 ms is not yet there, 501 ms is.
    rig.time.Advance(499);
    EXPECT_TRUE(rig.view.IsRamping());
    ASSERT_TRUE(rig.Finish(2));
    EXPECT_EQ(rig.deck->GetPitch(), 44100u);
}
