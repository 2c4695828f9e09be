// Reading and writing playlist files on disk.
#include "plugins/playlists/formats/playlist_format.h"

#include "plugins/playlists/formats/playlist_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace playlists {

namespace {

bool ReadAll(const std::string& path, std::string& out) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    char buf[65536];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return ok;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The process's umask without changing it (umask() would, for every thread at once).
mode_t CurrentUmask() {
    FILE* status = std::fopen("/proc/self/status", "re");
    mode_t mask = 022;
    if (!status)
        return mask;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "Umask:", 6) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8)) & 0777;
            break;
        }
    }
    std::fclose(status);
    return mask;
}

} // namespace

std::vector<PlaylistEntry> ReadPlaylist(const std::string& path) {
    std::string bytes;
    if (!ReadAll(path, bytes))
        return {};
    return ParsePlaylist(bytes, path);
}

bool WritePlaylist(const std::string& path, const std::vector<const PlaylistEntry*>& rowOrder) {
    if (path.empty())
        return false;
    // Saving through a symbolic link replaces the file it points to, not the link.
    std::string target = path;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const bool exists = stat(target.c_str(), &st) == 0;
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());

    std::string temp = FolderOf(target) + "." + std::string(FileNameOf(target)) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, FormatPlaylist(rowOrder));
    ok = ok && fchmod(fd, mode) == 0;
    ok = ok && fsync(fd) == 0; // the new contents are on disk before they replace the old
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

} // namespace playlists
