// The synchronisation page's speed offsets and the advanced sheet's working copy, on
// hand-driven cards with their settings in a real "Soundrail.ini".
#include "app/audio_settings/advanced_settings.h"
#include "app/audio_settings/speed_offset_page.h"
#include "card_rig.h"

#include <gtest/gtest.h>

using namespace zem::audio;

TEST(SpeedOffset, FieldGoesToThePreviouslySelectedCard) {
    CardRig rig({{"A", 2}, {"B", 2}});
    rig.devices[1]->SetSpeedOffset(1.5f);
    SpeedOffsetPage page(rig.devices);
    EXPECT_EQ(page.CardNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(page.Selection(), 0);
    EXPECT_EQ(page.FieldText(), "0.00");

    ASSERT_TRUE(page.Select(1, " 2.5"));
    EXPECT_FLOAT_EQ(rig.devices[0]->GetSpeedOffset(), 2.5f);
    EXPECT_FLOAT_EQ(rig.devices[1]->GetSpeedOffset(), 1.5f);
    EXPECT_EQ(page.FieldText(), "1.50");

    ASSERT_TRUE(page.Apply("-3.125"));
    EXPECT_FLOAT_EQ(rig.devices[1]->GetSpeedOffset(), -3.125f);
    EXPECT_EQ(page.FieldText(), "-3.12");

    for (const char* bad : {"abc", "11", "-10.5", "", "1,5", "2x"}) {
        EXPECT_FALSE(page.Select(0, bad)) << bad;
        EXPECT_FALSE(page.Apply(bad)) << bad;
    }
    EXPECT_EQ(ShownMessages().size(), 12u);
    EXPECT_EQ(ShownMessages().front(), kSpeedOffsetRange);
    EXPECT_EQ(page.Selection(), 1);
    EXPECT_FLOAT_EQ(rig.devices[1]->GetSpeedOffset(), -3.125f);
    EXPECT_FLOAT_EQ(rig.devices[0]->GetSpeedOffset(), 2.5f);

    rig.Reopen();
    EXPECT_FLOAT_EQ(rig.devices[0]->GetSpeedOffset(), 2.5f);
    EXPECT_FLOAT_EQ(rig.devices[1]->GetSpeedOffset(), -3.125f);
}

TEST(AdvancedSettings, NothingReachesACardBeforeApplyThenOnlyWhatChanged) {
    CardRig rig({{"A", 2}, {"B", 4}});
    {
        AdvancedAudioSettings cancelled(rig.devices);
        cancelled.Edited(1).enabled = false;
        cancelled.AssignDecks(0, 0, 255, 0);
        cancelled.Edited(0).master = 0;
    }
    rig.Reopen();
    EXPECT_FALSE(rig.devices[1]->GetDisabled());
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(9), 1);
    EXPECT_EQ(rig.devices[0]->GetMasterChannel(), 1);

    AdvancedAudioSettings settings(rig.devices);
    EXPECT_EQ(settings.SubChannelChoices(1),
              (std::vector<std::string>{"Not on this card", "Stereo (1/2)", "Pair A (1/2)",
                                        "Pair B (3/4)"}));
    settings.Edited(1).enabled = false;
    settings.Edited(1).softwarePlayback = true;
    settings.Edited(0).sampleRate = 48000;
    settings.AssignDecks(1, 2, 3, 3);
    settings.AssignDecks(0, 250, 400, 0);
    settings.Edited(1).sfx = 2;
    // Changed elsewhere while the sheet is open: an untouched value must not be written back.
    rig.devices[0]->SetSFXAssignment(0);

    EXPECT_FALSE(settings.Apply({"0.00", "12"}));
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{kSpeedOffsetRange});
    EXPECT_FALSE(rig.devices[1]->GetDisabled());

    ASSERT_TRUE(settings.Apply({"0.00", "-0.75"}));
    EXPECT_TRUE(settings.RateRefusals().empty());
    rig.Reopen();
    OutputDevice& a = *rig.devices[0];
    OutputDevice& b = *rig.devices[1];
    WAVEFORMATEX format{};
    a.GetWaveFormat(&format);
    EXPECT_EQ(format.nSamplesPerSec, 48000u);
    EXPECT_EQ(a.GetSFXAssignment(), 0);
    EXPECT_EQ(a.GetChannelAssignment(249), 1);
    EXPECT_EQ(a.GetChannelAssignment(250), 0);
    EXPECT_EQ(a.GetChannelAssignment(255), 0);
    EXPECT_TRUE(b.GetDisabled());
    EXPECT_TRUE(b.GetSoftwarePlayback());
    EXPECT_EQ(b.GetChannelAssignment(2), 3);
    EXPECT_EQ(b.GetChannelAssignment(3), 3);
    EXPECT_EQ(b.GetChannelAssignment(4), 0);
    EXPECT_EQ(b.GetSFXAssignment(), 2);
    EXPECT_FLOAT_EQ(b.GetSpeedOffset(), -0.75f);
}

TEST(AdvancedSettings, AnOpenCardKeepsItsRateAndSaysSo) {
    CardRig rig({{"A", 2}});
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    std::unique_ptr<OutputGroup> group(rig.outputs->CreateOutputGroup(0, &format, 4096));
    ASSERT_TRUE(group);
    AdvancedAudioSettings settings(rig.devices);
    settings.Edited(0).sampleRate = 96000;
    ASSERT_TRUE(settings.Apply({"0"}));
    EXPECT_EQ(settings.RateRefusals(), std::vector<std::string>{"A"});
    EXPECT_EQ(settings.Edited(0).sampleRate, 44100u);
}
