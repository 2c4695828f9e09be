// Matching tempo to the decks on the crossfader and to the next channel; the read-only switch,
// saving at once, and a deck without settings of its own.
#include "app/decks/deck_window/deck_commands.h"
#include "engine/foundations/standard_dirs.h"
#include "view_rig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace zem::deckwin;

TEST(Matching, LeftRightAndNextDecks) {
    ViewRig rig;
    StreamDevice* a = rig.AddDeck(2, 120); // channel 0
    StreamDevice* b = rig.AddDeck(2, 126); // channel 1
    StreamDevice* c = rig.AddDeck(2, 100); // channel 2
    rig.mixer->SetFaderChannels(2, 1);
    MixerDeviceViewLogic view(rig.time, &rig.host);
    view.SetDevice(a);
    EXPECT_EQ(view.FindMatchDeck(MatchSide::kNext), b);
    view.Execute(kCmdMatchRight, {});
    EXPECT_EQ(a->GetPitch(), 46305u);
    EXPECT_EQ(view.GetPitchSliderValue(), 666);
    view.Execute(kCmdMatchLeft, {});
    EXPECT_NEAR(static_cast<double>(a->GetPitch()), 36750.0, 1.0);

    MixerDeviceViewLogic last(rig.time, nullptr);
    last.SetDevice(c);
    EXPECT_EQ(last.FindMatchDeck(MatchSide::kNext), a) << "wraps to the first channel";
    EXPECT_FALSE(last.MatchPitch(MatchSide::kLeft)) << "the left deck is this one";
    EXPECT_FALSE(last.GetCommandState(kCmdMatchLeft).enabled);
    EXPECT_TRUE(last.GetCommandState(kCmdMatchRight).enabled);
}

TEST(Matching, ADeckWithoutATempoIsNotMatched) {
    ViewRig rig;
    StreamDevice* a = rig.AddDeck(2, 120);
    StreamDevice* b = rig.AddDeck(2, 0);
    MixerDeviceViewLogic view(rig.time, &rig.host), other(rig.time, nullptr);
    view.SetDevice(a);
    other.SetDevice(b);
    EXPECT_FALSE(view.MatchPitch(MatchSide::kNext));
    EXPECT_EQ(a->GetPitch(), 44100u) << "a tempo of 0 must not stop this deck";
    EXPECT_FALSE(other.MatchPitch(MatchSide::kNext));
    EXPECT_EQ(b->GetPitch(), 44100u);
    EXPECT_FALSE(view.GetCommandState(kCmdMatchNext).enabled);
}

TEST(DeckSettingsFile, ReadOnlyIsStoredAtOnceAndSaveNowWrites) {
    ViewRig rig;
    const char* song = "/music/readonly_song.wav";
    char zec[512];
    std::snprintf(zec, sizeof zec, "%s", song);
    FNameToZEC(zec);
    std::remove(zec);
    auto read = [&] {
        std::stringstream text;
        text << std::ifstream(zec).rdbuf();
        return text.str();
    };
    MixerDeviceViewLogic view(rig.time, &rig.host);
    StreamDevice* deck = rig.AddDeck(2, 120, 44100, song);
    view.SetDevice(deck);
    EXPECT_TRUE(view.ToggleReadOnly());
    EXPECT_EQ(rig.host.titles, 1);
    EXPECT_TRUE(view.GetCommandState(kCmdReadOnly).checked);
    EXPECT_NE(read().find("Read only=1"), std::string::npos) << zec;
    EXPECT_FALSE(view.ToggleReadOnly()); // writes nothing by itself...
    EXPECT_NE(read().find("Read only=1"), std::string::npos);
    deck->StoreStoredPosition(3, 4444, 0);
    view.Execute(kCmdSaveNow, {}); // ...save now does
    EXPECT_NE(read().find("Read only=0"), std::string::npos);
    EXPECT_NE(read().find("4444"), std::string::npos);
    std::remove(zec);

    view.Execute(kCmdDeckSettings, {});
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], "No settings available for this device.");
}
