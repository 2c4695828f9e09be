// Behaviour: construction, band design and response, kill, pass-through, clamping and
// truncation, the disabled equalizer, state handling.
#include "engine/equalizer/equalizer.h"

#include "deck_setups.h"
#include "reference_equalizer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <vector>

// Counts the allocations of this test program, to show that filtering allocates nothing. (GCC
// sees the replacement's malloc and free through inlining and takes them for a mismatch.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

std::vector<short> RandomBlock(size_t values, unsigned seed, int amplitude = 32767) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> dist(-amplitude - 1, amplitude);
    std::vector<short> v(values);
    for (short& s : v)
        s = static_cast<short>(dist(rng));
    return v;
}

// A stereo sine, both channels alike.
std::vector<short> Sine(double frequency, double amplitude, size_t frames, double rate = 44100) {
    std::vector<short> v(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        const short s = static_cast<short>(
            std::lround(amplitude * std::sin(6.283185307179586 * frequency * i / rate)));
        v[2 * i] = s;
        v[2 * i + 1] = s;
    }
    return v;
}

double Peak(const std::vector<short>& v, size_t fromFrame) {
    double peak = 0;
    for (size_t i = 2 * fromFrame; i < v.size(); ++i)
        peak = std::max(peak, std::fabs(static_cast<double>(v[i])));
    return peak;
}

Equalizer OneBand(float frequency, float boost, float bandwidth) {
    Equalizer eq;
    eq.setFreqBoostAndBandWidth(0, frequency, boost, bandwidth);
    eq.SetNumBands(1);
    eq.SetEnable(true);
    return eq;
}

TEST(Equalizer, ConstructedDisabledWithNoBands) {
    Equalizer eq;
    EXPECT_FALSE(eq.GetEnable());
    EXPECT_EQ(eq.GetNumBands(), 0);
    for (int k = 0; k < Equalizer::kMaxBands; ++k) {
        EXPECT_EQ(eq.returnFreq(k), 0.0f);
        EXPECT_EQ(eq.returnBoost(k), 0.0f);
        EXPECT_EQ(eq.returnBandwidth(k), 0.0f);
        EXPECT_FALSE(eq.GetKillFreq(k));
    }
    // The rate is 44100: a band designed now has its exact gain at its centre.
    eq.setFreqBoostAndBandWidth(0, 1000, 2.0f, 0.1f);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 2.0f, 1e-4);
}

TEST(Equalizer, SettersStoreValues) {
    Equalizer eq;
    eq.setFreqBoostAndBandWidth(3, 500, 1.5f, 0.1f);
    EXPECT_EQ(eq.returnFreq(3), 500.0f);
    EXPECT_EQ(eq.returnBoost(3), 1.5f);
    EXPECT_EQ(eq.returnBandwidth(3), 0.1f);
    eq.setFreq(3, 600);
    eq.setBoost(3, 0.5f);
    eq.setBandwidth(3, 0.2f);
    EXPECT_EQ(eq.returnFreq(3), 600.0f);
    EXPECT_EQ(eq.returnBoost(3), 0.5f);
    EXPECT_EQ(eq.returnBandwidth(3), 0.2f);
    eq.SetKillFreq(3, true);
    EXPECT_TRUE(eq.GetKillFreq(3));
    EXPECT_EQ(eq.returnBoost(3), 0.5f); // killing keeps the boost
    eq.SetEnable(true);
    EXPECT_TRUE(eq.GetEnable());
    eq.SetNumBands(10);
    EXPECT_EQ(eq.GetNumBands(), 10);
    eq.SetNumBands(0);
    EXPECT_EQ(eq.GetNumBands(), 0);
}

TEST(Equalizer, OutOfRangeArgumentsAreHarmless) {
    Equalizer eq;
    eq.SetNumBands(11);
    EXPECT_EQ(eq.GetNumBands(), 10);
    eq.SetNumBands(-1);
    EXPECT_EQ(eq.GetNumBands(), 0);
    eq.setBoost(10, 2.0f);
    eq.setFreqBoostAndBandWidth(-1, 1, 2, 3);
    eq.SetKillFreq(12, true);
    eq.clear(10);
    EXPECT_EQ(eq.returnBoost(10), 0.0f);
    EXPECT_FALSE(eq.GetKillFreq(12));
    EXPECT_EQ(eq.returnFreqResponse(10, 1000), 0.0f);
}

// Edge case: 1000 Hz, boost 2.0, bandwidth 0.1, rate 44100.
TEST(Equalizer, ResponseOfABoostBand) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 2.0, 1e-4);
    EXPECT_NEAR(eq.returnFreqResponse(0, 950), 1.57, 0.01);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1050), 1.59, 0.01); // a little above: not symmetric in Hz
    EXPECT_NEAR(eq.returnFreqResponse(0, 20), 1.00, 0.005);
    EXPECT_NEAR(eq.returnFreqResponse(0, 10000), 1.00, 0.005);
    // Falls off on both sides of the centre.
    float previous = eq.returnFreqResponse(0, 1000);
    for (float f = 1010; f <= 3000; f += 10) {
        const float r = eq.returnFreqResponse(0, f);
        EXPECT_LT(r, previous) << f;
        EXPECT_GT(r, 1.0f) << f;
        previous = r;
    }
    previous = eq.returnFreqResponse(0, 1000);
    for (float f = 990; f >= 100; f -= 10) {
        const float r = eq.returnFreqResponse(0, f);
        EXPECT_LT(r, previous) << f;
        previous = r;
    }
}

TEST(Equalizer, ResponseOfACutBand) {
    Equalizer eq = OneBand(1000, 0.5f, 0.1f);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 0.5, 1e-4);
    EXPECT_NEAR(eq.returnFreqResponse(0, 20), 1.00, 0.005);
    EXPECT_NEAR(eq.returnFreqResponse(0, 10000), 1.00, 0.005);
    EXPECT_GT(eq.returnFreqResponse(0, 950), 0.5f);
    EXPECT_LT(eq.returnFreqResponse(0, 950), 1.0f);
}

TEST(Equalizer, KillCutsToFivePercentAndBack) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    eq.SetKillFreq(0, true);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 0.05, 1e-4);
    EXPECT_NEAR(eq.returnFreqResponse(0, 20), 1.0, 0.01);
    eq.SetKillFreq(0, false);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 2.0, 1e-4);
}

TEST(Equalizer, KillCutsTheSignal) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    std::vector<short> boosted = Sine(1000, 10000, 44100);
    eq.tickVectorStereo(boosted.data(), boosted.data(), boosted.size());
    EXPECT_NEAR(Peak(boosted, 22050), 20000, 200);

    Equalizer killed = OneBand(1000, 2.0f, 0.1f);
    killed.SetKillFreq(0, true);
    std::vector<short> cut = Sine(1000, 10000, 44100);
    killed.tickVectorStereo(cut.data(), cut.data(), cut.size());
    EXPECT_NEAR(Peak(cut, 22050), 500, 20);
}

TEST(Equalizer, TheStandardSetUpsHaveTheirGainAtEveryCentre) {
    for (int which = 0; which < 2; ++which) {
        const deck::BandSetup* bands = which == 0 ? deck::kTenBand : deck::kThreeBand;
        const int count = which == 0 ? 10 : 3;
        Equalizer eq;
        deck::SetUp(eq, bands, count);
        for (int k = 0; k < count; ++k) {
            EXPECT_EQ(eq.returnFreqResponse(k, bands[k].frequency), 1.0f);
            eq.setBoost(k, deck::FaderBoost(1000)); // +10 dB
            EXPECT_NEAR(eq.returnFreqResponse(k, bands[k].frequency), std::sqrt(10.0), 2e-3) << k;
            eq.setBoost(k, deck::FaderBoost(3000)); // -10 dB
            EXPECT_NEAR(eq.returnFreqResponse(k, bands[k].frequency), 1 / std::sqrt(10.0), 2e-4)
                << k;
            eq.SetKillFreq(k, true);
            EXPECT_NEAR(eq.returnFreqResponse(k, bands[k].frequency), 0.05, 1e-4) << k;
        }
    }
}

TEST(Equalizer, FaderBoostsOfTheWindow) {
    EXPECT_NEAR(deck::FaderBoost(1000), 3.16228, 1e-4);
    EXPECT_EQ(deck::FaderBoost(2000), 1.0f);
    EXPECT_NEAR(deck::FaderBoost(0), 10.0, 1e-5);
    EXPECT_NEAR(deck::FaderBoost(4000), 0.1, 1e-6);
}

TEST(Equalizer, SampleRateRedesignsTheBandsInUse) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    eq.setFreqBoostAndBandWidth(1, 1000, 2.0f, 0.1f); // not in use: not redesigned
    eq.setSR(48000);
    EXPECT_NEAR(eq.returnFreqResponse(0, 1000), 2.0, 1e-4);
    EXPECT_NEAR(eq.returnFreqResponse(1, 1000 * 48000.0f / 44100.0f), 2.0, 1e-3);
    eq.setBoost(1, 2.0f);
    EXPECT_NEAR(eq.returnFreqResponse(1, 1000), 2.0, 1e-4);
}

TEST(Equalizer, PassThroughBandLeavesSamplesBitForBit) {
    Equalizer eq;
    deck::SetUp(eq, deck::kTenBand, 10);
    const std::vector<short> original = RandomBlock(2 * 10000, 1);
    std::vector<short> block = original;
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(eq.tickVectorStereo(block.data(), block.data(), block.size()), block.data());
        EXPECT_EQ(block, original);
    }
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(eq.returnFreqResponse(k, 1234), 1.0f);
    // Out of place as well.
    std::vector<short> out(block.size(), 7);
    eq.tickVectorStereo(block.data(), out.data(), block.size());
    EXPECT_EQ(out, original);
    // Killed, a boost-1.0 band cuts.
    eq.SetKillFreq(4, true);
    EXPECT_NEAR(eq.returnFreqResponse(4, 1000), 0.05, 1e-4);
    std::vector<short> sine = Sine(1000, 10000, 44100);
    eq.tickVectorStereo(sine.data(), sine.data(), sine.size());
    EXPECT_LT(Peak(sine, 22050), 1000);
}

TEST(Equalizer, NoBandsInUseStoresSamplesUnchanged) {
    Equalizer eq;
    eq.SetEnable(true);
    const std::vector<short> original = RandomBlock(2000, 2);
    std::vector<short> out(original.size(), 0);
    std::vector<short> in = original;
    EXPECT_EQ(eq.tickVectorStereo(in.data(), out.data(), in.size()), out.data());
    EXPECT_EQ(out, original);
}

TEST(Equalizer, DisabledLeavesTheBufferUntouched) {
    Equalizer eq = OneBand(1000, 10.0f, 0.5f);
    eq.SetEnable(false);
    const std::vector<short> original = RandomBlock(2000, 3);
    std::vector<short> block = original;
    EXPECT_EQ(eq.tickVectorStereo(block.data(), block.data(), block.size()), block.data());
    EXPECT_EQ(block, original);
    std::vector<short> out(original.size(), 5);
    EXPECT_EQ(eq.tickVectorStereo(block.data(), out.data(), block.size()), out.data());
    EXPECT_EQ(out, std::vector<short>(original.size(), 5)); // nothing written
    // Disabled blocks do not move the state either: enabling gives a fresh equalizer's result.
    eq.SetEnable(true);
    Equalizer fresh = OneBand(1000, 10.0f, 0.5f);
    std::vector<short> a = original, b = original;
    eq.tickVectorStereo(a.data(), a.data(), a.size());
    fresh.tickVectorStereo(b.data(), b.data(), b.size());
    EXPECT_EQ(a, b);
}

TEST(Equalizer, ZeroCountWritesNothing) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    short in[2] = {100, 100};
    short out[2] = {1, 2};
    EXPECT_EQ(eq.tickVectorStereo(in, out, 0), out);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
}

// The first frame from a clear state is p1 * x: with a boost band whose p1 is about 1.009,
// so 100 becomes 100.9 (stored as 100) and -100 becomes -100.9 (stored as -100: toward zero).
TEST(Equalizer, TruncatesTowardZero) {
    // Find the boost that gives p1 * 100 = 100.9 for this band, using the reference's design.
    ref::Equalizer r;
    float boost = 1.0f;
    for (float g = 1.001f; g < 2.0f; g += 0.0001f) {
        r.Set(0, 1000, g, 0.2f);
        if (r.bands[0].p1 * 100.0f >= 100.89f) {
            boost = g;
            break;
        }
    }
    const float first = r.bands[0].p1 * 100.0f;
    ASSERT_GT(first, 100.85f);
    ASSERT_LT(first, 100.95f);
    Equalizer eq = OneBand(1000, boost, 0.2f);
    short block[4] = {100, -100, 0, 0};
    eq.tickVectorStereo(block, block, 2);
    EXPECT_EQ(block[0], 100);
    EXPECT_EQ(block[1], -100);
}

TEST(Equalizer, ClampsToTheSixteenBitRange) {
    Equalizer eq = OneBand(1000, 10.0f, 2.0f); // a wide +20 dB band: p1 well above 1
    short block[2] = {30000, -30000};
    eq.tickVectorStereo(block, block, 2);
    EXPECT_EQ(block[0], 32767);
    EXPECT_EQ(block[1], -32768);
    // A loud sine at the centre saturates at both ends and never wraps.
    std::vector<short> sine = Sine(1000, 20000, 4410);
    Equalizer loud = OneBand(1000, 10.0f, 0.1f);
    loud.tickVectorStereo(sine.data(), sine.data(), sine.size());
    int top = 0, bottom = 0;
    for (size_t i = 2 * 2205; i < sine.size(); ++i) {
        top += sine[i] == 32767;
        bottom += sine[i] == -32768;
    }
    EXPECT_GT(top, 100);
    EXPECT_GT(bottom, 100);
}

TEST(Equalizer, StateCarriesAcrossBlocksAndClearResetsIt) {
    const std::vector<short> original = RandomBlock(2 * 4096, 4, 8000);
    Equalizer whole;
    deck::SetUp(whole, deck::kThreeBand, 3);
    for (int k = 0; k < 3; ++k)
        whole.setBoost(k, deck::FaderBoost(500 + 1000 * k));
    Equalizer split = whole; // copying copies everything
    std::vector<short> a = original, b = original;
    whole.tickVectorStereo(a.data(), a.data(), a.size());
    size_t pos = 0;
    for (size_t frames : {1, 2, 3, 5, 100, 1000, 2985}) {
        split.tickVectorStereo(b.data() + pos, b.data() + pos, 2 * frames);
        pos += 2 * frames;
    }
    ASSERT_EQ(pos, b.size());
    EXPECT_EQ(a, b);

    // After clearing every band the equalizer filters as a fresh one.
    for (int k = 0; k < 3; ++k)
        whole.clear(k);
    Equalizer fresh;
    deck::SetUp(fresh, deck::kThreeBand, 3);
    for (int k = 0; k < 3; ++k)
        fresh.setBoost(k, deck::FaderBoost(500 + 1000 * k));
    a = original;
    b = original;
    whole.tickVectorStereo(a.data(), a.data(), a.size());
    fresh.tickVectorStereo(b.data(), b.data(), b.size());
    EXPECT_EQ(a, b);
}

TEST(Equalizer, ChangingSettingsKeepsTheState) {
    const std::vector<short> original = RandomBlock(2 * 512, 5, 8000);
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    std::vector<short> a = original;
    eq.tickVectorStereo(a.data(), a.data(), a.size());
    eq.setBoost(0, 3.0f);
    Equalizer fresh = OneBand(1000, 3.0f, 0.1f);
    std::vector<short> b = original, c = original;
    eq.tickVectorStereo(b.data(), b.data(), b.size());
    fresh.tickVectorStereo(c.data(), c.data(), c.size());
    EXPECT_NE(b, c); // the first frames differ: eq carries the old state
    EXPECT_NE(b[0], c[0]);
}

TEST(Equalizer, FilteringAllocatesNothing) {
    Equalizer ten, three, flat;
    deck::SetUp(ten, deck::kTenBand, 10);
    deck::SetUp(three, deck::kThreeBand, 3);
    deck::SetUp(flat, deck::kTenBand, 10);
    for (int k = 0; k < 10; ++k)
        ten.setBoost(k, deck::FaderBoost(100 + 300 * k));
    three.SetKillFreq(1, true);
    std::vector<short> block = RandomBlock(15000 / 2, 6);
    std::vector<short> out(block.size());
    const long before = g_allocations.load();
    for (int i = 0; i < 50; ++i) {
        ten.tickVectorStereo(block.data(), block.data(), block.size());
        three.tickVectorStereo(block.data(), out.data(), block.size());
        flat.tickVectorStereo(out.data(), out.data(), 7);
    }
    EXPECT_EQ(g_allocations.load(), before);
}

TEST(Equalizer, OddCountStaysInsideTheBuffer) {
    Equalizer eq = OneBand(1000, 2.0f, 0.1f);
    std::vector<short> buffer = {1000, 2000, 3000, 4000, 5000, 12345};
    eq.tickVectorStereo(buffer.data(), buffer.data(), 5);
    EXPECT_EQ(buffer[5], 12345);
    ref::Equalizer r;
    r.Set(0, 1000, 2.0f, 0.1f);
    r.count = 1;
    r.enabled = true;
    std::vector<short> expected = {1000, 2000, 3000, 4000, 5000, 12345};
    r.Tick(expected.data(), expected.data(), 5);
    EXPECT_EQ(buffer, expected);
    // A single value.
    short one[2] = {1000, 777};
    eq.tickVectorStereo(one, one, 1);
    EXPECT_EQ(one[1], 777);
}

} // namespace
