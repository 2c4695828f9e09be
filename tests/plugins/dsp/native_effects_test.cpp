// Our native effects measured on generated audio.
#include "audio.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Downmixer, CentredAudioKeepsItsLevelAndBothChannelsCarryTheMix) {
    Module down = Ready(DSP_DOWNMIXER);
    ASSERT_TRUE(down);
    const Stereo centred = Sine(440.0, 32767.0, 1.0); // full scale, same on both sides
    EXPECT_EQ(RunBlocks(down.get(), centred), centred);

    Stereo leftOnly = Sine(440.0, 20000.0, 1.0);
    for (size_t f = 0; f < leftOnly.size() / 2; ++f)
        leftOnly[2 * f + 1] = 0;
    const Stereo out = RunBlocks(down.get(), leftOnly);
    ASSERT_EQ(out.size(), leftOnly.size());
    for (size_t f = 0; f < out.size() / 2; ++f) {
        ASSERT_EQ(out[2 * f], leftOnly[2 * f] / 2) << f;
        ASSERT_EQ(out[2 * f + 1], out[2 * f]) << f;
    }
    EXPECT_NEAR(Db(Rms(out, 1, 0, 44100) / Rms(leftOnly, 0, 0, 44100)), -6.02, 0.01);
}

TEST(Downmixer, ExtremesDoNotClip) {
    Module down = Ready(DSP_DOWNMIXER);
    ASSERT_TRUE(down);
    const Stereo in = {32767, 32767, -32768, -32768, 32767, -32768, 32767, 32766, 1000, -1000};
    EXPECT_EQ(RunBlocks(down.get(), in),
              (Stereo{32767, 32767, -32768, -32768, 0, 0, 32766, 32766, 0, 0}));
}

// Index of the loudest left sample in frames [from, to).
size_t Peak(const Stereo& s, size_t from, size_t to) {
    size_t best = from;
    for (size_t f = from; f < to; ++f)
        if (std::abs(s[2 * f]) > std::abs(s[2 * best]))
            best = f;
    return best;
}

void CheckEcho(uint32_t rate) {
    Module echo = Ready(DSP_ECHO, 0, rate);
    ASSERT_TRUE(echo);
    Stereo in(2 * size_t{rate} * 2); // two seconds of silence after one click
    in[0] = in[1] = 16000;
    const Stereo out = RunBlocks(echo.get(), in);
    ASSERT_EQ(out.size(), in.size());
    EXPECT_EQ(out[0], 16000); // the dry signal is untouched

    const size_t first = Peak(out, 1, rate / 2);
    const size_t second = Peak(out, first + 1, first + rate / 2);
    const size_t third = Peak(out, second + 1, second + rate / 2);
    EXPECT_NEAR(static_cast<double>(first) / rate, 0.375, 0.0005);
    EXPECT_EQ(second - first, first);
    EXPECT_EQ(third - second, first);
    EXPECT_EQ(out[2 * first], 8000);  // first repeat 6 dB under the dry click
    EXPECT_EQ(out[2 * second], 4000); // each further one half of the one before
    EXPECT_EQ(out[2 * third], 2000);
    EXPECT_EQ(out[2 * third + 1], 2000);
    // Nothing between the repeats.
    EXPECT_EQ(Rms(out, 0, first + 1, second), 0.0);
}

TEST(Echo, RepeatsEvery375msAtHalfTheLevel) {
    CheckEcho(44100);
    CheckEcho(48000);
}

TEST(Echo, ResetSilencesTheTail) {
    Module echo = Ready(DSP_ECHO);
    ASSERT_TRUE(echo);
    Stereo click(2 * 1000);
    click[0] = click[1] = 16000;
    RunBlocks(echo.get(), click);
    ASSERT_TRUE(echo->Reset());
    const Stereo silence(2 * 44100);
    EXPECT_EQ(RunBlocks(echo.get(), silence), silence);
}

// Level of out against in, in dB, for each quarter second of one channel.
std::vector<double> WindowGains(const Stereo& in, const Stereo& out, uint32_t rate) {
    std::vector<double> gains;
    const size_t window = rate / 4;
    for (size_t from = rate / 10; from + window <= in.size() / 2; from += window)
        gains.push_back(Db(Rms(out, 0, from, from + window) / Rms(in, 0, from, from + window)));
    return gains;
}

TEST(FilterSweep, CutsAboveTheSweepAndPassesBelowIt) {
    Module filter = Ready(DSP_FILTER_SWEEP);
    ASSERT_TRUE(filter);
    const Stereo high = Sine(10000.0, 8000.0, 8.0);
    for (double gain : WindowGains(high, RunBlocks(filter.get(), high), 44100))
        EXPECT_LT(gain, -18.0);

    ASSERT_TRUE(filter->Reset());
    const Stereo low = Sine(40.0, 8000.0, 8.0);
    for (double gain : WindowGains(low, RunBlocks(filter.get(), low), 44100))
        EXPECT_NEAR(gain, 0.0, 0.5);
}

// A 1 kHz tone is cut deep while the cut-off is near 300 Hz (the start and end of the cycle),
// rings at the resonance when the cut-off passes 1 kHz on the way up and down (about 2.06 s and
// 5.94 s on the logarithmic sweep), and passes when the cut-off is near 3 kHz half way through.
TEST(FilterSweep, SweepsTheCutOffOverEightSeconds) {
    Module filter = Ready(DSP_FILTER_SWEEP);
    ASSERT_TRUE(filter);
    const Stereo tone = Sine(1000.0, 4000.0, 8.0);
    const std::vector<double> gains = WindowGains(tone, RunBlocks(filter.get(), tone), 44100);
    ASSERT_EQ(gains.size(), 31u);
    // Window centres in seconds.
    auto at = [&](auto it) { return 0.1 + 0.25 * static_cast<double>(it - gains.begin()) + 0.125; };
    const auto loudest = std::max_element(gains.begin(), gains.end());
    const auto quietest = std::min_element(gains.begin(), gains.end());
    EXPECT_LT(*quietest, -12.0);
    EXPECT_TRUE(at(quietest) < 0.75 || at(quietest) > 7.25) << at(quietest);
    EXPECT_GT(*loudest, 6.0);
    EXPECT_TRUE(std::abs(at(loudest) - 2.06) < 0.4 || std::abs(at(loudest) - 5.94) < 0.4)
        << at(loudest);
    const double middle = gains[15]; // 3.85 s to 4.1 s
    EXPECT_GT(middle, -1.0);
    EXPECT_LT(middle, 3.0);
}

} // namespace
