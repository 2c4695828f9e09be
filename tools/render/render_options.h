// The command line of zem-render.
#pragma once

#include <map>
#include <string>
#include <vector>

struct DspRequest {
    int channel = 0;
    std::string library;
    int effect = 0;
};

struct RenderOptions {
    std::vector<std::string> songs;
    std::string out;              // empty: play on the sound card
    double seconds = -1;          // < 0: until every deck has played its song out
    std::map<int, double> pitch;  // percent
    std::map<int, double> volume; // percent
    bool hasCrossfader = false;
    double crossfader = 0;
    double center = 100;
    std::map<int, std::string> eqFile;
    std::map<int, int> eqBands;
    std::vector<DspRequest> dsp;
    std::string script;
    std::string home;
    bool listDevices = false;
    bool help = false;
    bool quiet = false;
    bool strict = false; // fail the run when any deck fell behind its card
};

// Fills options from argv; false with a one-line reason in error.
bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

// Channels named by per-deck options must be decks that were given a song.
bool CheckOptionChannels(const RenderOptions& options, std::string& error);

const char* RenderUsage();
