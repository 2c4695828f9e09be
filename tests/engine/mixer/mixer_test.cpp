// Channels and sound-effect devices of the mixer: numbering, output groups, removal, volumes.
#include "engine/foundations/zem_exception.h"
#include "mixer_rig.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string ExceptionText(const std::function<void()>& f) {
    try {
        f();
    } catch (const ZEMException& e) {
        return std::string(e.GetMessage()) + (e.IsFatal() ? " [fatal]" : "");
    }
    return {};
}

} // namespace

TEST(MixerChannels, SmallestFreeNumberIsReusedAndListOrderKept) {
    MixerRig rig;
    std::vector<MixerDevice*> decks;
    for (int i = 0; i < 3; ++i) {
        decks.push_back(new MixerDevice);
        EXPECT_EQ(rig.mixer->AddDevice(decks.back(), 88200), i);
        EXPECT_NE(decks.back()->GetOutputGroup(), nullptr);
        EXPECT_EQ(decks.back()->GetMixer(), rig.mixer.get());
    }
    rig.mixer->RemoveDevice(decks[1]);
    EXPECT_EQ(decks[1]->GetOutputGroup(), nullptr);
    EXPECT_EQ(decks[1]->GetMixer(), nullptr);
    EXPECT_EQ(rig.mixer->GetChannel(1), nullptr);
    EXPECT_EQ(rig.mixer->GetChannel(2), decks[2]);
    delete decks[1];

    auto* again = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(again, 88200), 1);
    auto* fourth = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(fourth, 88200), 3);
    // The list keeps the order of addition; numbers stay with their decks.
    ASSERT_EQ(rig.mixer->GetNumDevices(), 4);
    EXPECT_EQ(rig.mixer->GetDevice(0), decks[0]);
    EXPECT_EQ(rig.mixer->GetDevice(1), decks[2]);
    EXPECT_EQ(rig.mixer->GetDevice(2), again);
    EXPECT_EQ(rig.mixer->GetDevice(3), fourth);
    EXPECT_EQ(rig.mixer->GetDevice(4), nullptr);
    EXPECT_EQ(rig.mixer->GetChannel(1), again);
    // The remaining decks are the mixer's to delete at its end (the sanitizers check that).
}

TEST(MixerChannels, ChannelWithoutCardIsRefusedAndNotListed) {
    MixerRig rig;
    // Only channel 0 is assigned, so the first-start assignments leave the others unplayed.
    rig.clock->GetDevice()->SetChannelAssignment(0, 1);
    auto* first = new MixerDevice;
    EXPECT_EQ(rig.mixer->AddDevice(first, 88200), 0);
    MixerDevice second;
    EXPECT_EQ(ExceptionText([&] { rig.mixer->AddDevice(&second, 88200); }),
              "Unable to create output group...\n\nMake sure this channel is assigned to a "
              "soundcard under Settings | Audio settings | Advanced settings... or rerun the "
              "Audio Setup Wizard (Settings | Audio settings | Audio setup wizard...)");
    EXPECT_EQ(second.GetOutputGroup(), nullptr);
    EXPECT_EQ(second.GetMixer(), nullptr);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 1);
    // Removing a device that was never attached changes nothing.
    rig.mixer->RemoveDevice(&second);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 1);
}

TEST(MixerEffects, EffectsGetChannelMinusOneAndTwoSecondsOfBuffer) {
    MixerRig rig;
    auto* sfx = new MixerDevice;
    sfx->SetChannel(5);
    EXPECT_EQ(rig.mixer->AddEffect(sfx), -1);
    EXPECT_EQ(sfx->GetChannel(), -1);
    ASSERT_NE(sfx->GetOutputGroup(), nullptr);
    EXPECT_EQ(sfx->GetOutputGroup()->GetBufferBytes(), 2 * sfx->GetWaveFormatEx()->nAvgBytesPerSec);
    EXPECT_EQ(rig.mixer->GetNumEffects(), 1);
    EXPECT_EQ(rig.mixer->GetEffect(0), sfx);
    EXPECT_EQ(rig.mixer->GetNumDevices(), 0);
    rig.mixer->RemoveEffect(sfx); // deletes it
    EXPECT_EQ(rig.mixer->GetNumEffects(), 0);
    // A device the mixer does not list is not its to delete.
    MixerDevice stranger;
    rig.mixer->RemoveEffect(&stranger);
    // One left for the destructor.
    rig.mixer->AddEffect(new MixerDevice);
}

TEST(MixerEffects, NoSfxCardIsRefused) {
    MixerRig rig;
    rig.clock->GetDevice()->SetChannelAssignment(0, 1); // assigned, but SFX nowhere
    MixerDevice sfx;
    EXPECT_EQ(ExceptionText([&] { rig.mixer->AddEffect(&sfx); }),
              "Unable to create output group...\n\nMake sure SFX is assigned to a soundcard "
              "under Settings | Audio settings | Advanced settings... or rerun the Audio Setup "
              "Wizard (Settings | Audio settings | Audio setup wizard...)");
    EXPECT_EQ(sfx.GetOutputGroup(), nullptr);
    EXPECT_EQ(rig.mixer->GetNumEffects(), 0);
}

TEST(MixerHeadphones, MuteFollowsTheChannelAndAbsentChannelsAreMuted) {
    MixerRig rig;
    auto* deck = new MixerDevice;
    const int ch = rig.mixer->AddDevice(deck, 88200);
    rig.mixer->SetHeadphoneMute(ch, false);
    EXPECT_FALSE(rig.mixer->GetHeadphoneMute(ch));
    EXPECT_FALSE(deck->GetOutputGroup()->GetHeadphoneMute());
    rig.mixer->SetHeadphoneMute(ch, true);
    EXPECT_TRUE(rig.mixer->GetHeadphoneMute(ch));
    EXPECT_TRUE(rig.mixer->GetHeadphoneMute(7));
    rig.mixer->SetHeadphoneMute(7, false); // nothing there: nothing happens
    // UpdateVolumes re-applies the stored flag and full relative volume.
    rig.mixer->SetHeadphoneMute(ch, false);
    deck->SetRelativeVolume(30, kVChannelAll);
    rig.mixer->UpdateVolumes();
    EXPECT_FALSE(rig.mixer->GetHeadphoneMute(ch));
    EXPECT_EQ(deck->GetRelativeVolume(kVChannel0), 100);
}

TEST(MixerSound, CrossfaderSharesReachTheCard) {
    // Each deck's group gets a block written by hand; the card plays it at the deck's output
    // volume: volume 100 at full share is 99 % (the single-precision hundredth), that is -1 dB.
    MixerRig rig;
    auto* a = new MixerDevice;
    auto* b = new MixerDevice;
    rig.mixer->AddDevice(a, 88200);
    rig.mixer->AddDevice(b, 88200);
    for (MixerDevice* d : {a, b}) {
        d->GetOutputGroup()->SetSynchronizeType(kSyncImmediate);
        d->SetVolume(100, kVChannel0);
    }
    rig.mixer->SetFaderCenterVolume(0.5f);
    rig.mixer->SetFaderChannels(0, 1);
    auto write = [](MixerDevice* d, short value) {
        unsigned long length = 4 * 8820;
        auto* p = reinterpret_cast<short*>(d->GetOutputGroup()->Lock(length));
        ASSERT_NE(p, nullptr);
        for (unsigned long i = 0; i < 2 * 8820; ++i)
            p[i] = value;
        d->GetOutputGroup()->Unlock(length);
        d->Play();
    };
    write(a, 1000);
    write(b, 3000);
    const double fullShare = std::pow(10.0, -100.0 / 2000.0);
    rig.mixer->SetFaderPercent(-100);
    const short* out = rig.clock->Advance(2000);
    EXPECT_NEAR(out[2 * 1000], 1000 * fullShare, 2);
    rig.mixer->SetFaderPercent(100);
    out = rig.clock->Advance(2000);
    EXPECT_NEAR(out[2 * 1000], 3000 * fullShare, 2);
}
