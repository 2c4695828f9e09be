#include "../../platform/test_dir.h"
#include "contracts/private_ini.h"
#include "engine/deck/mixer_device.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

class Deck : public MixerDevice {};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ConfigTest : ::testing::Test {
    TestDir dir;
    std::string zec = dir.file("song.zec");
    char* path() { return zec.data(); }
};

} // namespace

TEST_F(ConfigTest, EverySettingRoundTripsThroughTheFile) {
    Deck a;
    a.GetBPMInfo()->baseTempo = 127.456f;
    char notes[] = "first line\nsecond line";
    a.SetNotesText(notes);
    a.SetVolume(55, kVChannel0);
    a.SetEqualizerFilename("techno.eq");
    a.StoreStoredPosition(0, 4410, 0);
    a.StoreStoredPosition(3, 100, 0);
    a.StoreStoredPosition(3, 90000, 1);
    a.SetDSPEffectsEnabled(false);
    ASSERT_TRUE(a.WriteConfig(path(), false));

    const std::string text = slurp(zec);
    EXPECT_NE(text.find("[Version Info]\nVersion=1.80\n"), std::string::npos);
    EXPECT_NE(text.find("Notes=first line`second line\n"), std::string::npos);
    EXPECT_NE(text.find("Stored 3=100,90000\n"), std::string::npos);
    EXPECT_NE(text.find("Stored 9=-1,-1\n"), std::string::npos);
    EXPECT_NE(text.find("DSP Count=0\n"), std::string::npos);

    Deck b;
    ASSERT_TRUE(b.ReadConfig(path()));
    EXPECT_FLOAT_EQ(b.GetBPMInfo()->baseTempo, 127.45f); // cut to two decimals
    EXPECT_FLOAT_EQ(b.GetBPMInfo()->currentTempo, 127.45f);
    EXPECT_STREQ(b.GetNotesText(), "first line\nsecond line");
    EXPECT_EQ(b.GetVolume(kVChannel0), 55);
    EXPECT_STREQ(b.GetEqualizerFilename(), "techno.eq");
    EXPECT_EQ(b.GetStoredPosition(0)->start.load(), 4410);
    EXPECT_EQ(b.GetStoredPosition(0)->end.load(), -1);
    EXPECT_EQ(b.GetStoredPosition(3)->end.load(), 90000);
    EXPECT_FALSE(b.GetDSPEffectsEnabled());
}

TEST_F(ConfigTest, ReadOnlySettingsAreKeptUntilAForcedWrite) {
    Deck a;
    a.SetReadOnlyValue(3); // one more write, then read-only
    a.SetVolume(40, kVChannel0);
    ASSERT_TRUE(a.WriteConfig(path(), false));
    EXPECT_EQ(a.GetReadOnlyValue(), 1);
    const std::string written = slurp(zec);
    a.SetVolume(90, kVChannel0);
    EXPECT_TRUE(a.WriteConfig(path(), false)); // reports success, writes nothing
    EXPECT_EQ(slurp(zec), written);
    ASSERT_TRUE(a.WriteConfig(path(), true));
    EXPECT_NE(slurp(zec).find("Volume=90"), std::string::npos);

    Deck b;
    ASSERT_TRUE(b.ReadConfig(path()));
    EXPECT_TRUE(b.GetReadOnlyConfig());
}

TEST_F(ConfigTest, MissingFileKeepsDefaultsAndUnwritableFolderStillReportsSuccess) {
    Deck d;
    char missing[] = "/nonexistent/folder/song.zec";
    EXPECT_FALSE(d.ReadConfig(missing));
    EXPECT_EQ(d.GetVolume(kVChannel0), 70);
    EXPECT_TRUE(d.WriteConfig(missing, false));
}

TEST_F(ConfigTest, GarbageValuesLeaveTheDeckAsItWas) {
    std::ofstream(zec) << "[Version Info]\nVersion=1.80\n[ZEC Info]\nBPM=banana\nVolume=\n"
                       << "Notes=" << std::string(5000, 'x') << "\n[Stored positions]\n"
                       << "Stored 0=abc\nStored 1=5\nStored 2=7,8\n[DSP Effects]\n"
                       << "DSP Count=2000000000\nDSP 0=/no/such/lib.so|1\n";
    Deck d;
    d.StoreStoredPosition(0, 11, 0);
    ASSERT_TRUE(d.ReadConfig(path()));
    EXPECT_EQ(d.GetBPMInfo()->baseTempo, 0.f);
    EXPECT_EQ(d.GetVolume(kVChannel0), 70); // empty value: no number, default kept
    EXPECT_EQ(std::strlen(d.GetNotesText()), 1025u);
    EXPECT_EQ(d.GetStoredPosition(0)->start.load(), 11);
    EXPECT_EQ(d.GetStoredPosition(1)->start.load(), -1);
    EXPECT_EQ(d.GetStoredPosition(2)->end.load(), 8);
    EXPECT_TRUE(d.GetDSPEffects().empty());
}

TEST_F(ConfigTest, OlderLayoutIsReadDeletedAndRewritten) {
    const std::string eqFile = dir.file("old.eq");
    {
        Deck source; // an equalizer file to be loaded at once
        source.GetEqualizer(3)->setBoost(0, 2.0f);
        ASSERT_TRUE(source.WriteEqualizerConfig(eqFile.c_str()));
    }
    std::ofstream out(zec);
    out << "BPM=98.765000\r\n"
        << "Notes=crate digger`b-side\r\n";
    for (int i = 0; i < 10; ++i)
        out << "Stored" << i << "=" << (i * 100) << "," << (i == 4 ? 900 : -1) << "\r\n";
    out << "Volume=66\r\n" << eqFile << "\r\nReadOnly=0\r\nDSP Enabled=0\r\n|\r\n";
    out.close();

    Deck d;
    ASSERT_TRUE(d.ReadConfig(path()));
    EXPECT_FLOAT_EQ(d.GetBPMInfo()->baseTempo, 98.765f);
    EXPECT_STREQ(d.GetNotesText(), "crate digger\nb-side");
    EXPECT_EQ(d.GetStoredPosition(4)->start.load(), 400);
    EXPECT_EQ(d.GetStoredPosition(4)->end.load(), 900);
    EXPECT_EQ(d.GetVolume(kVChannel0), 66);
    EXPECT_STREQ(d.GetEqualizerFilename(), eqFile.c_str());
    EXPECT_FLOAT_EQ(d.GetEqualizer(3)->returnBoost(0), 2.0f);
    EXPECT_FALSE(d.GetDSPEffectsEnabled());

    // Now in the current layout.
    PrivateINI ini(path());
    char version[16];
    EXPECT_STREQ(ini.GetString("Version Info", "Version", version, "", sizeof version), "1.80");
    EXPECT_EQ(ini.GetInt("ZEC Info", "Volume", 0), 66);
    Deck again;
    ASSERT_TRUE(again.ReadConfig(path()));
    EXPECT_EQ(again.GetStoredPosition(4)->end.load(), 900);
}

TEST_F(ConfigTest, OlderLayoutCutShortKeepsWhatItHolds) {
    std::ofstream(zec) << "BPM=120\nNotes=x\nStored0=5,6\n";
    Deck d;
    ASSERT_TRUE(d.ReadConfig(path()));
    EXPECT_FLOAT_EQ(d.GetBPMInfo()->baseTempo, 120.f);
    EXPECT_EQ(d.GetStoredPosition(0)->end.load(), 6);
    EXPECT_EQ(d.GetVolume(kVChannel0), 70);
}

TEST_F(ConfigTest, EqualizerFileHoldsBothEqualizers) {
    Deck a;
    a.GetEqualizer(10)->setFreqBoostAndBandWidth(4, 1000.f, 0.5f, 0.1f);
    a.GetEqualizer(3)->SetKillFreq(2, true);
    a.SetActiveEqualizer(3);
    const std::string eq = dir.file("both.eq");
    ASSERT_TRUE(a.WriteEqualizerConfig(eq.c_str()));

    Deck b;
    ASSERT_TRUE(b.ReadEqualizerConfig(eq.c_str()));
    EXPECT_FLOAT_EQ(b.GetEqualizer(10)->returnBoost(4), 0.5f);
    EXPECT_TRUE(b.GetEqualizer(3)->GetKillFreq(2));
    EXPECT_EQ(b.GetActiveEqualizer(), b.GetEqualizer(10)); // the active one stays
    EXPECT_FALSE(b.ReadEqualizerConfig(dir.file("none.eq").c_str()));
    EXPECT_FALSE(a.WriteEqualizerConfig(dir.file("no/such/x.eq").c_str()));

    std::ofstream(eq) << "garbage\n=7\n1,2,3,4\n=-3\n\n";
    EXPECT_TRUE(b.ReadEqualizerConfig(eq.c_str()));
    EXPECT_FLOAT_EQ(b.GetEqualizer(10)->returnBoost(4), 0.5f);
}
