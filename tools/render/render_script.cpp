#include "tools/render/render_script.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

struct Fail {
    std::string reason;
};

// A whole token as a finite number; anything else is refused.
bool ToNumber(const std::string& token, double& out) {
    if (token.empty() || token.size() > 64)
        return false;
    char* end = nullptr;
    out = std::strtod(token.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

double Number(const std::string& token, const char* what) {
    double v = 0;
    if (!ToNumber(token, v))
        throw Fail{std::string(what) + " must be a number, not \"" + token + "\""};
    return v;
}

double Ranged(const std::string& token, const char* what, double low, double high) {
    const double v = Number(token, what);
    if (v < low || v > high) {
        std::ostringstream s;
        s << what << " must be between " << low << " and " << high << ", not " << token;
        throw Fail{s.str()};
    }
    return v;
}

int Whole(const std::string& token, const char* what, int low, int high) {
    const double v = Ranged(token, what, low, high);
    if (v != std::floor(v))
        throw Fail{std::string(what) + " must be a whole number, not " + token};
    return static_cast<int>(v);
}

bool OnOff(const std::string& token) {
    if (token == "on")
        return true;
    if (token == "off")
        return false;
    throw Fail{"expected on or off, not \"" + token + "\""};
}

// "12.5" or "1:02.5".
double Time(const std::string& token) {
    const size_t colon = token.find(':');
    double seconds = 0;
    if (colon == std::string::npos) {
        if (!ToNumber(token, seconds))
            throw Fail{"a line must start with a time in seconds or m:ss, not \"" + token + "\""};
    } else {
        double minutes = 0;
        if (!ToNumber(token.substr(0, colon), minutes) ||
            !ToNumber(token.substr(colon + 1), seconds) || minutes < 0 ||
            minutes != std::floor(minutes) || seconds < 0 || seconds >= 60)
            throw Fail{"bad time \"" + token + "\""};
        seconds += 60 * minutes;
    }
    if (seconds < 0 || seconds > 24 * 3600.0)
        throw Fail{"time must be between 0 and 24 hours, not " + token};
    return seconds;
}

// Decks are numbered from 0; the tool checks the number against the songs it opened.
constexpr int kMaxChannel = 255;

void Expect(const std::vector<std::string>& words, size_t low, size_t high, const char* usage) {
    const size_t n = words.size() - 2; // time and command
    if (n < low || n > high)
        throw Fail{std::string("usage: ") + usage};
}

ScriptCommand ParseLine(const std::vector<std::string>& w) {
    ScriptCommand c;
    c.time = Time(w[0]);
    const std::string& name = w[1];
    auto channel = [&] { c.channel = Whole(w[2], "deck", 0, kMaxChannel); };
    if (name == "play" || name == "stop") {
        Expect(w, 1, 1, "TIME play|stop DECK");
        c.op = name == "play" ? ScriptOp::Play : ScriptOp::Stop;
        channel();
    } else if (name == "seek") {
        Expect(w, 2, 2, "TIME seek DECK SECONDS");
        c.op = ScriptOp::Seek;
        channel();
        c.value = Ranged(w[3], "position", 0, 24 * 3600.0);
    } else if (name == "pitch") {
        Expect(w, 2, 2, "TIME pitch DECK PERCENT");
        c.op = ScriptOp::Pitch;
        channel();
        c.value = Ranged(w[3], "pitch", -50, 100);
    } else if (name == "volume") {
        Expect(w, 2, 2, "TIME volume DECK PERCENT");
        c.op = ScriptOp::Volume;
        channel();
        c.value = Ranged(w[3], "volume", 0, 100);
    } else if (name == "cue") {
        Expect(w, 3, 4, "TIME cue DECK store|end|jump N [SECONDS]");
        channel();
        const std::string& what = w[3];
        c.index = Whole(w[4], "cue", 0, 9);
        if (what == "store" || what == "end") {
            c.op = what == "store" ? ScriptOp::CueStore : ScriptOp::CueEnd;
            if (w.size() == 6) {
                c.value = Ranged(w[5], "position", 0, 24 * 3600.0);
                c.hasValue = true;
            }
        } else if (what == "jump") {
            if (w.size() != 5)
                throw Fail{"usage: TIME cue DECK jump N"};
            c.op = ScriptOp::CueJump;
        } else {
            throw Fail{"expected store, end or jump, not \"" + what + "\""};
        }
    } else if (name == "loop") {
        Expect(w, 2, 3, "TIME loop DECK on N | TIME loop DECK off");
        channel();
        if (OnOff(w[3])) {
            if (w.size() != 5)
                throw Fail{"usage: TIME loop DECK on N"};
            c.op = ScriptOp::LoopOn;
            c.index = Whole(w[4], "cue", 0, 9);
        } else {
            if (w.size() != 4)
                throw Fail{"usage: TIME loop DECK off"};
            c.op = ScriptOp::LoopOff;
        }
    } else if (name == "crossfader") {
        Expect(w, 1, 1, "TIME crossfader PERCENT");
        c.op = ScriptOp::Crossfader;
        c.value = Ranged(w[2], "crossfader", -100, 100);
    } else if (name == "fade") {
        Expect(w, 2, 2, "TIME fade PERCENT SECONDS");
        c.op = ScriptOp::Fade;
        c.value = Ranged(w[2], "crossfader", -100, 100);
        c.duration = Ranged(w[3], "fade time", 0, 3600);
    } else if (name == "center") {
        Expect(w, 1, 1, "TIME center PERCENT");
        c.op = ScriptOp::Center;
        c.value = Ranged(w[2], "center volume", 1, 100);
    } else if (name == "headphone") {
        Expect(w, 2, 2, "TIME headphone DECK on|off");
        c.op = ScriptOp::Headphone;
        channel();
        c.on = OnOff(w[3]);
    } else if (name == "eq") {
        Expect(w, 3, 3, "TIME eq DECK BAND DB");
        c.op = ScriptOp::EqBoost;
        channel();
        c.index = Whole(w[3], "band", 0, 9);
        c.value = Ranged(w[4], "boost", -30, 15);
    } else if (name == "kill") {
        Expect(w, 3, 3, "TIME kill DECK BAND on|off");
        c.op = ScriptOp::EqKill;
        channel();
        c.index = Whole(w[3], "band", 0, 9);
        c.on = OnOff(w[4]);
    } else if (name == "effect") {
        Expect(w, 2, 2, "TIME effect DECK on|off");
        c.op = ScriptOp::Effect;
        channel();
        c.on = OnOff(w[3]);
    } else if (name == "end") {
        Expect(w, 0, 0, "TIME end");
        c.op = ScriptOp::End;
    } else {
        throw Fail{"unknown command \"" + name + "\""};
    }
    return c;
}

} // namespace

ScriptParseResult ParseRenderScript(const std::string& text) {
    ScriptParseResult result;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    double last = 0;
    while (std::getline(in, raw)) {
        ++number;
        const size_t hash = raw.find('#');
        if (hash != std::string::npos)
            raw.erase(hash);
        std::istringstream words(raw);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.empty())
            continue;
        try {
            if (w.size() < 2)
                throw Fail{"a time must be followed by a command"};
            ScriptCommand c = ParseLine(w);
            if (c.time < last) {
                std::ostringstream s;
                s << "time " << w[0] << " runs backwards (the line before is at " << last << " s)";
                throw Fail{s.str()};
            }
            last = c.time;
            c.line = number;
            result.commands.push_back(c);
        } catch (const Fail& f) {
            result.commands.clear();
            result.errorLine = number;
            result.error = std::to_string(number) + ": " + f.reason;
            return result;
        }
    }
    return result;
}
