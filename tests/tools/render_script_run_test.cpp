// Scripts carried out on the mix: a loop repeating its span, a fade reaching the far side on
// time, cue points kept in the song's settings file for the next run.
#include "render_rig.h"

TEST(RenderScript, LoopRepeatsItsSpan) {
    RenderRig rig;
    // 300 Hz up to 1 s, 600 Hz from 1 to 1.5 s, 1200 Hz after: a loop over the middle part
    // must keep the mix at 600 Hz and never reach 1200 Hz.
    rig.Song("song.wav", 5.0, {{0, 300}, {1.0, 600}, {1.5, 1200}});
    rig.File("loop.txt", "# loop the 600 Hz stretch\n"
                         "0 cue 0 store 0 1.0\n"
                         "0 cue 0 end 0 1.5\n"
                         "0 loop 0 on 0\n");
    ASSERT_EQ(rig.Run("--out mix.wav --seconds 4 --volume 0=100 --script loop.txt song.wav"), 0)
        << rig.err;
    const Mix mix = rig.Load("mix.wav");
    for (double t = 1.6; t < 3.8; t += 0.2) {
        EXPECT_GT(mix.Amplitude(600, t, t + 0.2), 20 * mix.Amplitude(1200, t, t + 0.2)) << t;
    }
    EXPECT_GT(mix.Amplitude(300, 0.1, 0.9), 1000);
    // The span repeats sample by sample: half a second later the mix is the same.
    const size_t a = static_cast<size_t>(2.0 * 44100), period = 22050, n = 44100;
    double dot = 0, ea = 0, eb = 0;
    for (size_t i = 0; i < n; ++i) {
        dot += mix.left[a + i] * mix.left[a + period + i];
        ea += mix.left[a + i] * mix.left[a + i];
        eb += mix.left[a + period + i] * mix.left[a + period + i];
    }
    EXPECT_GT(dot / std::sqrt(ea * eb), 0.95);
    // Without the loop the song goes on to 1200 Hz.
    rig.File("none.txt", "0 cue 0 store 0 1.0\n");
    ASSERT_EQ(rig.Run("--out plain.wav --seconds 4 --volume 0=100 --script none.txt song.wav"), 0);
    const Mix plain = rig.Load("plain.wav");
    EXPECT_GT(plain.Amplitude(1200, 2.5, 3.5), 20 * plain.Amplitude(600, 2.5, 3.5));
}

TEST(RenderScript, FadeReachesTheFarSideOnTime) {
    RenderRig rig;
    rig.Song("a.wav", 5.0, {{0, 440}});
    rig.Song("b.wav", 5.0, {{0, 1000}});
    rig.File("fade.txt", "1.0 fade 100 2\n");
    ASSERT_EQ(rig.Run("--out mix.wav --seconds 4 --volume 0=100 --volume 1=100 --center 50 "
                      "--crossfader -100 --script fade.txt a.wav b.wav"),
              0)
        << rig.err;
    const Mix mix = rig.Load("mix.wav");
    const double full = 0.5 * 32767 * DeckGain(100);
    // Before the fade: deck 0 alone.
    EXPECT_NEAR(mix.Amplitude(440, 0.3, 0.9), full, 0.05 * full);
    EXPECT_LT(mix.Amplitude(1000, 0.3, 0.9), 3);
    // Half-way both are at half share, far down the deck's decibel scale.
    EXPECT_LT(mix.Amplitude(440, 1.95, 2.05), 0.1 * full);
    EXPECT_LT(mix.Amplitude(1000, 1.95, 2.05), 0.1 * full);
    // Shortly before the end deck 1 is nearly up, at the end fully, and deck 0 is gone.
    EXPECT_LT(mix.Amplitude(1000, 2.80, 2.90), 0.7 * full);
    EXPECT_NEAR(mix.Amplitude(1000, 3.02, 3.8), full, 0.05 * full);
    EXPECT_LT(mix.Amplitude(440, 3.02, 3.8), 3);
}

TEST(RenderScript, CueStoredByAScriptIsThereNextTime) {
    RenderRig rig;
    rig.Song("cue.wav", 4.0, {{0, 300}, {2.0, 900}});
    rig.File("store.txt", "0 seek 0 2.5\n0.5 cue 0 store 4\n");
    ASSERT_EQ(rig.Run("--out first.wav --seconds 1 --script store.txt cue.wav"), 0) << rig.err;
    const std::string zec = RenderRig::Read(rig.dir.file("ZEC/cue.zec"));
    EXPECT_NE(zec.find("Stored 4="), std::string::npos) << zec;
    EXPECT_EQ(zec.find("Stored 4=-1"), std::string::npos) << zec;
    // The next run jumps to it: the 900 Hz part plays at once.
    rig.File("jump.txt", "0 cue 0 jump 4\n");
    ASSERT_EQ(rig.Run("--out second.wav --seconds 1 --volume 0=100 --script jump.txt cue.wav"), 0)
        << rig.err;
    const Mix mix = rig.Load("second.wav");
    EXPECT_GT(mix.Amplitude(900, 0.2, 0.8), 20 * mix.Amplitude(300, 0.2, 0.8));
}
