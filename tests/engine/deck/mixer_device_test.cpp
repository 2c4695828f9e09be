#include "engine/deck/mixer_device.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// A deck without output group: the rules that need none.
class Deck : public MixerDevice {};
} // namespace

TEST(MixerDevice, StartsWithTheDocumentedDefaults) {
    Deck d;
    EXPECT_EQ(d.GetVolume(kVChannel0), 70);
    EXPECT_EQ(d.GetVolume(kVChannel2), 70);
    EXPECT_EQ(d.GetVolume(static_cast<VChannel>(7)), 7); // any other value returns itself
    EXPECT_EQ(d.GetRelativeVolume(kVChannel1), 100);
    EXPECT_EQ(d.GetWaveFormatEx()->nSamplesPerSec, 22050u);
    EXPECT_EQ(d.GetWaveFormatEx()->nAvgBytesPerSec, 88200u);
    EXPECT_EQ(d.GetOutputBlockSize(), 15000u);
    EXPECT_EQ(d.GetLoopSlot(), MixerDevice::kNoLoopSlot);
    EXPECT_EQ(d.GetActiveEqualizer(), d.GetEqualizer(10));
    EXPECT_TRUE(d.GetActiveEqualizer()->GetEnable());
    EXPECT_EQ(d.GetEqualizer(10)->GetNumBands(), 10);
    EXPECT_EQ(d.GetEqualizer(3)->GetNumBands(), 3);
    EXPECT_FLOAT_EQ(d.GetEqualizer(10)->returnFreq(9), 18000.f);
    EXPECT_FLOAT_EQ(d.GetEqualizer(10)->returnBandwidth(9), 0.055f);
    EXPECT_FLOAT_EQ(d.GetEqualizer(3)->returnFreq(1), 1500.f);
    EXPECT_TRUE(d.GetDSPEffectsEnabled());
    EXPECT_FALSE(d.GetReadOnlyConfig());
    EXPECT_FALSE(d.ShowSettings());
    for (int s = 0; s < 10; ++s) {
        ASSERT_NE(d.GetStoredPosition(s), nullptr);
        EXPECT_EQ(d.GetStoredPosition(s)->start.load(), -1);
    }
    EXPECT_EQ(d.GetStoredPosition(10), nullptr);
    EXPECT_EQ(d.GetStoredPosition(-1), nullptr);
}

TEST(MixerDevice, VolumeChannelsFollowTheirRules) {
    Deck d;
    d.SetVolume(50, kVChannel1); // below volume[2] = 70: volume[0] unchanged
    EXPECT_EQ(d.GetVolume(kVChannel0), 70);
    EXPECT_EQ(d.GetVolume(kVChannel1), 50);
    d.SetVolume(80, kVChannel2); // at or above volume[1]: volume[0] follows
    EXPECT_EQ(d.GetVolume(kVChannel0), 80);
    d.SetVolume(40, kVChannel0); // volume[1] < volume[2]: the larger one follows
    EXPECT_EQ(d.GetVolume(kVChannel2), 40);
    EXPECT_EQ(d.GetVolume(kVChannel1), 50);
    d.SetVolume(60, kVChannel0); // volume[2] < volume[1] now: volume[1] follows
    EXPECT_EQ(d.GetVolume(kVChannel1), 60);
    EXPECT_EQ(d.GetVolume(kVChannel2), 40);
    d.SetVolume(90, static_cast<VChannel>(5));
    EXPECT_EQ(d.GetVolume(kVChannel0), 60);
}

TEST(MixerDevice, RelativeVolumesClampAsTheMixerNeeds) {
    Deck d;
    d.SetRelativeVolume(-5, kVChannel0);
    EXPECT_EQ(d.GetRelativeVolume(kVChannel0), 100);
    d.SetRelativeVolume(30, kVChannelAll);
    EXPECT_EQ(d.GetRelativeVolume(kVChannel2), 30);
    d.SetFaderPercent(-5);
    EXPECT_EQ(d.GetRelativeVolume(kVChannel0), 0);
    d.SetFaderPercent(200);
    EXPECT_EQ(d.GetRelativeVolume(kVChannel1), 100);
}

TEST(MixerDevice, EqualizerSelectionAndEnabling) {
    Deck d;
    EXPECT_FALSE(d.SetActiveEqualizer(5));
    EXPECT_EQ(d.GetActiveEqualizer(), d.GetEqualizer(10));
    d.SetEqualizerEnabled(false);
    EXPECT_TRUE(d.SetActiveEqualizer(3));
    EXPECT_EQ(d.GetActiveEqualizer(), d.GetEqualizer(3));
    EXPECT_FALSE(d.GetActiveEqualizer()->GetEnable()); // the state moves with the selection
    d.SetEqualizerFilename(std::string(400, 'e').c_str());
    EXPECT_EQ(std::strlen(d.GetEqualizerFilename()), 254u);
}

TEST(MixerDevice, StoredPositionsAndLoopSlot) {
    Deck d;
    d.StoreStoredPosition(2, 1000, 0);
    d.StoreStoredPosition(2, 5000, 1);
    EXPECT_EQ(d.GetStoredPosition(2)->start.load(), 1000);
    EXPECT_EQ(d.GetStoredPosition(2)->end.load(), 5000);
    d.SetLoopSlot(-1);
    EXPECT_EQ(d.GetLoopSlot(), 10);
    d.SetLoopSlot(2);
    EXPECT_EQ(d.GetLoopSlot(), 2);
}

TEST(MixerDevice, NotesFilenameAndPitchChange) {
    Deck d;
    std::string longNotes(2000, 'n');
    d.SetNotesText(longNotes.data());
    EXPECT_EQ(std::strlen(d.GetNotesText()), 1025u);
    char path[] = "C:\\Music\\Set 1\\Track.mp3";
    d.LoadFile(path);
    EXPECT_EQ(d.GetOutputBlockSize(), 0u); // the caller sets the real size after loading
    char name[256];
    EXPECT_STREQ(d.GetFilename(name), "Track.mp3");
    char full[256];
    EXPECT_STREQ(d.GetFullPath(full), path);
    d.GetBPMInfo()->baseTempo = 120;
    d.SetPitch(22050); // the song's own rate
    EXPECT_FLOAT_EQ(d.GetPitchChange(), 0.f);
    EXPECT_FLOAT_EQ(d.GetBPMInfo()->currentTempo, 120.f);
    d.SetPitch(23152); // about +5 %
    EXPECT_NEAR(d.GetPitchChange(), 4.998f, 0.01f);
    EXPECT_NEAR(d.GetBPMInfo()->currentTempo, 126.0f, 0.01f);
}

TEST(MixerDevice, BlockSizeIsWholeFrames) {
    Deck d;
    d.SetOutputBlockSize(15003);
    EXPECT_EQ(d.GetOutputBlockSize(), 15000u);
}
