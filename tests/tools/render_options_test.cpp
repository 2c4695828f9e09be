// The command line of zem-render.
#include "tools/render/render_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Parse(std::vector<std::string> args, RenderOptions& o, std::string& error) {
    args.insert(args.begin(), "zem-render");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    return ParseRenderOptions(static_cast<int>(argv.size()), argv.data(), o, error);
}

} // namespace

TEST(RenderOptionsParse, EveryOption) {
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--out",        "mix.wav",    "--seconds", "12.5",     "--pitch",
                       "0=+5",         "--pitch",    "1=-2.5",    "--volume", "1=80",
                       "--crossfader", "-30",        "--center",  "75",       "--eq",
                       "0=bass.eq",    "--eq-bands", "1=10",      "--dsp",    "0=ZEM_DSP_Echo|2",
                       "--dsp",        "1=/x/y.so",  "--script",  "s.txt",    "a.wav",
                       "b.mp3"},
                      o, error))
        << error;
    EXPECT_EQ(o.out, "mix.wav");
    EXPECT_DOUBLE_EQ(o.seconds, 12.5);
    EXPECT_DOUBLE_EQ(o.pitch[0], 5);
    EXPECT_DOUBLE_EQ(o.pitch[1], -2.5);
    EXPECT_DOUBLE_EQ(o.volume[1], 80);
    EXPECT_TRUE(o.hasCrossfader);
    EXPECT_DOUBLE_EQ(o.crossfader, -30);
    EXPECT_DOUBLE_EQ(o.center, 75);
    EXPECT_EQ(o.eqFile[0], "bass.eq");
    EXPECT_EQ(o.eqBands[1], 10);
    ASSERT_EQ(o.dsp.size(), 2u);
    EXPECT_EQ(o.dsp[0].library, "ZEM_DSP_Echo");
    EXPECT_EQ(o.dsp[0].effect, 2);
    EXPECT_EQ(o.dsp[1].library, "/x/y.so");
    EXPECT_EQ(o.dsp[1].effect, 0);
    EXPECT_EQ(o.script, "s.txt");
    EXPECT_EQ(o.songs, (std::vector<std::string>{"a.wav", "b.mp3"}));
    EXPECT_TRUE(CheckOptionChannels(o, error)) << error;
}

TEST(RenderOptionsParse, Refusals) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--frobnicate", "a.wav"}, "unknown option --frobnicate (see --help)"},
        {{}, "no songs given (see --help)"},
        {{"a.wav", "--out"}, "--out needs a value"},
        {{"--seconds", "0", "a.wav"}, "--seconds takes a value from 0 to 86400 (more than 0)"},
        {{"--pitch", "0=fast", "a.wav"}, "--pitch takes CH=PERCENT, not \"0=fast\""},
        {{"--pitch", "x=5", "a.wav"}, "--pitch takes CH=PERCENT, not \"x=5\""},
        {{"--volume", "0=101", "a.wav"}, "--volume takes a value from 0 to 100"},
        {{"--center", "0", "a.wav"}, "--center takes a value from 1 to 100"},
        {{"--eq-bands", "0=5", "a.wav"}, "--eq-bands takes CH=3 or CH=10, not \"0=5\""},
        {{"--dsp", "0=lib|x", "a.wav"},
         "--dsp: the effect number after \"|\" must be a whole number"},
        {{"--dsp", "0=|1", "a.wav"}, "--dsp needs a library"},
    };
    for (const Case& c : cases) {
        RenderOptions o;
        std::string error;
        EXPECT_FALSE(Parse(c.args, o, error));
        EXPECT_EQ(error, c.error);
    }
    // Help and the device list need no songs; "--" ends the options.
    RenderOptions o;
    std::string error;
    EXPECT_TRUE(Parse({"--help"}, o, error));
    EXPECT_TRUE(o.help);
    RenderOptions dashes;
    EXPECT_TRUE(Parse({"--", "--odd-name.wav"}, dashes, error));
    EXPECT_EQ(dashes.songs, std::vector<std::string>{"--odd-name.wav"});
}

TEST(RenderOptionsParse, PerDeckOptionsNeedTheirSong) {
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--dsp", "2=echo", "a.wav", "b.wav"}, o, error));
    EXPECT_FALSE(CheckOptionChannels(o, error));
    EXPECT_EQ(error, "--dsp names deck 2, but only 2 songs were given");
}
