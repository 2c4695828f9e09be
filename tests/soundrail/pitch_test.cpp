// Playback rate: a group plays at SetPitch's rate through the card's resampler, cleanly.
#include "audio_util.h"

#include <gtest/gtest.h>

#include <memory>

using namespace testaudio;

namespace {

struct PitchRig {
    OutputManager m;
    ManualOutputClock* card = m.AddManualDevice("Card", 2, 44100);
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g{m.CreateOutputGroup(0, &f, 4 * 88200)};

    void Fill(double hz, double amplitude) {
        std::vector<int16_t> tone = Sine(hz, 44100, 88200, amplitude);
        Write(*g, tone.data(), static_cast<unsigned long>(tone.size() * 2));
    }
};

} // namespace

TEST(Pitch, ToneAtRaisedRateIsHeardHigher) {
    PitchRig r;
    r.Fill(1000, 12000);
    r.g->SetPitch(46305);
    EXPECT_EQ(r.g->GetPitch(), 46305u);
    r.g->Play();
    const short* out = r.card->Advance(44100);
    EXPECT_NEAR(Frequency(Channel(out, 44100, 2, 0), 44100, 1000), 1050.0, 0.5);
    // Played bytes count the source consumed: 5 % more than the card's frames.
    r.g->UpdatePositions();
    EXPECT_NEAR(static_cast<double>(r.g->GetBytesPlayed()) / 4, 44100 * 1.05, 20);
}

TEST(Pitch, ImagesOfATenKilohertzSineStayBelowMinus60Decibels) {
    PitchRig r;
    r.Fill(10000, 32767);
    r.g->SetPitch(47628); // +8 %
    r.g->Play();
    r.card->Advance(1000);
    const short* out = r.card->Advance(16384);
    const std::vector<double> p = Spectrum(Channel(out, 16384, 2, 0));
    const double binHz = 44100.0 / 16384;
    const size_t peak = static_cast<size_t>(10800 / binHz + 0.5);
    double signal = 0, worst = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (i + 8 >= peak && i <= peak + 8)
            signal += p[i];
        else
            worst = std::max(worst, p[i]);
    }
    EXPECT_LT(10 * std::log10(worst / signal), -60.0);
}

TEST(Pitch, RateChangesGlideWithoutClicks) {
    PitchRig r;
    r.Fill(500, 16000);
    r.g->Play();
    r.card->Advance(1000);
    double maxStep = 0;
    for (unsigned rate = 44100; rate <= 48000; rate += 600) {
        r.g->SetPitch(rate);
        const std::vector<double> x = Channel(r.card->Advance(256), 256, 2, 0);
        for (size_t i = 1; i < x.size(); ++i)
            maxStep = std::max(maxStep, std::abs(x[i] - x[i - 1]));
    }
    // A 16000-peak 550 Hz sine moves at most about 1250 per sample.
    EXPECT_LT(maxStep, 1400);
}

TEST(Pitch, AbsurdRatesAreClamped) {
    PitchRig r;
    r.g->SetPitch(0);
    EXPECT_GT(r.g->GetPitch(), 0u);
    r.g->SetPitch(4000000000UL);
    EXPECT_LE(r.g->GetPitch(), 768000u);
    r.Fill(1000, 8000);
    r.g->Play();
    r.card->Advance(1000); // plays at the fastest step without running past the ring
    r.g->UpdatePositions();
    EXPECT_GE(r.g->GetBytesPlayed(), 4000u * 3);
}

// A card's speed offset corrects every group it plays by that many percent.
TEST(Pitch, SpeedOffsetOfTheCardAppliesToItsGroups) {
    PitchRig r;
    r.card->GetDevice()->SetSpeedOffset(5.0f);
    r.Fill(1000, 12000);
    r.g->Play();
    const short* out = r.card->Advance(22050);
    EXPECT_NEAR(Frequency(Channel(out, 22050, 2, 0), 44100, 1000), 1050.0, 0.5);
    EXPECT_EQ(r.g->GetPitch(), 44100u);
}
