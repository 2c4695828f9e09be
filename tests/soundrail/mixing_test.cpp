// What the cards hear: volumes, mute, clickless ramps, headphone routing, sub-channels and
// groups for channels no card plays. Each card is hand-driven and its output measured.
#include "audio_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace testaudio;

namespace {

constexpr int kLookAhead = 17;

std::unique_ptr<OutputGroup> ToneGroup(OutputManager& m, int channel, double hz = 1000,
                                       size_t frames = 22050) {
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(channel, &f, 4 * 22050));
    if (g) {
        std::vector<int16_t> tone = Sine(hz, 44100, frames, 16000);
        Write(*g, tone.data(), static_cast<unsigned long>(tone.size() * 2));
    }
    return g;
}

} // namespace

TEST(Mixing, MainVolumeInHundredthsOfADecibel) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    auto g = ToneGroup(m, 0);
    ASSERT_TRUE(g);
    g->Play();
    const double full = Rms(Channel(card->Advance(4410), 4410, 2, 0), 100);
    g->SetVolume(-3100, true);
    const double low = Rms(Channel(card->Advance(4410), 4410, 2, 0), 100);
    EXPECT_NEAR(Db(low / full), -31.0, 0.05);
    g->SetVolume(-10000, true);
    EXPECT_EQ(Rms(Channel(card->Advance(1000), 1000, 2, 1)), 0.0);
    // Beyond the range is clamped: above 0 is full level, not a boost.
    g->SetVolume(500, true);
    EXPECT_NEAR(Db(Rms(Channel(card->Advance(4410), 4410, 2, 0)) / full), 0.0, 0.05);
}

TEST(Mixing, MuteSilencesWhilePositionsMove) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    auto g = ToneGroup(m, 0);
    g->Play();
    g->SetMute(true);
    EXPECT_EQ(Rms(Channel(card->Advance(1000), 1000, 2, 0)), 0.0);
    g->UpdatePositions();
    EXPECT_EQ(g->GetBytesPlayed(), (1000u + kLookAhead) * 4);
    g->SetMute(false);
    EXPECT_GT(Rms(Channel(card->Advance(1000), 1000, 2, 0)), 10000.0);
}

TEST(Mixing, ClicklessRampsInsteadOfSteps) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 40000));
    std::vector<int16_t> dc(2 * 10000, 20000);
    Write(*g, dc.data(), 40000);
    g->Play();
    card->Advance(100);

    // Hard step without clickless sync.
    g->SetMute(true);
    const short* out = card->Advance(10);
    EXPECT_EQ(out[0], 0);

    g->SetMute(false);
    g->SetSynchronizeType(kSyncClickless);
    out = card->Advance(441); // 10 ms
    EXPECT_LT(out[0], 2000);  // starts from silence
    EXPECT_EQ(out[2 * 440], 20000);
    int maxJump = 0;
    for (int i = 1; i < 441; ++i)
        maxJump = std::max(maxJump, std::abs(out[2 * i] - out[2 * (i - 1)]));
    EXPECT_LT(maxJump, 200); // 20000 spread over about 220 samples

    // A volume change asked to be immediate is a step even in clickless mode.
    g->SetVolume(-600, true);
    out = card->Advance(10);
    EXPECT_NEAR(out[0], 20000 * 0.501187, 2);
}

TEST(Mixing, GroupsForChannelsNoCardPlaysAreRefused) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    OutputDevice* d = card->GetDevice();
    WAVEFORMATEX f = Stereo16(44100);
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list); // settles the first-start assignments
    ASSERT_EQ(list.size(), 1u);
    d->SetChannelAssignment(3, 0);
    EXPECT_EQ(m.CreateOutputGroup(3, &f, 1000), nullptr);
    std::unique_ptr<OutputGroup> ok(m.CreateOutputGroup(2, &f, 1000));
    EXPECT_NE(ok, nullptr);
    d->SetSFXAssignment(0);
    EXPECT_EQ(m.CreateOutputGroup(-1, &f, 1000), nullptr);
    d->SetDisabled(true);
    EXPECT_EQ(m.CreateOutputGroup(2, &f, 1000), nullptr);
    d->SetDisabled(false);

    // Bad requests give no group either.
    EXPECT_EQ(m.CreateOutputGroup(2, &f, 0), nullptr);
    EXPECT_EQ(m.CreateOutputGroup(2, &f, 3), nullptr);
    EXPECT_EQ(m.CreateOutputGroup(256, &f, 1000), nullptr);
    EXPECT_EQ(m.CreateOutputGroup(-2, &f, 1000), nullptr);
    EXPECT_EQ(m.CreateOutputGroup(2, nullptr, 1000), nullptr);
    WAVEFORMATEX eight = f;
    eight.wBitsPerSample = 8;
    eight.nBlockAlign = 2;
    EXPECT_EQ(m.CreateOutputGroup(2, &eight, 1000), nullptr);
    EXPECT_EQ(m.AddManualDevice("Odd", 3, 44100), nullptr);
}

TEST(Mixing, SubChannelsOfAFourChannelCard) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Quad", 4, 44100);
    OutputDevice* d = card->GetDevice();
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    d->ResetAssignments();
    d->SetChannelAssignment(0, 2);
    d->SetChannelAssignment(1, 3);
    d->SetHeadphoneAssignment(3);
    std::vector<std::string> labels;
    d->GetSubChannelLabels(labels);
    EXPECT_EQ(labels.size(), 3u);

    auto a = ToneGroup(m, 0, 1000);
    auto b = ToneGroup(m, 1, 3000);
    ASSERT_TRUE(a && b);
    a->Play();
    b->Play();
    const short* out = card->Advance(4410);
    EXPECT_NEAR(Frequency(Channel(out, 4410, 4, 0), 44100, 100), 1000, 2);
    EXPECT_NEAR(Frequency(Channel(out, 4410, 4, 3), 44100, 100), 3000, 5);

    // Headphones on pair 3/4: channel 0 cued at -6 dB joins channel 1 there, the front stays.
    a->SetHeadphoneVolume(-600);
    a->SetHeadphoneMute(false);
    EXPECT_FALSE(a->GetHeadphoneMute());
    b->SetVolume(-10000, true);
    out = card->Advance(4410);
    const double front = Rms(Channel(out, 4410, 4, 0), 100);
    const double cue = Rms(Channel(out, 4410, 4, 2), 100);
    EXPECT_NEAR(Db(cue / front), -6.0, 0.05);
    EXPECT_NEAR(Frequency(Channel(out, 4410, 4, 2), 44100, 100), 1000, 2);
}

TEST(Mixing, HeadphonesOnASecondCard) {
    OutputManager m;
    ManualOutputClock* speakers = m.AddManualDevice("Speakers", 2, 44100);
    ManualOutputClock* phones = m.AddManualDevice("Phones", 2, 44100);
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    // First start: every channel on the first card, headphones on the second.
    EXPECT_EQ(speakers->GetDevice()->GetChannelAssignment(7), 1);
    EXPECT_EQ(speakers->GetDevice()->GetSFXAssignment(), 1);
    EXPECT_EQ(speakers->GetDevice()->GetMasterChannel(), 1);
    EXPECT_EQ(phones->GetDevice()->GetHeadphoneAssignment(), 1);
    EXPECT_EQ(phones->GetDevice()->GetChannelAssignment(7), 0);

    auto g = ToneGroup(m, 0, 2000);
    g->Play();
    g->SetHeadphoneVolume(-1200);
    // Cue off: the second card is silent.
    speakers->Advance(512);
    EXPECT_EQ(Rms(Channel(phones->Advance(512), 512, 2, 0)), 0.0);

    g->SetHeadphoneMute(false);
    for (int block = 0; block < 20; ++block) {
        const std::vector<double> main = Channel(speakers->Advance(512), 512, 2, 0);
        const std::vector<double> cue = Channel(phones->Advance(512), 512, 2, 1);
        if (block < 2)
            continue;
        EXPECT_NEAR(Db(Rms(cue) / Rms(main)), -12.0, 0.1) << block;
        EXPECT_NEAR(Frequency(cue, 44100), 2000, 10);
    }
}

TEST(Mixing, ReadPositionMovedBackReplaysTheRing) {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 8000));
    std::vector<int16_t> ramp(2 * 2000);
    for (int i = 0; i < 2000; ++i)
        ramp[2 * i] = ramp[2 * i + 1] = static_cast<int16_t>(i);
    Write(*g, ramp.data(), 8000);
    g->Play();
    card->Advance(500);
    // A paused loop: back to frame 100 and play it again.
    g->SetLogicalReadPosition(400);
    const short* out = card->Advance(50);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(out[2 * i], 100 + i);
}

TEST(Mixing, GroupDeletedAfterItsManagerIsHarmless) {
    std::unique_ptr<OutputGroup> g;
    {
        OutputManager m;
        m.AddManualDevice("Card", 2, 44100);
        g = ToneGroup(m, 0);
        ASSERT_TRUE(g);
        g->Play();
    }
    g->UpdatePositions();
    EXPECT_EQ(g->GetBytesPlayed(), 0u);
    g.reset();
}

// A headphone card at another rate than the card that reads the group hears it at its pitch.
TEST(Mixing, HeadphonesOnACardAtAnotherRate) {
    OutputManager m;
    ManualOutputClock* speakers = m.AddManualDevice("Speakers", 2, 44100);
    ManualOutputClock* phones = m.AddManualDevice("Phones", 2, 48000);
    auto g = ToneGroup(m, 0, 2000, 44100);
    ASSERT_TRUE(g);
    EXPECT_EQ(phones->GetDevice()->GetHeadphoneAssignment(), 1);
    g->Play();
    g->SetHeadphoneMute(false);
    std::vector<double> cue;
    for (int step = 0; step < 50; ++step) { // 10 ms at a time on both cards
        speakers->Advance(441);
        const std::vector<double> part = Channel(phones->Advance(480), 480, 2, 0);
        if (step >= 5)
            cue.insert(cue.end(), part.begin(), part.end());
    }
    EXPECT_NEAR(Frequency(cue, 48000), 2000, 5);
    EXPECT_NEAR(Rms(cue), 16000 / std::sqrt(2.0), 300);
}
