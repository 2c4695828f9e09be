// What DJs' automatic mixing is known to trip over, against the fake decks: songs that end early,
// decks closed, stopped, seeked or looped by hand mid-set, files that will not open, a sound
// card that stalls. The set must keep playing: one deck at a time, no deck left stuck.
#include "tests/plugins/playlists/auto_dj/fake_decks.h"

#include <gtest/gtest.h>

namespace playlists {
namespace {

using fake::AutoDjRig;
using fake::Song;

const std::vector<std::string> kRows{"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"};

// Runs ms in steps and fails when nothing plays at any step.
void RunPlaying(AutoDjRig& rig, unsigned long ms) {
    for (unsigned long t = 0; t < ms; t += 10) {
        rig.Run(10);
        ASSERT_GE(rig.decks.PlayingCount(), 1) << "silent at " << rig.decks.Now() << " ms";
    }
}

TEST(AutoDjRobust, SongThatFailsHalfwayHandsOverToTheOtherDeck) {
    AutoDjRig rig(kRows);
    rig.decks.SetSong("a.mp3", Song{240000, 0, 100000});
    rig.autoDj.Toggle();
    RunPlaying(rig, 100000);
    rig.Run(10);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    EXPECT_EQ(rig.decks.Fades().back().side, kRightSide);
    RunPlaying(rig, 250000); // b fades into c as usual
    EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "d.mp3");
    EXPECT_TRUE(rig.decks.Deck(kLeftSide)->playing);
}

TEST(AutoDjRobust, OutgoingDeckClosedByHandMidFade) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(226000);
    rig.decks.CloseChannel(rig.decks.ChannelId(kLeftSide));
    RunPlaying(rig, 20000);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_FALSE(rig.decks.Deck(kLeftSide)->playing);
    EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "b.mp3");
    EXPECT_EQ(rig.decks.Opened().size(), 3u);
}

TEST(AutoDjRobust, IncomingDeckClosedByHandMidFadeIsReplacedAndTakesOver) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(226000);
    rig.decks.CloseChannel(rig.decks.ChannelId(kRightSide));
    rig.Run(10);
    EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "c.mp3");
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    EXPECT_EQ(rig.decks.Fades().back().side, kRightSide);
    RunPlaying(rig, 8000);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "d.mp3");
}

TEST(AutoDjRobust, EjectAndLoadByHandArmsTheNewFile) {
    AutoDjRig rig(kRows);
    rig.decks.AddSong("mine.mp3", Song{100000});
    rig.autoDj.Toggle();
    rig.Run(1000);
    const int right = rig.decks.ChannelId(kRightSide);
    rig.decks.UserEject(right);
    rig.Run(500);
    EXPECT_TRUE(rig.autoDj.Waiting());
    rig.decks.UserLoad(right, "mine.mp3");
    rig.Run(100);
    EXPECT_FALSE(rig.autoDj.Waiting());
    EXPECT_EQ(rig.decks.Trigger(right, 1), 85000ul);
}

TEST(AutoDjRobust, EjectWithoutANewFileIsReplacedAfterTheWaitLimit) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    const int right = rig.decks.ChannelId(kRightSide);
    rig.decks.UserEject(right);
    rig.Run(AutoDj::kWaitLimitMs - 100);
    EXPECT_TRUE(rig.autoDj.Waiting());
    rig.Run(200);
    EXPECT_FALSE(rig.autoDj.Waiting());
    EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "c.mp3");
    EXPECT_EQ(rig.decks.DeckCount(), 2);
}

TEST(AutoDjRobust, LoopHoldsTheSetUntilNextSongGetsOut) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(201000);
    rig.decks.UserLoop(rig.decks.ChannelId(kLeftSide), 200000, 205000);
    RunPlaying(rig, 200000);
    // Position events past the loop's end never come: the left deck loops, the right waits.
    EXPECT_FALSE(rig.decks.Deck(kRightSide)->playing);
    EXPECT_EQ(rig.decks.Opened().size(), 2u);
    rig.autoDj.FadeToNext();
    rig.Run(10);
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    // The fade-over point lies past the loop's end too: the Auto DJ ends the fade itself.
    RunPlaying(rig, 7000 + AutoDj::kFadeOverGraceMs + 20);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_FALSE(rig.decks.Deck(kLeftSide)->playing);
    EXPECT_EQ(rig.decks.DeckCount(), 2);
}

TEST(AutoDjRobust, OutgoingDeckStoppedOrSeekedBackMidFadeIsStillReplaced) {
    for (const bool seek : {false, true}) {
        AutoDjRig rig(kRows);
        rig.autoDj.Toggle();
        rig.Run(227000);
        const int left = rig.decks.ChannelId(kLeftSide);
        if (seek)
            rig.decks.UserSeek(left, 100000); // the fade start already fired and is gone
        else
            rig.decks.UserStop(left); // the fade-over point is never reached
        RunPlaying(rig, 5000 + AutoDj::kFadeOverGraceMs + 20);
        EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
        EXPECT_FALSE(rig.decks.Deck(kLeftSide)->playing);
        // At b's own fade c comes in from its start, not a's rest.
        RunPlaying(rig, 450000 + 10 - rig.decks.Now()); // b started at 225 000 ms
        EXPECT_TRUE(rig.decks.Deck(kLeftSide)->playing);
        EXPECT_LT(rig.decks.Deck(kLeftSide)->positionMs, 1000ul);
        EXPECT_EQ(rig.decks.Opened().size(), 3u) << "seek " << seek;
    }
}

TEST(AutoDjRobust, IncomingDeckStoppedMidFadeRestartsWhenTheOutgoingEnds) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(226000);
    rig.decks.UserStop(rig.decks.ChannelId(kRightSide));
    rig.Run(6010);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
}

TEST(AutoDjRobust, OnePlayableSongAmongBrokenOnesKeepsPlaying) {
    AutoDjRig rig({"x1.mp3", "x2.mp3", "good.mp3", "x3.mp3"}, Song{60000});
    for (const char* bad : {"x1.mp3", "x2.mp3", "x3.mp3"})
        rig.decks.SetSong(bad, Song{60000, 0, 0, false});
    rig.window.settings.promptOnError = false;
    rig.autoDj.Toggle();
    // Each open tries every row at most once: x1 x2 good, then x3 x1 x2 good.
    EXPECT_EQ(rig.decks.Opened().size(), 7u);
    RunPlaying(rig, 5 * 45000);
    EXPECT_EQ(rig.decks.DeckCount(), 2);
    EXPECT_EQ(rig.decks.Opened().size() % 4, 3u);
}

TEST(AutoDjRobust, NothingOpensTriesOnePassAndStaysOn) {
    AutoDjRig rig({"x1.mp3", "x2.mp3", "x3.mp3"});
    for (const char* bad : {"x1.mp3", "x2.mp3", "x3.mp3"})
        rig.decks.SetSong(bad, Song{60000, 0, 0, false});
    rig.window.settings.promptOnError = false;
    rig.autoDj.Toggle();
    EXPECT_EQ(rig.decks.Opened().size(), 3u);
    EXPECT_TRUE(rig.autoDj.IsOn());
    EXPECT_EQ(rig.decks.DeckCount(), 0);
}

// A sound card that stops calling back stalls the decks until the engine's watchdog (1.5 s)
// takes over at the card's pace: the fade-over comes that much late, and the Auto DJ must not
// cut the deck early for it.
TEST(AutoDjRobust, StalledSoundCardOnlyDelaysTheFade) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(228000);
    rig.decks.SetFrozen(true);
    rig.Run(1500);
    rig.decks.SetFrozen(false);
    rig.Run(3990);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "a.mp3");
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->positionMs, 231990ul);
    rig.Run(10);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_EQ(rig.decks.Opened().size(), 3u);
}

TEST(AutoDjRobust, StepsPostedAfterTurningOffDoNothing) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.decks.Advance(232000); // events fire and post, the window has not run yet
    ASSERT_GT(rig.window.PostedCount(), 0u);
    rig.autoDj.Toggle();
    rig.window.Pump(rig.autoDj);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "a.mp3");
    EXPECT_EQ(rig.decks.Opened().size(), 2u);
}

// The end of the song and the end of the fade both fire when the host could not remove the
// second in time: one replacement only, else the second would replace the new deck (which gets
// the freed channel number) and skip a song.
TEST(AutoDjRobust, EndOfSongAndFadeOverTogetherReplaceTheDeckOnce) {
    AutoDjRig rig(kRows);
    rig.autoDj.Toggle();
    rig.Run(10);
    const int left = rig.decks.ChannelId(kLeftSide);
    AutoDj::ProgressCallback(232000, 232000, left, kEventFadeOver, rig.autoDj.UserValue());
    AutoDj::ProgressCallback(240000, static_cast<unsigned long>(-1), left, kEventEndOfFile,
                             rig.autoDj.UserValue());
    rig.Run(10);
    EXPECT_EQ(rig.decks.Opened(), (std::vector<std::string>{"a.mp3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    // The new deck took the number and may ask again once its own song ends.
    ASSERT_EQ(rig.decks.ChannelId(kLeftSide), left);
    AutoDj::ProgressCallback(240000, static_cast<unsigned long>(-1), left, kEventEndOfFile,
                             rig.autoDj.UserValue());
    rig.Run(10);
    EXPECT_EQ(rig.decks.Opened().back(), "d.mp3");
}

} // namespace
} // namespace playlists
