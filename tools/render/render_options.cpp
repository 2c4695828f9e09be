#include "tools/render/render_options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

bool Number(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

bool Channel(const std::string& text, int& out) {
    double v = 0;
    if (!Number(text, v) || v < 0 || v > 255 || v != std::floor(v))
        return false;
    out = static_cast<int>(v);
    return true;
}

// "CH=VALUE".
bool Split(const std::string& text, int& channel, std::string& value) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos)
        return false;
    value = text.substr(eq + 1);
    return Channel(text.substr(0, eq), channel) && !value.empty();
}

std::string Range(const char* option, double low, double high) {
    std::ostringstream s;
    s << option << " takes a value from " << low << " to " << high;
    return s.str();
}

} // namespace

const char* RenderUsage() {
    return R"(Usage: zem-render [OPTIONS] SONG...

Opens each song into a deck (channels 0, 1, ... in order), puts decks 0 and 1 on the
crossfader's left and right sides, starts every deck at once and mixes them.

Options:
  --out FILE.wav        render the mix to a 16-bit stereo WAV file, faster than real time;
                        without it the mix plays on the sound card (or the silent device)
  --seconds S           stop after S seconds (default: when every deck has played out)
  --pitch CH=PERCENT    playback rate change of a deck, -50 to +100 (e.g. 0=+5, 1=-2.5)
  --volume CH=PERCENT   deck volume, 0 to 100
  --crossfader P        crossfader position, -100 (deck 0) to 100 (deck 1); default 0
  --center PERCENT      crossfader centre volume, 1 to 100; default 100
  --eq CH=FILE          load an equalizer settings file into the deck
  --eq-bands CH=3|10    make the 3-band or the 10-band equalizer active
  --dsp CH=LIBRARY[|N]  add effect N (default 0) of a DSP plug-in to the deck; LIBRARY is a
                        path or a file name in the program's Plugins folder
  --script FILE         run timed commands (below)
  --home DIR            use DIR as the program directory (Plugins, INI, ZEC, SFX)
  --list-devices        list the sound output devices and the input plug-ins, then exit
  --quiet               no progress line
  --strict              exit with status 1 when a deck ran dry (underrun frames above 0)
  --help                this text

Script: one command per line, "TIME COMMAND ARGUMENTS"; TIME is seconds of mix ("12.5") or
minutes:seconds ("1:02.5") and never runs backwards; "#" starts a comment.
  TIME play DECK | TIME stop DECK     start or pause a deck (every deck starts at 0)
  TIME seek DECK SECONDS              jump to a song position
  TIME pitch DECK PERCENT             -50 to +100
  TIME volume DECK PERCENT            0 to 100
  TIME cue DECK store N [SECONDS]     cue point N (0-9) here or at SECONDS of the song
  TIME cue DECK end N [SECONDS]       end of cue N's span, for loops
  TIME cue DECK jump N                go to cue point N
  TIME loop DECK on N | off           loop cue N's span, or stop looping
  TIME crossfader PERCENT             set the crossfader
  TIME fade PERCENT SECONDS           move the crossfader there over SECONDS
  TIME center PERCENT                 crossfader centre volume
  TIME headphone DECK on|off          headphone cue
  TIME eq DECK BAND DB                boost or cut an equalizer band (-30 to +15 dB)
  TIME kill DECK BAND on|off          kill an equalizer band
  TIME effect DECK on|off             switch the deck's effects
  TIME end                            stop the mix

Each song's settings (cue points, tempo, volume, equalizer, effects) are read from its
settings file in the program's ZEC folder when it is opened and written back at the end.
Exit status: 0 on success, 1 on a bad option, song, script or output.
)";
}

bool ParseRenderOptions(int argc, char** argv, RenderOptions& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--list-devices") {
            o.listDevices = true;
        } else if (arg == "--quiet") {
            o.quiet = true;
        } else if (arg == "--strict") {
            o.strict = true;
        } else if (arg == "--out") {
            if (!value(o.out))
                return false;
            if (o.out.empty()) {
                error = "--out needs a file name";
                return false;
            }
        } else if (arg == "--seconds") {
            if (!value(v))
                return false;
            if (!Number(v, o.seconds) || o.seconds <= 0 || o.seconds > 24 * 3600.0) {
                error = Range("--seconds", 0, 24 * 3600.0) + " (more than 0)";
                return false;
            }
        } else if (arg == "--pitch" || arg == "--volume") {
            if (!value(v))
                return false;
            int ch = 0;
            std::string text;
            double p = 0;
            const bool pitch = arg == "--pitch";
            if (!Split(v, ch, text) || !Number(text, p)) {
                error = arg + " takes CH=PERCENT, not \"" + v + "\"";
                return false;
            }
            if (pitch ? (p < -50 || p > 100) : (p < 0 || p > 100)) {
                error = pitch ? Range("--pitch", -50, 100) : Range("--volume", 0, 100);
                return false;
            }
            (pitch ? o.pitch : o.volume)[ch] = p;
        } else if (arg == "--crossfader") {
            if (!value(v))
                return false;
            if (!Number(v, o.crossfader) || o.crossfader < -100 || o.crossfader > 100) {
                error = Range("--crossfader", -100, 100);
                return false;
            }
            o.hasCrossfader = true;
        } else if (arg == "--center") {
            if (!value(v))
                return false;
            if (!Number(v, o.center) || o.center < 1 || o.center > 100) {
                error = Range("--center", 1, 100);
                return false;
            }
        } else if (arg == "--eq") {
            if (!value(v))
                return false;
            int ch = 0;
            std::string file;
            if (!Split(v, ch, file)) {
                error = "--eq takes CH=FILE, not \"" + v + "\"";
                return false;
            }
            o.eqFile[ch] = file;
        } else if (arg == "--eq-bands") {
            if (!value(v))
                return false;
            int ch = 0;
            std::string bands;
            if (!Split(v, ch, bands) || (bands != "3" && bands != "10")) {
                error = "--eq-bands takes CH=3 or CH=10, not \"" + v + "\"";
                return false;
            }
            o.eqBands[ch] = std::atoi(bands.c_str());
        } else if (arg == "--dsp") {
            if (!value(v))
                return false;
            DspRequest d;
            std::string entry;
            if (!Split(v, d.channel, entry)) {
                error = "--dsp takes CH=LIBRARY[|N], not \"" + v + "\"";
                return false;
            }
            const size_t bar = entry.rfind('|');
            if (bar != std::string::npos) {
                double n = 0;
                if (!Number(entry.substr(bar + 1), n) || n < 0 || n > 1000 || n != std::floor(n)) {
                    error = "--dsp: the effect number after \"|\" must be a whole number";
                    return false;
                }
                d.effect = static_cast<int>(n);
                entry.erase(bar);
            }
            if (entry.empty()) {
                error = "--dsp needs a library";
                return false;
            }
            d.library = entry;
            o.dsp.push_back(d);
        } else if (arg == "--script") {
            if (!value(o.script))
                return false;
        } else if (arg == "--home") {
            if (!value(o.home))
                return false;
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                o.songs.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg + " (see --help)";
            return false;
        } else {
            o.songs.push_back(arg);
        }
    }
    if (!o.help && !o.listDevices && o.songs.empty()) {
        error = "no songs given (see --help)";
        return false;
    }
    return true;
}

bool CheckOptionChannels(const RenderOptions& o, std::string& error) {
    const int decks = static_cast<int>(o.songs.size());
    auto check = [&](int ch, const char* option) {
        if (ch < decks)
            return true;
        error = std::string(option) + " names deck " + std::to_string(ch) + ", but only " +
                std::to_string(decks) + (decks == 1 ? " song was" : " songs were") + " given";
        return false;
    };
    for (const auto& [ch, v] : o.pitch)
        if (!check(ch, "--pitch"))
            return false;
    for (const auto& [ch, v] : o.volume)
        if (!check(ch, "--volume"))
            return false;
    for (const auto& [ch, v] : o.eqFile)
        if (!check(ch, "--eq"))
            return false;
    for (const auto& [ch, v] : o.eqBands)
        if (!check(ch, "--eq-bands"))
            return false;
    for (const DspRequest& d : o.dsp)
        if (!check(d.channel, "--dsp"))
            return false;
    return true;
}
