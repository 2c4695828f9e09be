// Feeds arbitrary bytes to the playlist reader as a ".zpl" and as an ".m3u": reading must not
// crash, and what it read must save and read back as the same number of entries.
#include "plugins/playlists/formats/playlist_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const char* path : {"/fuzz/list.zpl", "/fuzz/list.m3u"}) {
        const auto entries = playlists::ParsePlaylist(bytes, path);
        std::vector<const playlists::PlaylistEntry*> rows;
        for (const auto& entry : entries)
            rows.push_back(&entry);
        // Saving always writes ".zpl", whatever was read.
        const auto again =
            playlists::ParsePlaylist(playlists::FormatPlaylist(rows), "/fuzz/saved.zpl");
        if (again.size() != entries.size())
            std::abort();
    }
    return 0;
}
