// The Auto DJ's described behaviour against fake decks on a hand-driven clock: arming, the fade,
// the replacement, turning on, random play, fade to next and opening errors.
#include "tests/plugins/playlists/auto_dj/fake_decks.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace playlists {
namespace {

using fake::AutoDjRig;
using fake::Song;

constexpr unsigned long kEnd = static_cast<unsigned long>(-1);
constexpr unsigned long kClosed = static_cast<unsigned long>(-2);

TEST(AutoDjFade, FourMinuteSongFadesAt225sAndIsReplacedAt232s) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.autoDj.Toggle();
    ASSERT_TRUE(rig.window.checked);
    const int left = rig.decks.ChannelId(kLeftSide);
    const int right = rig.decks.ChannelId(kRightSide);
    ASSERT_GE(left, 0);
    ASSERT_GE(right, 0);
    EXPECT_EQ(rig.decks.Trigger(left, 0), kEnd);
    EXPECT_EQ(rig.decks.Trigger(left, 1), 225000ul);
    EXPECT_EQ(rig.decks.Trigger(left, 2), 232000ul);
    EXPECT_EQ(rig.decks.Trigger(left, 3), kClosed);
    EXPECT_EQ(rig.decks.Trigger(right, 1), 225000ul);
    // Turning on brings the crossfader left and starts the left deck.
    ASSERT_EQ(rig.decks.Fades().size(), 1u);
    EXPECT_EQ(rig.decks.Fades()[0].side, kLeftSide);
    EXPECT_TRUE(rig.decks.Deck(left)->playing);
    EXPECT_FALSE(rig.decks.Deck(right)->playing);

    rig.Run(224990);
    EXPECT_FALSE(rig.decks.Deck(right)->playing);
    rig.Run(10);
    EXPECT_TRUE(rig.decks.Deck(right)->playing);
    ASSERT_EQ(rig.decks.Fades().size(), 2u);
    EXPECT_EQ(rig.decks.Fades()[1].side, kRightSide);
    EXPECT_EQ(rig.decks.Fades()[1].ms, 7000ul);
    EXPECT_EQ(rig.decks.Fades()[1].at, 225000);

    rig.Run(6990);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "a.mp3");
    rig.Run(10);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    EXPECT_FALSE(rig.decks.Deck(kLeftSide)->playing);
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    EXPECT_NEAR(rig.decks.Fader(), 1.0, 1e-9);
    EXPECT_EQ(rig.decks.DeckCount(), 2);
    EXPECT_EQ(rig.decks.Trigger(kLeftSide, 1), 225000ul); // the new deck is armed
}

TEST(AutoDjFade, SongShorterThanTheLeadFadesFromItsStart) {
    AutoDjRig rig({"short.mp3", "b.mp3", "c.mp3"});
    rig.decks.SetSong("short.mp3", Song{10000});
    rig.autoDj.Toggle();
    EXPECT_EQ(rig.decks.Trigger(kLeftSide, 1), 0ul);
    EXPECT_EQ(rig.decks.Trigger(kLeftSide, 2), 7000ul);
    rig.Run(20);
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    rig.Run(7000);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
}

TEST(AutoDjFade, Cue9DecidesTheFadeStartOnlyWhenTheSettingSaysSo) {
    for (const bool atCue : {true, false}) {
        AutoDjRig rig({"cue.mp3", "b.mp3"});
        rig.decks.SetSong("cue.mp3", Song{240000, 180000});
        rig.window.settings.fadeAtCue9 = atCue;
        rig.autoDj.Toggle();
        EXPECT_EQ(rig.decks.Trigger(kLeftSide, 1), atCue ? 180000ul : 225000ul);
        EXPECT_EQ(rig.decks.Trigger(kLeftSide, 2), atCue ? 187000ul : 232000ul);
        rig.Run(180000);
        EXPECT_EQ(rig.decks.Deck(kRightSide)->playing, atCue);
    }
}

TEST(AutoDjFade, LateFadeStartMovesTheIncomingDeckByTheDelay) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.decks.SetLateness(40);
    rig.autoDj.Toggle();
    rig.Run(225040);
    ASSERT_TRUE(rig.decks.Deck(kRightSide)->playing);
    rig.Run(1000);
    // The incoming deck stands where it would have, had the event come on time.
    EXPECT_EQ(rig.decks.Deck(kRightSide)->positionMs + 225000,
              rig.decks.Deck(kLeftSide)->positionMs);
}

TEST(AutoDjTurnOn, OneRowChecksTheBoxAndOpensNothing) {
    AutoDjRig rig({"only.mp3"});
    rig.autoDj.Toggle();
    EXPECT_TRUE(rig.autoDj.IsOn());
    EXPECT_TRUE(rig.window.checked);
    EXPECT_TRUE(rig.decks.Opened().empty());
    rig.autoDj.Toggle();
    EXPECT_FALSE(rig.autoDj.IsOn());
    EXPECT_FALSE(rig.window.checked);
}

TEST(AutoDjTurnOn, PlayingSideIsArmedButNothingStartsOrFades) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    const int left = rig.decks.NewChannel("a.mp3");
    const int right = rig.decks.NewChannel("b.mp3");
    rig.decks.UserPlay(right);
    rig.autoDj.Toggle();
    EXPECT_EQ(rig.decks.Opened().size(), 2u);
    EXPECT_EQ(rig.decks.Events(left).size(), 4u);
    EXPECT_EQ(rig.decks.Events(right).size(), 4u);
    EXPECT_TRUE(rig.decks.Fades().empty());
    EXPECT_EQ(rig.decks.Deck(left)->startCount, 0);
}

TEST(AutoDjTurnOn, StopsOpeningWhenTheHostGivesNoSide) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.decks.SetAssignSides(false);
    rig.autoDj.Toggle();
    EXPECT_EQ(rig.decks.Opened().size(), 1u);
    EXPECT_TRUE(rig.autoDj.IsOn());
}

TEST(AutoDjRows, RandomPlayOpensEachRowOnceBeforeAnyTwice) {
    AutoDjRig rig({"r0.mp3", "r1.mp3", "r2.mp3"}, Song{30000});
    rig.playlist.SetRandomPlay(true);
    rig.window.random = 1; // not just the first unplayed row every time
    rig.autoDj.Toggle();
    rig.Run(8 * 30000);
    const std::vector<int>& rows = rig.playlist.OpenedRows();
    ASSERT_GE(rows.size(), 9u);
    for (size_t round = 0; round < 3; ++round) {
        std::vector<int> block(rows.begin() + round * 3, rows.begin() + round * 3 + 3);
        std::sort(block.begin(), block.end());
        EXPECT_EQ(block, (std::vector<int>{0, 1, 2})) << "round " << round;
    }
    // All marked: the marks are cleared and the row after the last one follows.
    EXPECT_EQ(rows[3], (rows[2] + 1) % 3);
    EXPECT_EQ(rows[6], (rows[5] + 1) % 3);
    EXPECT_NE(rows, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
}

TEST(AutoDjRows, NextRowWrapsToTheFirst) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"}, Song{30000});
    rig.autoDj.Toggle();
    rig.Run(3 * 30000);
    const std::vector<int>& rows = rig.playlist.OpenedRows();
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(std::vector<int>(rows.begin(), rows.begin() + 5), (std::vector<int>{0, 1, 2, 0, 1}));
}

TEST(AutoDjFadeToNext, StartsTheFadeAtOnceFromTheDeckPlayingAlone) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.autoDj.Toggle();
    rig.Run(10000);
    ASSERT_TRUE(rig.autoDj.CanFadeToNext());
    rig.autoDj.FadeToNext();
    rig.Run(10);
    EXPECT_TRUE(rig.decks.Deck(kRightSide)->playing);
    rig.Run(7000);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "c.mp3");
    rig.decks.SetAppClosing(true);
    EXPECT_FALSE(rig.autoDj.CanFadeToNext());
}

TEST(AutoDjFadeToNext, DoesNothingWhileBothOrNeitherPlay) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.window.settings.playOnInitialOn = false;
    rig.autoDj.Toggle();
    rig.autoDj.FadeToNext(); // neither plays
    EXPECT_EQ(rig.decks.Trigger(kLeftSide, 1), 225000ul);
    EXPECT_EQ(rig.decks.Trigger(kRightSide, 1), 225000ul);

    rig.decks.UserPlay(rig.decks.ChannelId(kLeftSide));
    rig.Run(226000); // both play, the fade under way
    rig.autoDj.FadeToNext();
    EXPECT_EQ(rig.decks.Trigger(kLeftSide, 2), 232000ul);
    EXPECT_EQ(rig.decks.Trigger(kRightSide, 1), 225000ul);
    EXPECT_EQ(rig.decks.Trigger(kRightSide, 2), 232000ul);
}

TEST(AutoDjErrors, PromptYesTriesTheNextRowNoTurnsOff) {
    for (const bool yes : {true, false}) {
        AutoDjRig rig({"a.mp3", "gone.mp3", "c.mp3"});
        rig.decks.SetSong("gone.mp3", Song{240000, 0, 0, false});
        rig.window.answerContinue = yes;
        rig.autoDj.Toggle();
        EXPECT_EQ(rig.window.questions, 1);
        EXPECT_EQ(rig.autoDj.IsOn(), yes);
        EXPECT_EQ(rig.window.checked, yes);
        if (yes) {
            EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "c.mp3");
            EXPECT_TRUE(rig.decks.Deck(kLeftSide)->playing);
        } else {
            EXPECT_EQ(rig.decks.DeckCount(), 1);
            EXPECT_EQ(rig.decks.PlayingCount(), 0);
        }
    }
}

TEST(AutoDjErrors, WithoutPromptTheFollowingRowsAreTriedSilently) {
    AutoDjRig rig({"a.mp3", "gone.mp3", "c.mp3"});
    rig.decks.SetSong("gone.mp3", Song{240000, 0, 0, false});
    rig.window.settings.promptOnError = false;
    rig.autoDj.Toggle();
    EXPECT_EQ(rig.window.questions, 0);
    EXPECT_EQ(rig.decks.Deck(kRightSide)->path, "c.mp3");
    EXPECT_EQ(rig.playlist.NextRow(), 0);
}

TEST(AutoDjClose, RemovesTheEventsOfEveryArmedDeckUnlessTheHostCloses) {
    for (const bool hostClosing : {false, true}) {
        AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
        rig.autoDj.Toggle();
        // The right deck leaves the crossfader; it keeps its events.
        rig.decks.UserAssign(rig.decks.ChannelId(kRightSide), 0);
        rig.decks.SetAppClosing(hostClosing);
        rig.autoDj.OnWindowClose();
        EXPECT_FALSE(rig.autoDj.IsOn());
        EXPECT_EQ(rig.decks.EventsTotal(), hostClosing ? 8 : 0);
    }
}

TEST(AutoDjOff, EventsStayButDoNothing) {
    AutoDjRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.autoDj.Toggle();
    rig.autoDj.Toggle();
    rig.Run(240000);
    EXPECT_EQ(rig.decks.Deck(kLeftSide)->path, "a.mp3");
    EXPECT_FALSE(rig.decks.Deck(kRightSide)->playing);
    EXPECT_EQ(rig.decks.Opened().size(), 2u);
}

} // namespace
} // namespace playlists
