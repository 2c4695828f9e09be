#include "plugins/playlists/formats/playlist_paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>

namespace playlists {

namespace {

std::vector<std::string> Split(std::string_view text, bool keepLast) {
    std::vector<std::string> pieces;
    for (;;) {
        const size_t bar = text.find('|');
        if (bar == std::string_view::npos) {
            if (keepLast && !text.empty())
                pieces.emplace_back(text);
            return pieces;
        }
        if (bar > 0)
            pieces.emplace_back(text.substr(0, bar));
        text.remove_prefix(bar + 1);
    }
}

using FolderId = std::pair<dev_t, ino_t>;

std::vector<std::string> SortedNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

void Expand(const std::string& path, std::set<FolderId>& visited,
            const std::function<void(const std::string&)>& add) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return; // missing, or a link to nothing
    if (!S_ISDIR(st.st_mode)) {
        add(path);
        return;
    }
    if (!visited.insert({st.st_dev, st.st_ino}).second)
        return;
    const std::string prefix = path.ends_with('/') ? path : path + "/";
    for (const std::string& name : SortedNames(path))
        Expand(prefix + name, visited, add);
}

} // namespace

std::vector<std::string> SplitDropText(std::string_view text) {
    return Split(text, false);
}

std::vector<std::string> SplitDialogPaths(std::string_view buffer) {
    return Split(buffer, true);
}

void ExpandPath(const std::string& path, const std::function<void(const std::string&)>& add) {
    if (path.empty() || !add)
        return;
    std::set<FolderId> visited;
    Expand(path, visited, add);
}

} // namespace playlists
