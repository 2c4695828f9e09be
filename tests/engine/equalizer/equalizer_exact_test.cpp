// The optimised equalizer against the reference transcription (reference_equalizer.h),
// bit for bit: long random blocks, every band configuration the decks use (the 10-band and the
// 3-band set-up of the deck at every fader position of the equalizer window, every kill pattern), other
// sample rates, block splits, odd counts, and nonsensical settings.
#include "engine/equalizer/equalizer.h"

#include "deck_setups.h"
#include "reference_equalizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

// The equalizer and the reference, driven alike.
class Twin {
public:
    void SetUpDeck(int bands) {
        const deck::BandSetup* setup = bands == 10 ? deck::kTenBand : deck::kThreeBand;
        deck::SetUp(eq, setup, bands);
        deck::SetUp(r, setup, bands);
    }
    void Set(int k, float f, float boost, float bw) {
        eq.setFreqBoostAndBandWidth(k, f, boost, bw);
        r.Set(k, f, boost, bw);
    }
    void SetBoost(int k, float boost) {
        eq.setBoost(k, boost);
        r.SetBoost(k, boost);
    }
    void SetKill(int k, bool on) {
        eq.SetKillFreq(k, on);
        r.SetKill(k, on);
    }
    void SetRate(float rate) {
        eq.setSR(rate);
        r.SetRate(rate);
    }
    void SetCount(int count) {
        eq.SetNumBands(count);
        r.count = count;
    }
    void Enable(bool on) {
        eq.SetEnable(on);
        r.enabled = on;
    }
    void Clear(int k) {
        eq.clear(k);
        r.bands[k].s0 = r.bands[k].s1 = r.bands[k].s2 = r.bands[k].s3 = 0;
    }

    // Filters the block with both, in place; true when every value is the same.
    ::testing::AssertionResult Run(const std::vector<short>& block, size_t offset = 0,
                                   size_t count = std::numeric_limits<size_t>::max()) {
        if (count == std::numeric_limits<size_t>::max())
            count = block.size() - offset;
        std::vector<short> mine = block, theirs = block;
        short* result = eq.tickVectorStereo(mine.data() + offset, mine.data() + offset, count);
        if (result != mine.data() + offset)
            return ::testing::AssertionFailure() << "wrong pointer returned";
        r.Tick(theirs.data() + offset, theirs.data() + offset, count);
        for (size_t i = 0; i < block.size(); ++i)
            if (mine[i] != theirs[i])
                return ::testing::AssertionFailure()
                       << "value " << i << " of " << block.size() << ": " << mine[i]
                       << " instead of " << theirs[i] << " (input " << block[i] << ")";
        return ::testing::AssertionSuccess();
    }

    // Out of place: the input stays as it was.
    ::testing::AssertionResult RunOutOfPlace(const std::vector<short>& block) {
        std::vector<short> in = block, mine(block.size(), 0x5555), theirs(block.size(), 0x5555);
        eq.tickVectorStereo(in.data(), mine.data(), block.size());
        if (in != block)
            return ::testing::AssertionFailure() << "input changed";
        r.Tick(block.data(), theirs.data(), block.size());
        if (mine != theirs)
            return ::testing::AssertionFailure() << "outputs differ";
        return ::testing::AssertionSuccess();
    }

    Equalizer eq;
    ref::Equalizer r;
};

std::vector<short> Noise(size_t values, std::mt19937& rng, int amplitude) {
    std::uniform_int_distribution<int> dist(-amplitude - 1, amplitude);
    std::vector<short> v(values);
    for (short& s : v)
        s = static_cast<short>(dist(rng));
    return v;
}

// Something like music: a few sines and a little noise, at a given level.
std::vector<short> Music(size_t frames, std::mt19937& rng, double level) {
    std::uniform_real_distribution<double> freq(30, 16000), noise(-1, 1);
    const double f1 = freq(rng), f2 = freq(rng), f3 = freq(rng);
    std::vector<short> v(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        const double x = 0.4 * std::sin(6.2831853 * f1 * t) + 0.3 * std::sin(6.2831853 * f2 * t) +
                         0.2 * std::sin(6.2831853 * f3 * t) + 0.1 * noise(rng);
        v[2 * i] = static_cast<short>(std::lround(level * x));
        v[2 * i + 1] = static_cast<short>(std::lround(level * (0.7 * x + 0.3 * noise(rng))));
    }
    return v;
}

// Every fader position 0 to 4000 of every band (each band offset from the others), one short
// block each, on one continuous stream: the state carries over each change of setting.
void SweepFaderPositions(int bands, unsigned seed) {
    Twin t;
    t.SetUpDeck(bands);
    std::mt19937 rng(seed);
    for (int position = 0; position <= 4000; ++position) {
        for (int k = 0; k < bands; ++k)
            t.SetBoost(k, deck::FaderBoost((position + 401 * k) % 4001));
        const std::vector<short> block =
            (position % 3 == 0) ? Noise(2 * 37, rng, 32767) : Music(41, rng, 6000);
        ASSERT_TRUE(t.Run(block)) << "position " << position;
    }
}

TEST(EqualizerExact, TenBandEveryFaderPosition) {
    SweepFaderPositions(10, 11);
}
TEST(EqualizerExact, ThreeBandEveryFaderPosition) {
    SweepFaderPositions(3, 12);
}

// Every band alone at every fader position, the others flat.
TEST(EqualizerExact, EachBandAloneEveryFaderPosition) {
    for (int bands : {10, 3}) {
        for (int k = 0; k < bands; ++k) {
            Twin t;
            t.SetUpDeck(bands);
            std::mt19937 rng(100 + k);
            for (int position = 0; position <= 4000; position += 7) {
                t.SetBoost(k, deck::FaderBoost(position));
                ASSERT_TRUE(t.Run(Music(23, rng, 9000)))
                    << bands << " bands, band " << k << ", position " << position;
            }
        }
    }
}

// All 1024 kill patterns of the 10-band equalizer and all 8 of the 3-band one, with boosts
// that are flat for some bands.
TEST(EqualizerExact, EveryKillPattern) {
    for (int bands : {10, 3}) {
        Twin t;
        t.SetUpDeck(bands);
        std::mt19937 rng(bands);
        std::uniform_int_distribution<int> position(0, 4000);
        for (int mask = 0; mask < (1 << bands); ++mask) {
            for (int k = 0; k < bands; ++k) {
                const int p = (mask * 7 + k) % 5 == 0 ? 2000 : position(rng);
                t.SetBoost(k, deck::FaderBoost(p));
                t.SetKill(k, (mask >> k) & 1);
            }
            ASSERT_TRUE(t.Run(Music(29, rng, 12000))) << bands << " bands, mask " << mask;
        }
    }
}

// Long blocks of the deck's sizes and of random sizes, all bands active.
TEST(EqualizerExact, LongRandomBlocksAllBandsActive) {
    for (int bands : {10, 3}) {
        Twin t;
        t.SetUpDeck(bands);
        std::mt19937 rng(1000 + bands);
        std::uniform_int_distribution<int> position(0, 4000);
        for (int k = 0; k < bands; ++k) {
            int p = position(rng);
            if (p == 2000)
                p = 1999;
            t.SetBoost(k, deck::FaderBoost(p));
        }
        ASSERT_TRUE(t.Run(Noise(2 * 1000000, rng, 32767)));
        ASSERT_TRUE(t.Run(Music(1000000, rng, 4000)));
        std::uniform_int_distribution<int> size(1, 6000);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(t.Run(Music(size(rng), rng, 3000))) << i;
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(t.Run(Noise(15000 / 2, rng, 32767))) << i; // the deck's 15000-byte block
    }
}

// Mixtures of pass-through and filtering bands, flat, and all killed, on long blocks.
TEST(EqualizerExact, LongBlocksMixedBands) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> position(0, 4000), coin(0, 2);
    for (int bands : {10, 3}) {
        for (int round = 0; round < 30; ++round) {
            Twin t;
            t.SetUpDeck(bands);
            for (int k = 0; k < bands; ++k) {
                const int kind = round == 0 ? 0 : round == 1 ? 2 : coin(rng);
                t.SetBoost(k, kind == 0 ? 1.0f : deck::FaderBoost(position(rng)));
                t.SetKill(k, kind == 2);
            }
            ASSERT_TRUE(t.Run(Noise(2 * 100000, rng, 32767))) << round;
            ASSERT_TRUE(t.Run(Music(50000, rng, 20000))) << round;
            ASSERT_TRUE(t.RunOutOfPlace(Music(3750, rng, 20000))) << round;
        }
    }
}

// A band that passed its signal through moves its state as the design says, which shows once it
// starts to filter.
TEST(EqualizerExact, PassThroughStateShowsWhenTheBandStartsFiltering) {
    std::mt19937 rng(5);
    for (size_t frames : {1, 2, 3, 4, 7, 3750}) {
        Twin t;
        t.SetUpDeck(10);
        t.SetBoost(2, 3.0f);
        t.SetBoost(7, 0.3f);
        ASSERT_TRUE(t.Run(Music(frames, rng, 8000))) << frames;
        ASSERT_TRUE(t.Run(Music(frames, rng, 8000))) << frames;
        for (int k = 0; k < 10; ++k)
            t.SetBoost(k, deck::FaderBoost(300 * k + 100));
        ASSERT_TRUE(t.Run(Music(64, rng, 8000))) << frames;
    }
}

// The same stream cut into blocks of every small size, including the deck's odd ones.
TEST(EqualizerExact, BlockSplits) {
    std::mt19937 rng(9);
    const std::vector<short> stream = Music(20000, rng, 10000);
    for (int bands : {10, 3}) {
        for (size_t frames : {1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 31, 64, 1023}) {
            Twin t;
            t.SetUpDeck(bands);
            for (int k = 0; k < bands; ++k)
                t.SetBoost(k, k % 4 == 1 ? 1.0f : deck::FaderBoost(200 + 350 * k));
            for (size_t pos = 0; pos < stream.size(); pos += 2 * frames) {
                const size_t count = std::min(2 * frames, stream.size() - pos);
                const std::vector<short> block(stream.begin() + pos, stream.begin() + pos + count);
                ASSERT_TRUE(t.Run(block)) << bands << " bands, " << frames << " frames";
            }
        }
    }
}

TEST(EqualizerExact, OddCounts) {
    std::mt19937 rng(21);
    for (int bands : {10, 3}) {
        Twin t;
        t.SetUpDeck(bands);
        for (int k = 0; k < bands; ++k)
            t.SetBoost(k, k == 1 ? 1.0f : deck::FaderBoost(500 + 300 * k));
        for (size_t count : {1, 3, 5, 7, 99, 1001}) {
            std::vector<short> block = Noise(count + 1, rng, 20000);
            ASSERT_TRUE(t.Run(block, 0, count)) << count;
        }
    }
}

TEST(EqualizerExact, OtherSampleRates) {
    std::mt19937 rng(33);
    for (float rate : {8000.0f, 11025.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 96000.0f}) {
        for (int bands : {10, 3}) {
            Twin t;
            t.SetUpDeck(bands);
            for (int k = 0; k < bands; ++k)
                t.SetBoost(k, deck::FaderBoost(250 + 400 * k));
            t.SetRate(rate);
            ASSERT_TRUE(t.Run(Music(20000, rng, 10000))) << rate;
        }
    }
}

TEST(EqualizerExact, EnableCountAndClear) {
    std::mt19937 rng(44);
    Twin t;
    t.SetUpDeck(10);
    for (int k = 0; k < 10; ++k)
        t.SetBoost(k, deck::FaderBoost(100 + 380 * k));
    ASSERT_TRUE(t.Run(Music(1000, rng, 10000)));
    t.Enable(false);
    ASSERT_TRUE(t.Run(Music(1000, rng, 10000)));
    t.Enable(true);
    t.SetCount(4);
    ASSERT_TRUE(t.Run(Music(1000, rng, 10000)));
    t.SetCount(10);
    t.Clear(3);
    t.Clear(9);
    ASSERT_TRUE(t.Run(Music(1000, rng, 10000)));
    t.SetCount(0);
    ASSERT_TRUE(t.Run(Music(1000, rng, 10000)));
}

// Settings only a damaged or hand-made text block gives: zero, negative and huge boosts,
// frequencies beyond half the rate, zero and negative bandwidths, infinities and NaN. The
// filters may blow up; the result is still the reference's, with NaN stored as 0.
TEST(EqualizerExact, NonsensicalSettings) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {0.0f, -1.0f, 1e30f, 1e-30f, 30000.0f, -5.0f,
                            inf,  -inf,  nan,   1.0f,   2.0f};
    std::mt19937 rng(55);
    std::uniform_int_distribution<int> pick(0, sizeof values / sizeof values[0] - 1);
    for (int round = 0; round < 300; ++round) {
        Twin t;
        t.SetCount(3);
        t.Enable(true);
        for (int k = 0; k < 3; ++k) {
            t.Set(k, values[pick(rng)] * (round % 2 ? 1000 : 1), values[pick(rng)],
                  values[pick(rng)]);
            if (round % 5 == 0)
                t.SetKill(k, true);
        }
        ASSERT_TRUE(t.Run(Noise(2 * 200, rng, 32767))) << round;
    }
}

} // namespace
