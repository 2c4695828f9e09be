// The timed command list of zem-render: one command per line, "TIME COMMAND ARGUMENTS", with
// TIME in seconds ("12.5") or minutes and seconds ("1:02.5") of mix time. Blank lines and
// everything after "#" are ignored. Times never run backwards; commands at the same time run
// in the order written.
//
//   play CH | stop CH               start or stop (pause) a deck
//   seek CH SECONDS                 jump to a song position
//   pitch CH PERCENT                playback rate change, -50 to +100
//   volume CH PERCENT               deck volume, 0 to 100
//   cue CH store N [SECONDS]        cue point N (0-9) at the deck's position or at SECONDS
//   cue CH end N [SECONDS]          the end of cue N's span (for loops)
//   cue CH jump N                   go to cue point N
//   loop CH on N | loop CH off      loop between cue N and its end, or stop looping
//   crossfader PERCENT              -100 (deck 0) to +100 (deck 1), at once
//   fade PERCENT SECONDS            move the crossfader there over SECONDS, in 10 ms steps
//   center PERCENT                  crossfader centre volume, 1 to 100
//   headphone CH on|off             headphone cue of a deck
//   eq CH BAND DB                   boost (or cut) an equalizer band, -30 to +15 dB
//   kill CH BAND on|off             kill an equalizer band
//   effect CH on|off                switch the deck's effect chain
//   end                             stop the mix here
#pragma once

#include <string>
#include <vector>

enum class ScriptOp {
    Play,
    Stop,
    Seek,
    Pitch,
    Volume,
    CueStore,
    CueEnd,
    CueJump,
    LoopOn,
    LoopOff,
    Crossfader,
    Fade,
    Center,
    Headphone,
    EqBoost,
    EqKill,
    Effect,
    End,
};

struct ScriptCommand {
    int line = 0;
    double time = 0; // seconds of mix
    ScriptOp op = ScriptOp::End;
    int channel = -1;    // -1 for mixer-wide commands
    int index = -1;      // cue slot or equalizer band
    double value = 0;    // percent, seconds, dB
    double duration = 0; // of a fade, seconds
    bool on = false;
    bool hasValue = false;
};

struct ScriptParseResult {
    std::vector<ScriptCommand> commands;
    // Empty when the text was accepted; otherwise "LINE: reason" for the first bad line.
    std::string error;
    int errorLine = 0;
};

ScriptParseResult ParseRenderScript(const std::string& text);
