// The playlist files: ".zpl" (the program's own, read and written) and plain lists such as
// ".m3u" (read only; saving always writes ".zpl"), and the window title with the total time.
#pragma once

#include "plugins/playlists/formats/playlist_entry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace playlists {

// The plug-in's version, which every saved ".zpl" carries in its header line.
inline constexpr const char* kPlaylistVersion = "1.80";

// The text from the last "." equals ".zpl" exactly (so "LIST.ZPL" is a plain list).
bool IsZplPath(std::string_view path);

// The entries of a playlist file's bytes. playlistPath decides the format (IsZplPath) and is
// the folder that relative paths are joined to. Lines end with LF or CR LF; empty lines, and
// in a plain list lines beginning with "#" (M3U directives), are no entries. An entry whose
// full path does not fit PlaylistEntry::path is left out.
std::vector<PlaylistEntry> ParsePlaylist(std::string_view bytes, std::string_view playlistPath);
// ParsePlaylist of the file's contents; empty when it cannot be read.
std::vector<PlaylistEntry> ReadPlaylist(const std::string& path);

// The ".zpl" text of the entries in the given order: a "<1.80>" header line, then one
// "path|BPM|total time|last played" line each, LF-terminated, in UTF-8. Null rows are skipped.
// The entries as they stand in the array, for a save in array order.
std::vector<const PlaylistEntry*> InArrayOrder(const std::vector<PlaylistEntry>& entries);
std::string FormatPlaylist(const std::vector<const PlaylistEntry*>& rowOrder);
// Writes FormatPlaylist to a temporary file beside path and renames it over path, so that a
// failed save leaves the old file as it was. False on any failure.
bool WritePlaylist(const std::string& path, const std::vector<const PlaylistEntry*>& rowOrder);

// The sum of the entries' total times in seconds (wrapping as the 32-bit total does).
uint32_t TotalSeconds(const std::vector<PlaylistEntry>& entries);
// The document title followed by "<h:mm:ss>" of the total, and " *" when modified. A title
// that already carries a total (it contains "<") has it replaced.
std::string PlaylistWindowTitle(std::string_view title, uint32_t totalSeconds, bool modified);

} // namespace playlists
