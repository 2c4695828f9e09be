// Bad input gets one clear message and a non-zero exit, and leaves nothing behind.
#include "render_rig.h"

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

} // namespace

TEST(RenderErrors, BadOptionsSongsAndOutputs) {
    RenderRig rig;
    rig.Song("tone.wav", 1.0, {{0, 440}});
    rig.File("notes.xyz", "not a song");
    rig.File("broken.wav", "RIFF and nothing else");
    struct Case {
        std::string args, message;
    } cases[] = {
        {"--bogus tone.wav", "unknown option --bogus"},
        {"", "no songs given"},
        {"--pitch 0=+500 tone.wav", "--pitch takes a value from -50 to 100"},
        {"--crossfader 101 tone.wav", "--crossfader takes a value from -100 to 100"},
        {"--volume 3=50 tone.wav", "--volume names deck 3, but only 1 song was given"},
        {"--seconds", "--seconds needs a value"},
        {"missing.wav", "missing.wav: no such file"},
        {"notes.xyz", "cannot open notes.xyz: Unknown format!"},
        {"broken.wav", "cannot open broken.wav: "},
        {"--out no/such/folder/mix.wav tone.wav", "cannot write "},
        {"--eq 0=nothing.eq tone.wav", "cannot read the equalizer file nothing.eq"},
        {"--dsp 0=NoSuchEffect tone.wav", "cannot load effect 0 of NoSuchEffect"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(rig.Run("--out mix.wav " + c.args), 0) << c.args;
        EXPECT_NE(rig.err.find("zem-render: " + c.message), std::string::npos) << c.args << "\n"
                                                                               << rig.err;
        EXPECT_FALSE(Exists(rig.dir.file("mix.wav"))) << c.args;
    }
}

TEST(RenderErrors, ScriptMistakesNameTheLine) {
    RenderRig rig;
    rig.Song("tone.wav", 1.0, {{0, 440}});
    struct Case {
        std::string script, message;
    } cases[] = {
        {"0 play 0\n1 jump 0\n", "s.txt:2: unknown command \"jump\""},
        {"1 play 0\n\n0.5 stop 0\n", "s.txt:3: time 0.5 runs backwards"},
        {"0 crossfader 150\n", "s.txt:1: crossfader must be between -100 and 100, not 150"},
        {"0 volume 1 50\n", "s.txt:1: deck 1 has no song"},
        {"0 eq 0 5 3\n", "s.txt:1: band 5 is beyond the deck's 3-band equalizer"},
        {"0 loop 0 on 2\n", "s.txt:1: cue 2 of deck 0 has no span to loop"},
        {"zero play 0\n", "s.txt:1: a line must start with a time"},
    };
    for (const Case& c : cases) {
        rig.File("s.txt", c.script);
        EXPECT_NE(rig.Run("--out mix.wav --script s.txt tone.wav"), 0) << c.script;
        EXPECT_NE(rig.err.find("zem-render: " + c.message), std::string::npos) << c.script << "\n"
                                                                               << rig.err;
        EXPECT_FALSE(Exists(rig.dir.file("mix.wav")));
    }
}

TEST(RenderErrors, HelpAndDeviceListSucceed) {
    RenderRig rig;
    EXPECT_EQ(rig.Run("--help"), 0);
    EXPECT_NE(rig.out.find("Usage: zem-render"), std::string::npos);
    EXPECT_NE(rig.out.find("TIME fade PERCENT SECONDS"), std::string::npos);
    EXPECT_EQ(rig.Run("--list-devices"), 0) << rig.err;
    EXPECT_NE(rig.out.find("Output devices:"), std::string::npos);
    EXPECT_NE(rig.out.find("WAV file"), std::string::npos);
    EXPECT_NE(rig.out.find(".mp3"), std::string::npos);
}
