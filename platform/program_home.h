// The program directory of zem and its tools. The engine fixes its folders (Plugins, INI, ZEC,
// SFX) from the working directory at the moment its library is loaded, before main runs; so a
// program moves into its directory and starts itself again there. Names on the command line
// keep meaning what they meant where the user typed them.
#pragma once

#include <string>

namespace zem {

struct ProgramHome {
    std::string home;     // the program directory, the working directory from now on
    std::string startDir; // where the user started the program
};

// wanted: the "--home" value (relative to where the user started), empty for the default:
// "run" beside the executable's folder when it holds a Plugins folder, else where the user
// started. The folders the engine uses are made when missing. Returns true with the process in the
// directory, false with a reason, or does not return (the program runs again in the directory).
bool EnterProgramHome(char** argv, const std::string& wanted, ProgramHome& out, std::string& error);

} // namespace zem
