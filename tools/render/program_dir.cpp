#include "tools/render/program_dir.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kReexecVar[] = "ZEM_RENDER_HOME";
constexpr char kCwdVar[] = "ZEM_RENDER_CWD";

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

// The run directory the build lays out next to the tool's own folder.
std::string DefaultHome() {
    const std::string exe = Real("/proc/self/exe");
    const size_t slash = exe.rfind('/');
    if (slash != std::string::npos) {
        const std::string run = exe.substr(0, slash) + "/../run";
        if (IsDir(run + "/Plugins"))
            return Real(run);
    }
    return Cwd();
}

} // namespace

std::string ResolvePath(const std::string& base, const std::string& path) {
    if (path.empty() || path[0] == '/' || base.empty())
        return path;
    return base + "/" + path;
}

bool EnterProgramDirectory(int argc, char** argv, ProgramDir& dir, std::string& error) {
    const std::string cwd = Cwd();
    const char* marker = std::getenv(kReexecVar);
    const char* started = std::getenv(kCwdVar);
    const bool again = marker && started && Real(cwd) == marker;
    dir.originalCwd = again ? std::string(started) : cwd;
    unsetenv(kReexecVar);
    unsetenv(kCwdVar);

    std::string wanted;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--home") == 0)
            wanted = ResolvePath(dir.originalCwd, argv[i + 1]);
    if (wanted.empty())
        wanted = DefaultHome();
    if (!IsDir(wanted)) {
        error = "the program directory " + wanted + " does not exist";
        return false;
    }
    dir.home = Real(wanted);
    // Songs' settings, the INI files and the presets need their folders.
    for (const char* sub : {"/ZEC", "/INI", "/SFX"}) {
        const std::string path = dir.home + sub;
        if (!IsDir(path) && mkdir(path.c_str(), 0755) != 0) {
            error = "cannot create " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    if (Real(cwd) == dir.home)
        return true;
    if (again) {
        error = "could not start in the program directory " + dir.home;
        return false;
    }
    if (chdir(dir.home.c_str()) != 0) {
        error = "cannot enter " + dir.home + ": " + std::strerror(errno);
        return false;
    }
    setenv(kReexecVar, dir.home.c_str(), 1);
    setenv(kCwdVar, dir.originalCwd.c_str(), 1);
    execv("/proc/self/exe", argv);
    error = std::string("cannot restart the tool: ") + std::strerror(errno);
    return false;
}
