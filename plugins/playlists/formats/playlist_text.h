// Text helpers of the playlist files: the encoding of names, and paths whose separator may be
// "/" or "\" (playlists made on Windows use "\").
#pragma once

#include <string>
#include <string_view>

namespace playlists {

// Valid UTF-8 passes unchanged; anything else is read as Windows-1252 (what older playlists
// were written in) and converted byte by byte.
std::string ToUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

// The part after the last "/" or "\"; the whole path if it has none.
std::string_view FileNameOf(std::string_view path);
// The path up to and including the last "/" or "\"; empty if it has none.
std::string FolderOf(std::string_view path);
// Starts with "/" or contains ":" (a Windows drive or a URL).
bool IsAbsolute(std::string_view path);

} // namespace playlists
