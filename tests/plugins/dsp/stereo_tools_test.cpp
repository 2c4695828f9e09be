// The Winamp stereo tools, sample by sample.
#include "audio.h"

#include <gtest/gtest.h>

namespace {

class StereoTools : public ::testing::Test {
protected:
    TempFolder temp_;
};

TEST_F(StereoTools, WidenerRaisesTheSideAndLeavesMonoAlone) {
    Module widen = Ready(DSP_STEREO_TOOLS, 0);
    ASSERT_TRUE(widen);
    // left, right pairs: one-sided, mono, opposite, saturating both ways.
    const Stereo in = {1000, 0, 5000, 5000, 100, -100, 30000, -30000, -30000, 30000};
    EXPECT_EQ(RunBlocks(widen.get(), in),
              (Stereo{1250, -250, 5000, 5000, 150, -150, 32767, -32768, -32768, 32767}));
}

TEST_F(StereoTools, GainDoublesAndSaturates) {
    Module gain = Ready(DSP_STEREO_TOOLS, 1);
    ASSERT_TRUE(gain);
    const Stereo in = {1000, -1000, 16383, -16384, 20000, -20000, 0, 1};
    EXPECT_EQ(RunBlocks(gain.get(), in), (Stereo{2000, -2000, 32766, -32768, 32767, -32768, 0, 2}));
    // +6.02 dB on a real tone, below full scale.
    const Stereo tone = Sine(1000.0, 8000.0, 1.0);
    const Stereo out = RunBlocks(gain.get(), tone);
    EXPECT_NEAR(Db(Rms(out, 0, 0, 44100) / Rms(tone, 0, 0, 44100)), 6.02, 0.01);
}

TEST_F(StereoTools, SwapExchangesTheChannels) {
    Module swap = Ready(DSP_STEREO_TOOLS, 2);
    ASSERT_TRUE(swap);
    const Stereo in = {1, 2, -32768, 32767, 0, -5};
    EXPECT_EQ(RunBlocks(swap.get(), in), (Stereo{2, 1, 32767, -32768, -5, 0}));
}

TEST_F(StereoTools, NotStartedOrOtherFormatsPassThrough) {
    Module listed(LoadEffectsModule(DSP_STEREO_TOOLS)); // selected but never started
    ASSERT_TRUE(listed);
    ASSERT_TRUE(listed->SetEffectIndex(1));
    const Stereo in = {1000, -1000};
    EXPECT_EQ(RunBlocks(listed.get(), in), in);

    Module gain = Ready(DSP_STEREO_TOOLS, 1);
    ASSERT_TRUE(gain);
    WAVEFORMATEX mono = {WAVE_FORMAT_PCM, 1, 44100, 88200, 2, 16, 0};
    ASSERT_TRUE(gain->SetFormat(&mono, kDeckBlockBytes));
    Stereo samples = {1000, -1000};
    uint32_t frames = 2;
    EXPECT_EQ(gain->ProcessSamples(samples.data(), frames), 2u);
    EXPECT_EQ(samples, in);
}

} // namespace
