// The summary cache: one small binary file per song in the cache folder, named after the song
// and a hash of its full path. It records the song's size and modification time, so a changed
// song is summarised again; anything that does not read back exactly is ignored.
#pragma once

#include "app/waveform/wave_summary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zem::wave {

struct SongStamp {
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    bool operator==(const SongStamp&) const = default;
};

// False when the song cannot be looked at.
bool StatSong(const std::string& path, SongStamp& out);

// "<cacheDir>/<song name without extension>-<16 hex digits of the path's hash>.zwf".
std::string CacheFilePath(const std::string& cacheDir, const std::string& songPath);

// The file's bytes for a complete summary.
std::vector<uint8_t> EncodeCache(const WaveSummary& summary, const SongStamp& stamp);
// A complete summary, or null when the bytes are not a whole, current cache file of this
// program for a song with that stamp.
std::shared_ptr<WaveSummary> DecodeCache(const uint8_t* data, size_t size,
                                         const SongStamp& expected);
// The stamp a cache file records, or false when it is too short to hold one.
bool PeekCacheStamp(const uint8_t* data, size_t size, SongStamp& out);

// Writes under a temporary name in the same folder, then renames over the old file, so that a
// reader never sees half a file. Makes the folder when it is missing.
bool WriteCacheFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::shared_ptr<WaveSummary> ReadCacheFile(const std::string& path, const SongStamp& expected);

} // namespace zem::wave
