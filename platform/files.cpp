#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zem {

std::string TempDirectory() {
    const char* env = std::getenv("TMPDIR");
    std::string dir = env && *env ? env : "/tmp";
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

std::string CreateUniqueFile(const std::string& dir, const std::string& prefix) {
    std::string pattern = JoinPath(dir, prefix + "XXXXXX");
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    const int fd = mkstemp(buf.data());
    if (fd < 0)
        return std::string();
    close(fd);
    return std::string(buf.data());
}

bool CopyFileOverwrite(const std::string& src, const std::string& dst) {
    const int in = open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(in);
        return false;
    }
    const int out = open(dst.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buf[65536];
    for (;;) {
        const ssize_t n = read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buf + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    close(in);
    if (close(out) != 0)
        ok = false;
    return ok;
}

bool DeleteFilePath(const std::string& path) {
    return !path.empty() && unlink(path.c_str()) == 0;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

std::vector<std::string> ScanDirectory(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return names;
    while (dirent* e = readdir(d)) {
        if (fnmatch(pattern.c_str(), e->d_name, 0) != 0)
            continue;
        struct stat st {};
        if (stat(JoinPath(dir, e->d_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        names.emplace_back(e->d_name);
    }
    closedir(d);
    return names;
}

std::string CurrentDirectory() {
    std::vector<char> buf(4096);
    for (;;) {
        if (getcwd(buf.data(), buf.size()))
            return std::string(buf.data());
        if (errno != ERANGE || buf.size() > (1u << 20))
            return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    if (dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

} // namespace zem
