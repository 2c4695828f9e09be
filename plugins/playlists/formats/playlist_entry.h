// One file of a playlist, as the document keeps it. Paths are UTF-8 inside the plug-in,
// whatever encoding the playlist file had; they hold at most 258 bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace playlists {

inline constexpr size_t kEntryPathBytes = 259; // with the terminating NUL

struct PlaylistEntry {
    // 1: BPM and total time are not known yet; fetched the first time the entry is shown.
    bool infoPending = true;
    char path[kEntryPathBytes] = {};
    float bpm = 0.0f;
    int32_t totalTime = 0;  // whole seconds
    bool played = false;    // the random-play mark; never saved
    int32_t lastPlayed = 0; // seconds since 1970-01-01 UTC when last opened into a deck; 0: never

    std::string_view Path() const { return {path, std::strlen(path)}; }
    // False, and the path unchanged, when p does not fit.
    bool SetPath(std::string_view p) {
        if (p.size() >= kEntryPathBytes)
            return false;
        std::memcpy(path, p.data(), p.size());
        path[p.size()] = '\0';
        return true;
    }
};

} // namespace playlists
