// Playback rate: a group plays at SetPitch's rate through the card's resampler, cleanly.
#include "audio_util.h"

#include <gtest/gtest.h>

#include <complex>
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

// Power spectrum (Blackman-Harris window) of n = 2^k samples, bins 0..n/2.
std::vector<double> Spectrum(const std::vector<double>& x) {
    const size_t n = x.size();
    const double pi = std::acos(-1.0);
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = 2 * pi * i / (n - 1);
        const double w =
            0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        a[i] = x[i] * w;
    }
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> wl = std::polar(1.0, -2 * pi / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= wl) {
                const auto u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    std::vector<double> p(n / 2 + 1);
    for (size_t i = 0; i <= n / 2; ++i)
        p[i] = std::norm(a[i]);
    return p;
}

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
