#include "platform/profile.h"

#include "platform/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace zem::profile {

namespace {

void makeFolders(const std::string& filePath) {
    for (size_t pos = 1; (pos = filePath.find('/', pos)) != std::string::npos; ++pos) {
        const std::string dir = filePath.substr(0, pos);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return;
    }
}

} // namespace

std::string Path() {
    if (const char* p = std::getenv("ZEM_PROFILE"); p && *p)
        return p;
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    else
        base = ".config";
    return base + "/Fennick Works Applications/ZEM.ini";
}

int GetInt(const char* section, const char* key, int def) {
    return ini::GetInt(Path(), section, key, def);
}

std::string GetString(const char* section, const char* key, const char* def) {
    return ini::GetString(Path(), section, key, def);
}

bool WriteInt(const char* section, const char* key, int value) {
    return WriteString(section, key, std::to_string(value).c_str());
}

bool WriteString(const char* section, const char* key, const char* value) {
    const std::string path = Path();
    makeFolders(path);
    return ini::WriteValue(path, section, key, value);
}

} // namespace zem::profile
