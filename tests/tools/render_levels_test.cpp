// What zem-render writes: the crossfader's levels for both centre volumes, the pitch, the
// equalizer, and the file's exact length and format.
#include "render_rig.h"

namespace {

constexpr double kAmplitude = 0.5 * 32767;

struct FaderLevels {
    int centre;
    int percent;
    int shareA, shareB;
};

class CrossfaderLevels : public ::testing::TestWithParam<FaderLevels> {};

} // namespace

TEST_P(CrossfaderLevels, EachDeckAtItsShare) {
    const FaderLevels c = GetParam();
    RenderRig rig;
    rig.Song("a.wav", 2.0, {{0, 440}});
    rig.Song("b.wav", 2.0, {{0, 1000}});
    ASSERT_EQ(rig.Run("--out mix.wav --seconds 1.5 --volume 0=100 --volume 1=100 --crossfader " +
                      std::to_string(c.percent) + " --center " + std::to_string(c.centre) +
                      " a.wav b.wav"),
              0)
        << rig.err;
    const Mix mix = rig.Load("mix.wav");
    const double a = mix.Amplitude(440, 0.5, 1.4), b = mix.Amplitude(1000, 0.5, 1.4);
    const double wantA = kAmplitude * DeckGain(c.shareA), wantB = kAmplitude * DeckGain(c.shareB);
    EXPECT_NEAR(a, wantA, 0.05 * wantA + 3) << "deck 0";
    EXPECT_NEAR(b, wantB, 0.05 * wantB + 3) << "deck 1";
}

INSTANTIATE_TEST_SUITE_P(
    Render, CrossfaderLevels,
    ::testing::Values(FaderLevels{100, -100, 100, 0}, FaderLevels{100, 0, 100, 100},
                      FaderLevels{100, 100, 0, 100}, FaderLevels{50, -100, 100, 0},
                      FaderLevels{50, 0, 50, 50}, FaderLevels{50, 100, 0, 100}));

TEST(Render, PitchPlusFivePercentRaisesTheTone) {
    RenderRig rig;
    rig.Song("tone.wav", 3.0, {{0, 1000}});
    ASSERT_EQ(rig.Run("--out mix.wav --seconds 2 --volume 0=100 --pitch 0=+5 tone.wav"), 0)
        << rig.err;
    const Mix mix = rig.Load("mix.wav");
    EXPECT_NEAR(mix.Peak(950, 1100, 0.5, 0.5, 1.9), 1050, 1.0);
    // The plain song stays at its own frequency.
    ASSERT_EQ(rig.Run("--out plain.wav --seconds 2 --volume 0=100 tone.wav"), 0) << rig.err;
    EXPECT_NEAR(rig.Load("plain.wav").Peak(950, 1100, 0.5, 0.5, 1.9), 1000, 1.0);
}

TEST(Render, EqualizerKillAndBoostChangeTheirBand) {
    RenderRig rig;
    // 100 Hz is the centre of the three-band equalizer's low band; 5 kHz lies far above it.
    rig.Song("low.wav", 3.0, {{0, 100}});
    ASSERT_EQ(rig.Run("--out flat.wav --seconds 2.5 --volume 0=100 low.wav"), 0) << rig.err;
    rig.File("kill.txt", "0 kill 0 0 on\n");
    ASSERT_EQ(rig.Run("--out kill.wav --seconds 2.5 --volume 0=100 --script kill.txt low.wav"), 0)
        << rig.err;
    rig.File("boost.txt", "0 eq 0 0 6\n");
    ASSERT_EQ(rig.Run("--out boost.wav --seconds 2.5 --volume 0=100 --script boost.txt low.wav"), 0)
        << rig.err;
    const double flat = rig.Load("flat.wav").Amplitude(100, 1.0, 2.4);
    ASSERT_GT(flat, 0.5 * kAmplitude * DeckGain(100));
    // A killed band keeps 0.05 of its centre frequency (-26 dB).
    EXPECT_NEAR(rig.Load("kill.wav").Amplitude(100, 1.0, 2.4) / flat, 0.05, 0.02);
    EXPECT_NEAR(rig.Load("boost.wav").Amplitude(100, 1.0, 2.4) / flat, 2.0, 0.15);
}

TEST(Render, SecondsGiveAnExactSixteenBitStereoFile) {
    RenderRig rig;
    rig.Song("tone.wav", 3.0, {{0, 440}});
    ASSERT_EQ(rig.Run("--out mix.wav --seconds 1.25 tone.wav"), 0) << rig.err;
    const Mix mix = rig.Load("mix.wav");
    EXPECT_EQ(mix.rate, 44100);
    EXPECT_EQ(mix.channels, 2);
    EXPECT_EQ(mix.frames, 55125);
    // Without a length the mix ends when the song has played out.
    ASSERT_EQ(rig.Run("--out whole.wav tone.wav"), 0) << rig.err;
    const Mix whole = rig.Load("whole.wav");
    EXPECT_GE(whole.frames, 3 * 44100);
    EXPECT_LT(whole.frames, 3 * 44100 + 44100 / 2);
    EXPECT_GT(whole.Amplitude(440, 2.5, 2.9), 100);
}
