// The wizard's decisions and the assignment it writes, on hand-driven cards: where decks
// really play, what reaches "Soundrail.ini", and the down-mixer in the global effect list.
#include "app/audio_settings/audio_texts.h"
#include "app/audio_settings/audio_wizard.h"
#include "app/audio_settings/global_dsp_editor.h"
#include "card_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace zem::audio;

namespace {

class RefusingAdd : public EngineGlobalDspList {
public:
    bool Add(const std::string&, int) override { return false; }
};

WAVEFORMATEX Stereo16() {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    return f;
}

// Largest sample the card mixed over 512 frames.
int Peak(ManualOutputClock& clock) {
    const short* s = clock.Advance(512);
    int peak = 0;
    for (int i = 0; i < 512 * clock.GetChannels(); ++i)
        peak = std::max(peak, std::abs(int{s[i]}));
    return peak;
}

// A playing group for the deck channel holding a loud square wave.
std::unique_ptr<OutputGroup> PlayingDeck(OutputManager& outputs, int channel) {
    WAVEFORMATEX format = Stereo16();
    std::unique_ptr<OutputGroup> group(outputs.CreateOutputGroup(channel, &format, 16384));
    if (!group)
        return group;
    unsigned long bytes = 8192;
    auto* pcm = reinterpret_cast<short*>(group->Lock(bytes));
    for (unsigned long i = 0; i < bytes / 2; ++i)
        pcm[i] = (i / 40) % 2 ? 12000 : -12000;
    group->Unlock(bytes);
    group->Play();
    return group;
}

std::vector<GlobalDSPEntry> DownmixerOnly() {
    return {{DownmixerPath(), kDownmixerEffect}};
}

} // namespace

TEST(AudioWizard, TwoCardsFaderLayoutPlaysAlternateDecksOnEachCardAndPersists) {
    CardRig rig({{"A", 2}, {"B", 2}});
    AudioWizard wizard;
    ASSERT_TRUE(wizard.LeaveCardCountPage(2));
    wizard.SetFaderLayout(true);
    ASSERT_TRUE(wizard.LeaveCardPage(0, 1));
    EngineGlobalDspList dsp;
    ASSERT_TRUE(wizard.Finish(rig.devices, dsp));
    EXPECT_TRUE(ShownMessages().empty());

    {
        auto left = PlayingDeck(*rig.outputs, 4);
        ASSERT_TRUE(left);
        EXPECT_GT(Peak(*rig.clocks[0]), 5000);
        EXPECT_EQ(Peak(*rig.clocks[1]), 0);
    }
    {
        auto right = PlayingDeck(*rig.outputs, 5);
        ASSERT_TRUE(right);
        EXPECT_EQ(Peak(*rig.clocks[0]), 0);
        EXPECT_GT(Peak(*rig.clocks[1]), 5000);
    }

    rig.Reopen();
    OutputDevice& a = *rig.devices[0];
    OutputDevice& b = *rig.devices[1];
    for (int c : {0, 4, 254}) {
        EXPECT_EQ(a.GetChannelAssignment(c), 1) << c;
        EXPECT_EQ(b.GetChannelAssignment(c), 0) << c;
    }
    for (int c : {1, 5, 255}) {
        EXPECT_EQ(a.GetChannelAssignment(c), 0) << c;
        EXPECT_EQ(b.GetChannelAssignment(c), 1) << c;
    }
    EXPECT_EQ(a.GetMasterChannel(), 1);
    EXPECT_EQ(b.GetMasterChannel(), 0);
    EXPECT_EQ(a.GetSFXAssignment(), 1);
    EXPECT_EQ(b.GetSFXAssignment(), 1);
    // The first start had put the headphones on the second card; the wizard reset them.
    EXPECT_EQ(b.GetHeadphoneAssignment(), 0);
    EXPECT_TRUE(ReadGlobalDSPList().empty());
}

TEST(AudioWizard, TwoCardsSpeakerLayoutPutsHeadphonesOnTheSecond) {
    CardRig rig({{"A", 2}, {"B", 2}, {"C", 2}});
    AudioWizard wizard;
    ASSERT_TRUE(wizard.LeaveCardCountPage(2));
    ASSERT_TRUE(wizard.LeaveCardPage(2, 0));
    EngineGlobalDspList dsp;
    ASSERT_TRUE(wizard.Finish(rig.devices, dsp));
    OutputDevice& speaker = *rig.devices[2];
    OutputDevice& phones = *rig.devices[0];
    EXPECT_EQ(speaker.GetChannelAssignment(0), 1);
    EXPECT_EQ(speaker.GetChannelAssignment(255), 1);
    EXPECT_EQ(phones.GetChannelAssignment(1), 0);
    EXPECT_EQ(phones.GetHeadphoneAssignment(), 1);
    EXPECT_EQ(speaker.GetHeadphoneAssignment(), 0);
    EXPECT_EQ(speaker.GetMasterChannel(), 1);
    EXPECT_EQ(phones.GetMasterChannel(), 0);
    EXPECT_EQ(phones.GetSFXAssignment(), 1);
    EXPECT_EQ(rig.devices[1]->GetSFXAssignment(), 0);
}

TEST(AudioWizard, OneStereoCardRemovesAnEarlierDownmixerAndAddsNone) {
    CardRig rig({{"A", 2}, {"B", 2}});
    const GlobalDSPEntry echo{"/somewhere/ZEM_DSP_Echo.so", 0};
    ASSERT_TRUE(WriteGlobalDSPList({echo, {DownmixerPath(), kDownmixerEffect}}));
    AudioWizard wizard;
    ASSERT_TRUE(wizard.LeaveCardCountPage(1));
    ASSERT_TRUE(wizard.LeaveCardPage(1, -1));
    EngineGlobalDspList dsp;
    ASSERT_TRUE(wizard.Finish(rig.devices, dsp));
    EXPECT_EQ(ReadGlobalDSPList(), std::vector<GlobalDSPEntry>{echo});
    EXPECT_TRUE(ShownMessages().empty());
    OutputDevice& card = *rig.devices[1];
    EXPECT_EQ(card.GetChannelAssignment(0), 1);
    EXPECT_EQ(card.GetChannelAssignment(255), 1);
    EXPECT_EQ(card.GetMasterChannel(), 1);
    EXPECT_EQ(card.GetSFXAssignment(), 1);
    EXPECT_EQ(card.GetHeadphoneAssignment(), 0);
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(0), 0);
    EXPECT_EQ(rig.devices[0]->GetMasterChannel(), 0);
}

TEST(AudioWizard, OneFourChannelCardUsesItsPairsAndTheDownmixer) {
    CardRig rig({{"Quad", 4}});
    AudioWizard shared;
    ASSERT_TRUE(shared.LeaveCardCountPage(1));
    shared.SetSharedHeadphones(true);
    ASSERT_TRUE(shared.SharedHeadphones());
    ASSERT_TRUE(shared.LeaveCardPage(0, -1));
    EngineGlobalDspList dsp;
    ASSERT_TRUE(shared.Finish(rig.devices, dsp));
    OutputDevice& card = *rig.devices[0];
    EXPECT_EQ(card.GetChannelAssignment(0), 2);
    EXPECT_EQ(card.GetChannelAssignment(7), 2);
    EXPECT_EQ(card.GetHeadphoneAssignment(), 3);
    EXPECT_EQ(card.GetMasterChannel(), 2);
    EXPECT_EQ(card.GetSFXAssignment(), 1);
    EXPECT_EQ(ReadGlobalDSPList(), DownmixerOnly());
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{kDownmixerAdded});

    // Run again in the fader layout with an effect list that refuses the down-mixer: the
    // earlier one is removed, the error is shown and the assignments stay as made.
    ShownMessages().clear();
    AudioWizard fader;
    ASSERT_TRUE(fader.LeaveCardCountPage(1));
    fader.SetFaderLayout(true);
    fader.SetSharedHeadphones(true);
    EXPECT_FALSE(fader.SharedHeadphones());
    ASSERT_TRUE(fader.LeaveCardPage(0, -1));
    RefusingAdd refusing;
    ASSERT_TRUE(fader.Finish(rig.devices, refusing));
    EXPECT_EQ(ShownMessages(), (std::vector<std::string>{kDownmixerAdded, kDownmixerFailed}));
    EXPECT_TRUE(ReadGlobalDSPList().empty());
    EXPECT_EQ(card.GetChannelAssignment(4), 2);
    EXPECT_EQ(card.GetChannelAssignment(5), 3);
    EXPECT_EQ(card.GetHeadphoneAssignment(), 0);
    EXPECT_EQ(card.GetMasterChannel(), 2);
    EXPECT_EQ(card.GetSFXAssignment(), 1);
}

TEST(AudioWizard, PagesRefuseWhatCannotBeSetUp) {
    CardRig rig({{"A", 2}, {"B", 2}});
    AudioWizard wizard;
    EXPECT_EQ(wizard.FirstListLabel(), "Choose your Primary soundcard:");
    EXPECT_EQ(wizard.SecondListLabel(),
              "Choose your N/A soundcard:\n(valid only for multiple soundcard configurations)");
    EXPECT_FALSE(wizard.SecondListEnabled());

    EXPECT_FALSE(wizard.LeaveCardCountPage(3));
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{kTooManyCards});

    ShownMessages().clear();
    ASSERT_TRUE(wizard.LeaveCardCountPage(2));
    EXPECT_FALSE(wizard.SharedHeadphonesEnabled());
    EXPECT_EQ(wizard.FirstListLabel(), "Choose your SPEAKER soundcard:");
    EXPECT_EQ(wizard.SecondRole(), "HEADPHONES");
    wizard.SetFaderLayout(true);
    EXPECT_EQ(wizard.FirstRole(), "LEFT fader");
    EXPECT_EQ(wizard.SecondListLabel(), "Choose your RIGHT fader soundcard:\n(valid only for "
                                        "multiple soundcard configurations)");
    EXPECT_FALSE(wizard.LeaveCardPage(0, -1));
    EXPECT_FALSE(wizard.LeaveCardPage(-1, 1));
    EXPECT_FALSE(wizard.LeaveCardPage(1, 1));
    EXPECT_EQ(ShownMessages(), (std::vector<std::string>{kCardMissing, kCardMissing, kSameCard}));

    // One card: the second list is not used, whatever it holds.
    ShownMessages().clear();
    ASSERT_TRUE(wizard.LeaveCardCountPage(1));
    EXPECT_TRUE(wizard.LeaveCardPage(1, 1));
    EXPECT_EQ(wizard.FirstCard(), 1);
    EXPECT_EQ(wizard.SecondCard(), -1);
    EXPECT_TRUE(ShownMessages().empty());

    // The fader layout on one card plays on its second and third outputs: a stereo card is
    // refused, a four-channel card taken.
    EXPECT_FALSE(wizard.LeaveCardPage(0, -1, 1));
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{kNeedsFourChannels});
    EXPECT_TRUE(wizard.LeaveCardPage(0, -1, 3));
}
