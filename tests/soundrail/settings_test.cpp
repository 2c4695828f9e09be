// Assignments and device settings written under the configuration folder and read back by the
// next manager; damaged files; the silent card of a machine without sound cards.
#include "audio_util.h"
#include "tests/platform/test_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

using namespace testaudio;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { OutputDevice::SetGeneralConfigPath(dir.path().c_str()); }
    void TearDown() override { OutputDevice::SetGeneralConfigPath(""); }
    std::string ReadFile() const {
        std::ifstream in(dir.file("Soundrail.ini"));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    TestDir dir;
};

} // namespace

TEST_F(SettingsTest, AssignmentsAndSettingsSurviveARestart) {
    {
        OutputManager m;
        OutputDevice* a = m.AddManualDevice("Left card", 2, 44100)->GetDevice();
        OutputDevice* b = m.AddManualDevice("Right card", 4, 48000)->GetDevice();
        a->ResetAssignments();
        b->ResetAssignments();
        // Two cards, fader layout: even channels left, odd channels right.
        for (int c = 0; c < 256; ++c)
            (c % 2 ? b : a)->SetChannelAssignment(c, 1);
        a->SetMasterChannel(1);
        a->SetSFXAssignment(1);
        b->SetSFXAssignment(1);
        b->SetHeadphoneAssignment(3);
        b->SetSpeedOffset(0.25f);
        b->SetSoftwarePlayback(true);
        a->SetDisabled(false);
    }
    EXPECT_NE(ReadFile().find("Left card"), std::string::npos);
    OutputManager m;
    ManualOutputClock* left = m.AddManualDevice("Left card", 2, 44100);
    ManualOutputClock* right = m.AddManualDevice("Right card", 4, 44100);
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    ASSERT_EQ(list.size(), 2u); // no silent card while real ones exist
    OutputDevice* a = left->GetDevice();
    OutputDevice* b = right->GetDevice();
    EXPECT_EQ(a->GetChannelAssignment(4), 1);
    EXPECT_EQ(b->GetChannelAssignment(4), 0);
    EXPECT_EQ(a->GetChannelAssignment(5), 0);
    EXPECT_EQ(b->GetChannelAssignment(5), 1);
    EXPECT_EQ(b->GetChannelAssignment(255), 1);
    EXPECT_EQ(a->GetMasterChannel(), 1);
    EXPECT_EQ(b->GetSFXAssignment(), 1);
    EXPECT_EQ(b->GetHeadphoneAssignment(), 3);
    EXPECT_FLOAT_EQ(b->GetSpeedOffset(), 0.25f);
    EXPECT_TRUE(b->GetSoftwarePlayback());
    EXPECT_EQ(right->GetSampleRate(), 48000u); // the stored rate wins over the default
    EXPECT_EQ(a->GetHeadphoneAssignment(), 0); // not the first-start defaults again

    // Channel 5 plays on the right card only.
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(5, &f, 40000));
    ASSERT_TRUE(g);
    std::vector<int16_t> tone = Sine(1000, 44100, 10000, 10000);
    Write(*g, tone.data(), 40000);
    g->Play();
    EXPECT_EQ(Rms(Channel(left->Advance(2000), 2000, 2, 0)), 0.0);
    EXPECT_GT(Rms(Channel(right->Advance(2000), 2000, 4, 0), 100), 5000.0);
}

TEST_F(SettingsTest, DamagedFileGivesUnassignedChannelsNotACrash) {
    {
        std::ofstream out(dir.file("Soundrail.ini"));
        out << "[General]\nConfigured=1\n[Device Card]\nChannels=12x9\x01zz\nHeadphones=77\n"
               "Speed Offset=nan\nSamples Per Second=-5\nSFX=-1\n[Device Card\n=\n";
    }
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    OutputDevice* d = card->GetDevice();
    EXPECT_EQ(d->GetChannelAssignment(0), 1);
    EXPECT_EQ(d->GetChannelAssignment(1), 2);
    EXPECT_EQ(d->GetChannelAssignment(2), 0);
    EXPECT_EQ(d->GetChannelAssignment(3), 0);
    EXPECT_EQ(d->GetChannelAssignment(200), 0);
    EXPECT_EQ(d->GetHeadphoneAssignment(), 0);
    EXPECT_EQ(d->GetSFXAssignment(), 0);
    EXPECT_FLOAT_EQ(d->GetSpeedOffset(), 0.f);
    EXPECT_EQ(card->GetSampleRate(), 44100u);
    d->SetSpeedOffset(99.f);
    EXPECT_FLOAT_EQ(d->GetSpeedOffset(), 10.f);
    d->SetChannelAssignment(1, 9);
    EXPECT_EQ(d->GetChannelAssignment(1), 0);
}

TEST_F(SettingsTest, UnwritableFolderKeepsSettingsInMemory) {
    OutputDevice::SetGeneralConfigPath(dir.file("missing/folder").c_str());
    OutputManager m;
    OutputDevice* d = m.AddManualDevice("Card", 2, 44100)->GetDevice();
    d->SetChannelAssignment(9, 2);
    EXPECT_EQ(d->GetChannelAssignment(9), 2);
}

TEST(SyncTime, ProcessWideValue) {
    const unsigned long before = GetSyncTime();
    SetSyncTime(1234);
    EXPECT_EQ(GetSyncTime(), 1234u);
    SetSyncTime(before);
}

// A manager without any card module gets the silent card, which keeps real time.
TEST(SilentDevice, DecksPlayWithoutASoundCard) {
    OutputManager m;
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_STREQ(list[0]->GetOutputDeviceName(), "Silent output");
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 4 * 44100));
    ASSERT_TRUE(g);
    std::vector<int16_t> tone = Sine(440, 44100, 44100, 5000);
    Write(*g, tone.data(), 4 * 44100);
    const auto start = std::chrono::steady_clock::now();
    g->Play();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    g->UpdatePositions();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double played = g->GetBytesPlayed() / 4.0 / 44100;
    EXPECT_NEAR(played, seconds, 0.08);
    EXPECT_GT(g->GetPlayWriteBalance(), 0);
}
