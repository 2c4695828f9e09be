#include "platform/program_home.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

constexpr char kHomeVar[] = "ZEM_PROGRAM_HOME";
constexpr char kStartVar[] = "ZEM_PROGRAM_START_DIR";

std::string Real(const std::string& path) {
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

std::string Cwd() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool IsDir(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string DefaultHome() {
    const std::string exe = Real("/proc/self/exe");
    const size_t slash = exe.rfind('/');
    if (slash != std::string::npos && IsDir(exe.substr(0, slash) + "/../run/Plugins"))
        return Real(exe.substr(0, slash) + "/../run");
    return Cwd();
}

} // namespace

bool EnterProgramHome(char** argv, const std::string& wanted, ProgramHome& out,
                      std::string& error) {
    const std::string cwd = Cwd();
    const char* marker = std::getenv(kHomeVar);
    const char* started = std::getenv(kStartVar);
    const bool again = marker && started && Real(cwd) == marker;
    out.startDir = again ? std::string(started) : cwd;
    unsetenv(kHomeVar);
    unsetenv(kStartVar);

    std::string dir = wanted.empty()     ? DefaultHome()
                      : wanted[0] == '/' ? wanted
                                         : out.startDir + "/" + wanted;
    if (!IsDir(dir)) {
        error = "the program directory " + dir + " does not exist";
        return false;
    }
    out.home = Real(dir);
    // The engine keeps song settings, its INI files and the pads there.
    for (const char* sub : {"/ZEC", "/INI", "/SFX", "/Plugins"}) {
        const std::string path = out.home + sub;
        if (!IsDir(path) && mkdir(path.c_str(), 0755) != 0) {
            error = "cannot create " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    if (Real(cwd) == out.home)
        return true;
    if (again) {
        error = "could not start in the program directory " + out.home;
        return false;
    }
    if (chdir(out.home.c_str()) != 0) {
        error = "cannot enter " + out.home + ": " + std::strerror(errno);
        return false;
    }
    setenv(kHomeVar, out.home.c_str(), 1);
    setenv(kStartVar, out.startDir.c_str(), 1);
    execv("/proc/self/exe", argv);
    error = std::string("cannot restart in the program directory: ") + std::strerror(errno);
    return false;
}

} // namespace zem
