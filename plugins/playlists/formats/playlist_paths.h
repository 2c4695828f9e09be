// The paths that adding files, dropping text and the open-file dialog hand to the playlist.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace playlists {

// Dropped text is a list of paths each followed by "|": every non-empty piece before a "|";
// text after the last "|" is ignored.
std::vector<std::string> SplitDropText(std::string_view text);
// The open-file dialog's buffer: every non-empty piece between "|"s, the last one included.
std::vector<std::string> SplitDialogPaths(std::string_view buffer);

// Adding a path: nothing when it does not exist; a folder: each of its entries (not "." or
// "..") as folder + "/" + name in name order, recursing into subfolders; anything else:
// add(path). Each folder is listed once (by device and inode), so a symbolic link back into
// a folder being added ends.
void ExpandPath(const std::string& path, const std::function<void(const std::string&)>& add);

} // namespace playlists
