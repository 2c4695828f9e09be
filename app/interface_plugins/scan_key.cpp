#include "app/interface_plugins/scan_key.h"
#include "app/interface_plugins/host_messages.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

namespace zem::interface_plugins {

namespace {

int64_t Nanoseconds(const struct statx_timestamp& t) {
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

bool FileCreationTime(const std::string& path, int64_t& nanoseconds) {
    struct statx st {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_CTIME, &st) != 0)
        return false;
    // Many file systems (and older kernels) keep no birth time; a copy put back in place still
    // gets a new change time, which is what the memory needs to tell the files apart.
    nanoseconds =
        (st.stx_mask & STATX_BTIME) ? Nanoseconds(st.stx_btime) : Nanoseconds(st.stx_ctime);
    return true;
}

std::string FormatScanKey(const std::string& fileName, int64_t creationTime) {
    const auto bits = static_cast<uint64_t>(creationTime);
    const auto high = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
    const auto low = static_cast<int32_t>(static_cast<uint32_t>(bits));
    char halves[32];
    std::snprintf(halves, sizeof halves, "|%ld|%ld", static_cast<long>(high),
                  static_cast<long>(low));
    return fileName + halves;
}

std::string ScanKey(const std::string& path) {
    int64_t time = 0;
    FileCreationTime(path, time);
    return FormatScanKey(FileNamePart(path), time);
}

} // namespace zem::interface_plugins
