// The script format of zem-render: every command, both time forms, and the refusals.
#include "tools/render/render_script.h"

#include <gtest/gtest.h>

TEST(RenderScriptParse, EveryCommandAndBothTimeForms) {
    const ScriptParseResult r = ParseRenderScript("# a comment line\n"
                                                  "\n"
                                                  "0 play 1   # trailing comment\n"
                                                  "0.5 stop 0\n"
                                                  "1:02.5 seek 1 30\n"
                                                  "1:03 pitch 0 -2.5\n"
                                                  "64 volume 1 80\n"
                                                  "64 cue 0 store 3\n"
                                                  "64 cue 0 end 3 12.25\n"
                                                  "65 cue 0 jump 3\n"
                                                  "66 loop 0 on 3\n"
                                                  "67 loop 0 off\n"
                                                  "68 crossfader -100\n"
                                                  "69 fade 100 4.5\n"
                                                  "70 center 75\n"
                                                  "71 headphone 1 off\n"
                                                  "72 eq 0 2 -6\n"
                                                  "73 kill 1 0 on\n"
                                                  "74 effect 0 off\n"
                                                  "80 end\n");
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.commands.size(), 18u);
    const auto& c = r.commands;
    EXPECT_EQ(c[0].op, ScriptOp::Play);
    EXPECT_EQ(c[0].channel, 1);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[2].op, ScriptOp::Seek);
    EXPECT_DOUBLE_EQ(c[2].time, 62.5);
    EXPECT_DOUBLE_EQ(c[2].value, 30);
    EXPECT_DOUBLE_EQ(c[3].value, -2.5);
    EXPECT_EQ(c[5].op, ScriptOp::CueStore);
    EXPECT_FALSE(c[5].hasValue);
    EXPECT_EQ(c[5].index, 3);
    EXPECT_EQ(c[6].op, ScriptOp::CueEnd);
    EXPECT_TRUE(c[6].hasValue);
    EXPECT_DOUBLE_EQ(c[6].value, 12.25);
    EXPECT_EQ(c[7].op, ScriptOp::CueJump);
    EXPECT_EQ(c[8].op, ScriptOp::LoopOn);
    EXPECT_EQ(c[9].op, ScriptOp::LoopOff);
    EXPECT_EQ(c[10].channel, -1);
    EXPECT_EQ(c[11].op, ScriptOp::Fade);
    EXPECT_DOUBLE_EQ(c[11].duration, 4.5);
    EXPECT_EQ(c[13].op, ScriptOp::Headphone);
    EXPECT_FALSE(c[13].on);
    EXPECT_EQ(c[14].op, ScriptOp::EqBoost);
    EXPECT_EQ(c[14].index, 2);
    EXPECT_EQ(c[15].op, ScriptOp::EqKill);
    EXPECT_TRUE(c[15].on);
    EXPECT_EQ(c[17].op, ScriptOp::End);
    EXPECT_EQ(c[17].line, 20);
}

TEST(RenderScriptParse, MistakesNameTheirLineAndNothingIsKept) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"0 play 0\n2 bounce 0\n", "2: unknown command \"bounce\""},
        {"5 play 0\n4 stop 0\n", "2: time 4 runs backwards (the line before is at 5 s)"},
        {"0 pitch 0 +101\n", "1: pitch must be between -50 and 100, not +101"},
        {"0 volume 0 -1\n", "1: volume must be between 0 and 100, not -1"},
        {"0 play 1.5\n", "1: deck must be a whole number, not 1.5"},
        {"0 play 256\n", "1: deck must be between 0 and 255, not 256"},
        {"0 cue 0 store 10\n", "1: cue must be between 0 and 9, not 10"},
        {"0 cue 0 swap 1\n", "1: expected store, end or jump, not \"swap\""},
        {"0 loop 0 maybe\n", "1: expected on or off, not \"maybe\""},
        {"0 play\n", "1: usage: TIME play|stop DECK"},
        {"0 fade 50\n", "1: usage: TIME fade PERCENT SECONDS"},
        {"0:75 play 0\n", "1: bad time \"0:75\""},
        {"-1 play 0\n", "1: time must be between 0 and 24 hours, not -1"},
        {"nan play 0\n", "1: a line must start with a time in seconds or m:ss, not \"nan\""},
        {"3\n", "1: a time must be followed by a command"},
        {"0 eq 0 1 +16\n", "1: boost must be between -30 and 15, not +16"},
        {"0 end now\n", "1: usage: TIME end"},
    };
    for (const Case& c : cases) {
        const ScriptParseResult r = ParseRenderScript(c.text);
        EXPECT_EQ(r.error, c.error) << c.text;
        EXPECT_TRUE(r.commands.empty()) << c.text;
    }
}

TEST(RenderScriptParse, EqualTimesKeepTheirOrder) {
    const ScriptParseResult r = ParseRenderScript("1 stop 0\n1 play 0\n1 stop 0\n");
    ASSERT_EQ(r.commands.size(), 3u);
    EXPECT_EQ(r.commands[0].op, ScriptOp::Stop);
    EXPECT_EQ(r.commands[1].op, ScriptOp::Play);
    EXPECT_EQ(r.commands[2].op, ScriptOp::Stop);
}
