// The crossfader: each side's share from the percent and the centre volume, with the exact
// roundings that decide the last unit, and the cases where it does nothing.
#include "mixer_rig.h"

namespace {

struct FaderCase {
    float centre;
    int percent;
    int shareA; // after the deck's limit to 0..100
    int shareB;
};

class FaderTable : public ::testing::TestWithParam<FaderCase> {};

} // namespace

TEST_P(FaderTable, SharesFollowPercentAndCentre) {
    const FaderCase c = GetParam();
    MixerRig rig;
    auto* a = new MixerDevice;
    auto* b = new MixerDevice;
    rig.mixer->AddDevice(a, 88200);
    rig.mixer->AddDevice(b, 88200);
    rig.mixer->SetFaderChannels(0, 1);
    rig.mixer->SetFaderCenterVolume(c.centre);
    rig.mixer->SetFaderPercent(c.percent);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), c.shareA);
    EXPECT_EQ(b->GetRelativeVolume(kVChannel0), c.shareB);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel2), c.shareA);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), c.percent);
}

INSTANTIATE_TEST_SUITE_P(
    Mixer, FaderTable,
    ::testing::Values(FaderCase{1.0f, -100, 100, 0},                              // A 200, limited
                      FaderCase{1.0f, 0, 100, 100}, FaderCase{1.0f, 50, 50, 100}, // B 150, limited
                      FaderCase{0.5f, 0, 50, 50}, FaderCase{0.5f, -100, 100, 0},
                      FaderCase{0.5f, 100, 0, 100}, FaderCase{0.75f, 0, 75, 75},
                      FaderCase{0.75f, 16, 62, 87}));

TEST(Fader, SameOrAbsentChannelsOnlyStoreThePercent) {
    MixerRig rig;
    auto* a = new MixerDevice;
    rig.mixer->AddDevice(a, 88200);
    a->SetRelativeVolume(40, kVChannelAll);
    // One deck on both sides.
    rig.mixer->SetFaderChannels(0, 0);
    rig.mixer->SetFaderPercent(-100);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), -100);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), 40);
    // Both sides absent.
    rig.mixer->SetFaderChannels(5, 6);
    rig.mixer->SetFaderPercent(100);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), 100);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), 40);
    // One side absent: the present one still follows.
    rig.mixer->SetFaderChannels(0, 6);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), 0); // A at +100 with centre 1.0
}

TEST(Fader, MinusOneKeepsASideAndThePercentIsReappliedAtOnce) {
    MixerRig rig;
    MixerDevice* decks[4];
    for (auto& d : decks) {
        d = new MixerDevice;
        rig.mixer->AddDevice(d, 88200);
    }
    rig.mixer->SetFaderChannels(0, 1);
    rig.mixer->SetFaderCenterVolume(0.5f);
    rig.mixer->SetFaderPercent(-100);
    EXPECT_EQ(decks[1]->GetRelativeVolume(kVChannel0), 0);
    rig.mixer->SetFaderChannels(-1, 3);
    EXPECT_EQ(rig.mixer->GetFaderChannelA(), 0);
    EXPECT_EQ(rig.mixer->GetFaderChannelB(), 3);
    EXPECT_EQ(decks[3]->GetRelativeVolume(kVChannel0), 0);
    // The deck that left the fader keeps its last share until volumes are updated.
    EXPECT_EQ(decks[1]->GetRelativeVolume(kVChannel0), 0);
    rig.mixer->UpdateVolumes();
    EXPECT_EQ(decks[1]->GetRelativeVolume(kVChannel0), 100);
    EXPECT_EQ(decks[3]->GetRelativeVolume(kVChannel0), 0);
    // Other values, such as -2 for "nothing selected", are stored as they are.
    rig.mixer->SetFaderChannels(-2, -1);
    EXPECT_EQ(rig.mixer->GetFaderChannelA(), -2);
    // The type only re-applies the percent.
    rig.mixer->SetFaderChannels(0, 1);
    decks[0]->SetRelativeVolume(10, kVChannelAll);
    rig.mixer->SetFaderType(2);
    EXPECT_EQ(rig.mixer->GetFaderType(), 2);
    EXPECT_EQ(decks[0]->GetRelativeVolume(kVChannel0), 100);
}

TEST(Fader, CentreVolumeWaitsForTheNextPercent) {
    MixerRig rig;
    auto* a = new MixerDevice;
    auto* b = new MixerDevice;
    rig.mixer->AddDevice(a, 88200);
    rig.mixer->AddDevice(b, 88200);
    rig.mixer->SetFaderChannels(0, 1);
    rig.mixer->SetFaderPercent(0);
    rig.mixer->SetFaderCenterVolume(0.5f);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), 100);
    rig.mixer->SetFaderPercent(0);
    EXPECT_EQ(a->GetRelativeVolume(kVChannel0), 50);
}
