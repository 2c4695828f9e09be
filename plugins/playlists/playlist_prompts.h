// The message boxes and the save dialog the playlist shows, as replaceable functions: Qt's by
// default, a test's answers in tests.
//
// Thread: the window's thread only.
#pragma once

#include <functional>
#include <string>

namespace playlists {

struct PlaylistPrompts {
    std::function<void(const std::string& text)> message;
    std::function<bool(const std::string& text)> askYesNo;
    // The chosen path, or empty on Cancel.
    std::function<std::string(const std::string& title, const std::string& proposed,
                              const std::string& filter)>
        saveFileName;
};

PlaylistPrompts& Prompts();

} // namespace playlists
