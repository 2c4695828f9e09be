// The deck menu: every command's number and exact text, and what it shows checked and enabled.
#include "app/decks/deck_window/deck_commands.h"
#include "platform/profile.h"
#include "view_rig.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zem::deckwin;

TEST(DeckMenu, EveryCommandHasItsNumberAndExactText) {
    const std::pair<int, const char*> expected[] = {
        {32820, "&Play/Pause\tZ"},
        {32822, "&Stop\tX"},
        {32823, "Pitch &down\t["},
        {32824, "Pitch &up\t]"},
        {32915, "Pitch down more\tCtrl+["},
        {32916, "Pitch up more\tCtrl+]"},
        {32827, "Pitch bend on\t\\"},
        {32894, "Smooth bend on\tCtrl+\\"},
        {32830, "Pitch to 100%\tBackspc"},
        {32810, "Fade pitch to &0%\tEnd"},
        {32811, "Fade pitch to &100%\tHome"},
        {32813, "&Fade pitch to..."},
        {32814, "&STOP fading pitch\tFade twice"},
        {32879, "Match pitch to left fader channel\tR"},
        {32880, "Match pitch to right fader channel\tF"},
        {32881, "Match pitch to next channel\tV"},
        {32836, "&Restore cue position\tNumPad 0-9"},
        {32914, "Store &cue position\tCtrl + NumPad 0-9"},
        {32837, "Clear/&Stop looping\t."},
        {32886, "This file's settings are READ-ONLY\tCtrl+R"},
        {32885, "Save settings to .zec now\tCtrl+W"},
        {32805, "E&nable DSP Effects"},
        {32878, "&DSP Plugins..."},
        {32860, "&Equalizer..."},
        {32808, "&Wave editor..."},
    };
    for (const auto& [command, text] : expected) {
        ASSERT_NE(DeckMenuText(command), nullptr) << command;
        EXPECT_EQ(std::string(DeckMenuText(command)), text) << command;
    }
    // Deck settings is a deck command without a menu text of its own.
    EXPECT_TRUE(IsDeckCommand(32843));
    EXPECT_EQ(DeckMenuText(32843), nullptr);
    EXPECT_FALSE(IsDeckCommand(32821));
    std::set<int> numbers;
    for (const DeckMenuCommand& c : DeckMenuCommands())
        EXPECT_TRUE(numbers.insert(c.command).second) << "twice: " << c.command;
    EXPECT_EQ(numbers.size(), std::size(expected) + 1);
}

TEST(DeckMenu, ChecksAndEnablingFollowTheDeck) {
    ViewRig rig;
    MixerDeviceViewLogic view(rig.time, &rig.host);
    // Without a deck only the global smooth-bend setting can be changed.
    EXPECT_FALSE(view.GetCommandState(kCmdPlayPause).enabled);
    EXPECT_TRUE(view.GetCommandState(kCmdSmoothBendOn).enabled);
    EXPECT_EQ(view.Execute(kCmdPlayPause, {}), CommandOutcome::kNotHandled);

    StreamDevice* deck = rig.AddDeck(4, 120);
    view.SetDevice(deck);
    view.OnSongLoaded();
    EXPECT_TRUE(view.GetCommandState(kCmdPlayPause).enabled);
    EXPECT_TRUE(view.GetCommandState(kCmdEnableEffects).checked);
    view.Execute(kCmdEnableEffects, {});
    EXPECT_FALSE(deck->GetDSPEffectsEnabled());
    EXPECT_FALSE(view.GetCommandState(kCmdEnableEffects).checked);
    view.Execute(kCmdPitchBendOn, {});
    EXPECT_TRUE(view.GetCommandState(kCmdPitchBendOn).checked);
    view.Execute(kCmdSmoothBendOn, {});
    EXPECT_TRUE(view.GetCommandState(kCmdSmoothBendOn).checked);
    EXPECT_EQ(zem::profile::GetInt("General device settings", "Smooth bend on", 0), 1);
    // Stopping a fade needs a fade, matching another deck.
    EXPECT_FALSE(view.GetCommandState(kCmdStopFadingPitch).enabled);
    EXPECT_FALSE(view.GetCommandState(kCmdMatchNext).enabled);
    // The dialogs are the window's.
    EXPECT_EQ(view.Execute(kCmdFadePitchTo, {}), CommandOutcome::kOpenFadeDialog);
    EXPECT_EQ(view.Execute(kCmdEqualizer, {}), CommandOutcome::kOpenEqualizer);

    // The keypad cue commands take the digit; the store command stores without Ctrl.
    deck->SetPosition(40000, false);
    view.Execute(kCmdStoreCue, {}, 7);
    EXPECT_EQ(deck->GetStoredPosition(7)->start.load(), 40000);
    deck->SetPosition(0, false);
    view.Execute(kCmdRestoreCue, {}, 7);
    EXPECT_EQ(deck->GetPosition(), 40000u);
}
