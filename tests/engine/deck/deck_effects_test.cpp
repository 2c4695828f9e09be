// The deck's effect chain with real plug-in libraries: the global list, per-song effects in
// the settings file, and the sample path.
#include "../../platform/test_dir.h"
#include "contracts/private_ini.h"
#include "engine/deck/mixer_device.h"
#include "engine/effects/effects_module.h"
#include "engine/foundations/standard_dirs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Deck : public MixerDevice {};

std::string globalList() {
    return std::string(ZEM_GetZEMPath(3)) + "/GlobalDSPPlugins.ini";
}

void writeGlobalList(const std::vector<std::string>& entries) {
    std::ofstream out(globalList());
    out << "[General]\nDSP Count=" << entries.size() << "\n[DSP Effects]\n";
    for (size_t i = 0; i < entries.size(); ++i)
        out << "DSP " << i << "=" << entries[i] << "\n";
}

struct EffectsTest : ::testing::Test {
    void TearDown() override { std::remove(globalList().c_str()); }
    TestDir dir;
};

std::vector<short> ramp(size_t frames) {
    std::vector<short> s(2 * frames);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<short>((i * 97) % 20000 - 10000);
    return s;
}

} // namespace

// One test for everything that uses the global list: it is one file of the program directory,
// and tests run in parallel processes.
TEST_F(EffectsTest, GlobalListAndPerSongEffects) {
    { // a missing list loads nothing
        Deck d;
        EXPECT_TRUE(d.LoadGlobalDSPEffects());
        EXPECT_TRUE(d.GetDSPEffects().empty());
    }
    { // entries that exist load, the rest are skipped
        writeGlobalList({std::string(ZEM_DSP_ECHO) + "|0", STEREO_TOOLS, "/no/such/effect.so|0",
                         std::string(STEREO_TOOLS) + "|2"});
        Deck d;
        EXPECT_TRUE(d.LoadGlobalDSPEffects());
        auto& chain = d.GetDSPEffects();
        ASSERT_EQ(chain.size(), 3u);
        for (DLLEffectsModule* m : chain)
            EXPECT_TRUE(m->GetGlobalStatus());
        EXPECT_STREQ(chain[0]->GetModulePath(), ZEM_DSP_ECHO);
        EXPECT_EQ(chain[1]->GetEffectIndex(), 0); // no "|": effect 0
        EXPECT_EQ(chain[2]->GetEffectIndex(), 2);
        EXPECT_STREQ(chain[2]->GetEffectDescription(-1), "ZEM Channel swap");
    }
    { // only per-song effects are stored with the song
        writeGlobalList({std::string(ZEM_DSP_ECHO) + "|0", std::string(STEREO_TOOLS) + "|1"});
        Deck a;
        a.LoadGlobalDSPEffects();
        char tools[] = STEREO_TOOLS;
        ASSERT_TRUE(a.LoadDSPEffect(tools, 2, false));
        std::string zec = dir.file("song.zec");
        ASSERT_TRUE(a.WriteConfig(zec.data(), false));
        PrivateINI ini(zec.c_str());
        EXPECT_EQ(ini.GetInt("DSP Effects", "DSP Count", -1), 1);
        char entry[512];
        ini.GetString("DSP Effects", "DSP 0", entry, "", sizeof entry);
        EXPECT_EQ(std::string(entry), std::string(STEREO_TOOLS) + "|2");

        Deck b;
        std::string path = zec;
        ASSERT_TRUE(b.ReadConfig(path.data()));
        ASSERT_EQ(b.GetDSPEffects().size(), 1u);
        EXPECT_FALSE(b.GetDSPEffects()[0]->GetGlobalStatus());
        EXPECT_EQ(b.GetDSPEffects()[0]->GetEffectIndex(), 2);
    }
}

TEST_F(EffectsTest, OlderLayoutLoadsTheEffectsBeforeTheBarLine) {
    const std::string zec = dir.file("old.zec");
    std::ofstream(zec) << "BPM=120\nNotes=\n"
                       << "Stored0=-1,-1\nStored1=-1,-1\nStored2=-1,-1\nStored3=-1,-1\n"
                       << "Stored4=-1,-1\nStored5=-1,-1\nStored6=-1,-1\nStored7=-1,-1\n"
                       << "Stored8=-1,-1\nStored9=-1,-1\nVolume=70\n\nReadOnly=0\n"
                       << "DSP Enabled=1\n"
                       << ZEM_DSP_ECHO << "\n"
                       << STEREO_TOOLS << "\n|\n"
                       << ZEM_DSP_ECHO << "\n";
    Deck d;
    std::string path = zec;
    ASSERT_TRUE(d.ReadConfig(path.data()));
    ASSERT_EQ(d.GetDSPEffects().size(), 2u);
    EXPECT_STREQ(d.GetDSPEffects()[1]->GetModulePath(), STEREO_TOOLS);
    EXPECT_EQ(d.GetDSPEffects()[1]->GetEffectIndex(), 0);
}

TEST_F(EffectsTest, TheSamplePathRunsEqualizerThenEffects) {
    Deck d;
    char tools[] = STEREO_TOOLS;
    ASSERT_TRUE(d.LoadDSPEffect(tools, 2, false)); // channel swap: an exact result
    std::vector<short> in = ramp(1000), block = in;
    unsigned long length = block.size() * 2;

    d.SetDSPEffectsEnabled(false); // flat equalizer and no effects: unchanged
    d.DSProcessSample(reinterpret_cast<char*>(block.data()), length);
    EXPECT_EQ(length, 4000u);
    EXPECT_EQ(block, in);

    d.SetDSPEffectsEnabled(true);
    d.DSProcessSample(reinterpret_cast<char*>(block.data()), length);
    for (size_t f = 0; f < 1000; ++f) {
        ASSERT_EQ(block[2 * f], in[2 * f + 1]);
        ASSERT_EQ(block[2 * f + 1], in[2 * f]);
    }

    d.GetEqualizer(10)->SetKillFreq(4, true); // the equalizer still runs with effects off
    d.SetDSPEffectsEnabled(false);
    block = in;
    d.DSProcessSample(reinterpret_cast<char*>(block.data()), length);
    EXPECT_NE(block, in);
    EXPECT_TRUE(d.RemoveDSPEffect(d.GetDSPEffects()[0]));
    EXPECT_TRUE(d.GetDSPEffects().empty());
}

TEST_F(EffectsTest, AModuleThatShortensTheBlockShortensIt) {
    Deck d;
    char frames[] = FX_FRAMES_WINAMP;
    ASSERT_TRUE(d.LoadDSPEffect(frames, 0, false)); // drops every second frame
    std::vector<short> block = ramp(1000);
    unsigned long length = block.size() * 2;
    d.DSProcessSample(reinterpret_cast<char*>(block.data()), length);
    EXPECT_EQ(length, 500u * 4);
    EXPECT_FALSE(d.RemoveDSPEffect(nullptr));
}
