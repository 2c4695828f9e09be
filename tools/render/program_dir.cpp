#include "tools/render/program_dir.h"

#include "platform/program_home.h"

#include <cstring>
#include <string>

std::string ResolvePath(const std::string& base, const std::string& path) {
    if (path.empty() || path[0] == '/' || base.empty())
        return path;
    return base + "/" + path;
}

bool EnterProgramDirectory(int argc, char** argv, ProgramDir& dir, std::string& error) {
    std::string wanted;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            wanted = argv[i + 1];
    zem::ProgramHome home;
    const bool ok = zem::EnterProgramHome(argv, wanted, home, error);
    dir.home = home.home;
    dir.originalCwd = home.startDir;
    return ok;
}
