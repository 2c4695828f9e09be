// The equalizer window's logic on a real deck (no sound card needed: only the equalizers and
// the song's name are used), with real preset files in the program directory's SFX folder.
#include "../framework/memory_profile.h"
#include "app/equalizer/equalizer_ids.h"
#include "app/equalizer/equalizer_window_logic.h"
#include "app/equalizer/preset_file.h"
#include "engine/deck/mixer_device.h"
#include "engine/equalizer/equalizer.h"
#include "engine/foundations/standard_dirs.h"
#include "platform/ui_hooks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace zem::eqwin;

namespace {

std::vector<std::string> g_messages;
std::vector<std::string> g_questions;
bool g_answer = true;

struct Rig {
    MixerDevice deck;
    MemoryProfile profile;
    EqualizerWindowLogic logic{deck, profile};
    std::vector<std::string> files;

    Rig() {
        g_messages.clear();
        g_questions.clear();
        g_answer = true;
        zem::SetUiHooks({[](const char* text) { g_messages.emplace_back(text); },
                         [](const char* text, bool) {
                             g_questions.emplace_back(text);
                             return g_answer;
                         },
                         nullptr});
    }
    ~Rig() {
        zem::SetUiHooks({});
        for (const std::string& f : files)
            std::remove(f.c_str());
    }
    std::string File(const std::string& name, const std::string& content) {
        const std::string path = PresetPath(name);
        std::ofstream(path, std::ios::binary) << content;
        files.push_back(path);
        return path;
    }
    Equalizer& Eq() { return *deck.GetActiveEqualizer(); }
};

} // namespace

TEST(EqualizerLogic, FaderPositionsAndBoosts) {
    EXPECT_NEAR(BoostFromPosition(1000), 3.16228f, 1e-4);
    EXPECT_EQ(BoostFromPosition(2000), 1.0f);
    EXPECT_NEAR(BoostFromPosition(0), 10.0f, 1e-4);
    EXPECT_NEAR(BoostFromPosition(4000), 0.1f, 1e-5);
    EXPECT_EQ(PositionFromBoost(1.0f), 2000);
    EXPECT_EQ(PositionFromBoost(100.0f), 0); // beyond +20 dB stays on the fader
    for (int p : {0, 700, 1999, 2001, 3500, 4000})
        EXPECT_NEAR(PositionFromBoost(BoostFromPosition(p)), p, 1) << p;

    Rig rig;
    rig.logic.MoveFader(4, 1000);
    EXPECT_NEAR(rig.Eq().returnBoost(4), 3.16228f, 1e-4);
    EXPECT_NEAR(rig.logic.Refresh().position[4], 1000, 1);
    rig.logic.MoveFader(4, 2000);
    EXPECT_EQ(rig.Eq().returnBoost(4), 1.0f);
    EXPECT_EQ(rig.Eq().returnFreqResponse(4, 1000.0f), 1.0f);
}

TEST(EqualizerLogic, KillButtonsAndTheirGroups) {
    EXPECT_EQ(BandOfKillButton(1088), 0);
    EXPECT_EQ(BandOfKillButton(1095), 8);
    EXPECT_EQ(BandOfKillButton(1096), 7);
    EXPECT_EQ(BandOfKillButton(1097), 9);
    EXPECT_EQ(BandOfKillButton(1098), -1);
    EXPECT_EQ(KillButtonOfBand(7), 1096);

    Rig rig;
    rig.logic.ClickKill(0, true);
    rig.logic.ClickKill(1, true);
    EXPECT_FALSE(rig.logic.Refresh().groupKilled[0]);
    rig.logic.ClickKill(2, true);
    EqualizerWindowState s = rig.logic.Refresh();
    EXPECT_TRUE(s.groupKilled[0]);
    EXPECT_TRUE(rig.Eq().GetKillFreq(2));
    EXPECT_NEAR(rig.Eq().returnFreqResponse(2, 250.0f), 0.05f, 1e-3);
    rig.logic.ClickKill(1, false);
    s = rig.logic.Refresh();
    EXPECT_FALSE(s.groupKilled[0]);
    EXPECT_FALSE(s.killed[1]);
    EXPECT_TRUE(s.killed[0]);

    rig.logic.ClickGroup(1, true);
    s = rig.logic.Refresh();
    for (int band = 3; band <= 6; ++band)
        EXPECT_TRUE(s.killed[band] && rig.Eq().GetKillFreq(band)) << band;
    EXPECT_TRUE(s.groupKilled[1]);
    EXPECT_FALSE(s.killed[7]);
    EXPECT_FALSE(s.groupKilled[2]);
    rig.logic.ClickGroup(1, false);
    EXPECT_FALSE(rig.Eq().GetKillFreq(5));

    rig.logic.MoveFader(8, 500);
    rig.logic.ClickKill(8, true);
    rig.logic.Reset();
    s = rig.logic.Refresh();
    for (int band = 0; band < 10; ++band) {
        EXPECT_FALSE(s.killed[band]) << band;
        EXPECT_EQ(s.boost[band], 1.0f) << band;
    }
}

TEST(EqualizerLogic, ThreeBandsAndTheRememberedKind) {
    Rig rig;
    rig.logic.MoveFader(5, 300);
    rig.logic.SetEnabled(false);
    EXPECT_FALSE(rig.deck.GetEqualizerEnabled());
    EXPECT_TRUE(rig.logic.OnCommand(kCmdToggleThreeBand));
    ASSERT_EQ(rig.deck.GetActiveEqualizer(), rig.deck.GetEqualizer(3));
    EXPECT_FALSE(rig.deck.GetActiveEqualizer()->GetEnable());
    EqualizerWindowState s = rig.logic.Refresh();
    EXPECT_TRUE(s.threeBand);
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.form, kThreeBandForm);
    EXPECT_EQ(s.bands, 3);
    EXPECT_EQ(s.position[5], 0); // the ten-band fader is not shown, so not refreshed
    EXPECT_EQ(s.frequency[1], 1500.0f);

    rig.logic.ClickGroup(1, true); // nothing of the mid group is in use
    rig.logic.ClickGroup(0, true);
    s = rig.logic.Refresh();
    EXPECT_TRUE(s.groupKilled[0]);
    EXPECT_FALSE(s.groupKilled[1]);
    EXPECT_FALSE(s.groupKilled[2]);
    EXPECT_FALSE(rig.deck.GetEqualizer(3)->GetKillFreq(3));
    EXPECT_FALSE(rig.deck.GetEqualizer(10)->GetKillFreq(0));

    rig.logic.OnWindowDestroyed();
    EXPECT_EQ(rig.profile.GetProfileInt("equalizer", "use three channel eq", -1), 1);
    rig.logic.ToggleThreeBand();
    EXPECT_EQ(rig.logic.Refresh().form, kTenBandForm);
    EXPECT_EQ(rig.logic.Refresh().position[5], 300);
    rig.logic.OnWindowDestroyed();
    EXPECT_EQ(rig.profile.GetProfileInt("Equalizer", "Use three channel EQ", -1), 0);
}

TEST(EqualizerLogic, AutoLoadPresetIsTheSongsNameInTheFolder) {
    Rig rig;
    char song[] = "/music/set one/song.mp3";
    rig.deck.LoadFile(song);
    const std::string expected = std::string(ZEM_GetZEMPath(4)) + "/song.mp3.eq";
    rig.files.push_back(expected);
    rig.files.push_back(PresetPath("default.eq"));
    std::remove(expected.c_str());

    g_answer = false;
    rig.logic.OnCommand(kCmdSaveAutoLoad);
    EXPECT_FALSE(std::ifstream(expected).good());
    EXPECT_STREQ(rig.deck.GetEqualizerFilename(), "");

    g_answer = true;
    rig.logic.MoveFader(2, 1000);
    rig.logic.OnCommand(kCmdSaveAutoLoad);
    ASSERT_EQ(g_questions.size(), 2u);
    EXPECT_EQ(g_questions[1], kSaveAutoLoadQuestion);
    EXPECT_EQ(rig.deck.GetEqualizerFilename(), expected);
    MixerDevice other;
    ASSERT_TRUE(other.ReadEqualizerConfig(expected.c_str()));
    EXPECT_NEAR(other.GetEqualizer(10)->returnBoost(2), 3.16228f, 1e-4);

    // Removing it goes back to the default preset and forgets the name; the file stays.
    MixerDevice flat;
    ASSERT_TRUE(flat.WriteEqualizerConfig(PresetPath("default.eq").c_str()));
    rig.logic.OnCommand(kCmdRemoveAutoLoad);
    EXPECT_EQ(g_questions.back(), kRemoveAutoLoadQuestion);
    EXPECT_STREQ(rig.deck.GetEqualizerFilename(), "");
    EXPECT_EQ(rig.Eq().returnBoost(2), 1.0f);
    EXPECT_TRUE(std::ifstream(expected).good());
    EXPECT_TRUE(g_messages.empty());

    char windowsSong[] = "C:\\music\\tune.wav";
    rig.deck.LoadFile(windowsSong);
    rig.files.push_back(PresetPath("tune.wav.eq"));
    rig.logic.SaveAutoLoadPreset();
    EXPECT_EQ(rig.deck.GetEqualizerFilename(), PresetPath("tune.wav.eq"));
}

TEST(EqualizerLogic, DefaultAndChosenPresets) {
    Rig rig;
    rig.files.push_back(PresetPath("default.eq"));
    rig.logic.MoveFader(0, 1500);
    rig.logic.OnCommand(kCmdSaveDefault);
    EXPECT_EQ(g_questions.at(0), kSaveDefaultQuestion);
    rig.logic.Reset();
    rig.logic.OnCommand(kCmdLoadDefault);
    EXPECT_NEAR(rig.logic.Refresh().position[0], 1500, 1);

    std::vector<PresetDialogRequest> asked;
    std::string answer;
    rig.logic.SetPresetDialog([&](const PresetDialogRequest& r) {
        asked.push_back(r);
        return answer;
    });
    const std::string chosen = PresetPath("chosen.eq");
    rig.files.push_back(chosen);
    std::remove(chosen.c_str());
    rig.logic.OnCommand(kCmdSavePreset); // cancelled
    EXPECT_FALSE(std::ifstream(chosen).good());
    answer = chosen;
    rig.logic.ClickKill(9, true);
    rig.logic.OnCommand(kCmdSavePreset);
    rig.logic.Reset();
    rig.logic.OnCommand(kCmdLoadPreset);
    EXPECT_TRUE(rig.Eq().GetKillFreq(9));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_TRUE(asked[0].save);
    EXPECT_FALSE(asked[2].save);
    EXPECT_EQ(asked[2].folder, ZEM_GetZEMPath(4));
    EXPECT_EQ(asked[2].defaultName, "default.eq");
    EXPECT_EQ(asked[2].filterName, "Equalizer settings (*.eq)");
    EXPECT_TRUE(g_messages.empty());
}

TEST(EqualizerLogic, BadPresetFilesChangeNothing) {
    Rig rig;
    rig.logic.MoveFader(3, 1234);
    rig.logic.ClickKill(6, true);
    const std::string text = rig.File("notes.eq", "just some notes\n=\nmore\n");
    const std::string binary = rig.File("binary.eq", std::string("=10\n\0\x01\x02\xff", 8));
    const std::string broken = rig.File("broken.eq", "=10\n60.0, 0.4, 1.0, 0\nnonsense\n");
    const std::string wrongCount = rig.File("five.eq", "=5\n1, 1, 1, 0\n");
    for (const std::string& path : {text, binary, broken, wrongCount, PresetPath("absent.eq")}) {
        g_messages.clear();
        EXPECT_FALSE(rig.logic.LoadPresetFile(path)) << path;
        ASSERT_EQ(g_messages.size(), 1u) << path;
        EXPECT_NE(g_messages[0].find(path), std::string::npos);
        EXPECT_NEAR(rig.logic.Refresh().position[3], 1234, 1) << path;
        EXPECT_TRUE(rig.Eq().GetKillFreq(6)) << path;
        EXPECT_EQ(rig.Eq().returnFreq(3), 500.0f) << path;
    }
    EXPECT_NE(g_messages[0].find("could not be opened"), std::string::npos);
    EXPECT_EQ(CheckPresetFile(text), PresetCheck::kNotEqualizer);
    EXPECT_EQ(CheckPresetFile(ZEM_GetZEMPath(4)), PresetCheck::kMissing); // a folder

    // A sound preset is taken whole.
    MixerDevice other;
    other.GetEqualizer(3)->setBoost(1, 2.0f);
    std::string good = PresetPath("good.eq");
    rig.files.push_back(good);
    ASSERT_TRUE(other.WriteEqualizerConfig(good.c_str()));
    EXPECT_TRUE(rig.logic.LoadPresetFile(good));
    EXPECT_EQ(rig.deck.GetEqualizer(3)->returnBoost(1), 2.0f);
    EXPECT_FALSE(rig.Eq().GetKillFreq(6));
}
