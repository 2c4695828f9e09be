// The program directory of zem-render. The engine fixes its folders (Plugins, INI, ZEC, SFX)
// from the working directory at the moment it is loaded, before main runs; so the tool moves
// into the wanted directory and starts itself again there. Paths on the command line keep
// meaning what they meant where the user typed them.
#pragma once

#include <string>

struct ProgramDir {
    std::string home;        // the program directory (the working directory from now on)
    std::string originalCwd; // where the user started the tool
};

// Either returns with the process in the right directory (true), or fails with a reason
// (false), or does not return at all (the tool runs again in the directory).
bool EnterProgramDirectory(int argc, char** argv, ProgramDir& dir, std::string& error);

// path as seen from base when it is relative.
std::string ResolvePath(const std::string& base, const std::string& path);
