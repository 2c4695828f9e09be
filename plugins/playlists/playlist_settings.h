// The plug-in's settings in the program's profile, section "Playlist". Each step reads them
// when it runs, so a change in the settings dialog takes effect at the next use.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj_ports.h"

class ZemProfile;

namespace playlists {

inline constexpr const char* kPlaylistSection = "Playlist";
inline constexpr const char* kPlacementEntry = "Placement";

struct PlaylistSettings {
    AutoDjSettings autoDj;
    bool autosave = true; // "Autosave"
};

PlaylistSettings ReadPlaylistSettings(ZemProfile& profile);
void WritePlaylistSettings(ZemProfile& profile, const PlaylistSettings& settings);

// A column's stored width ("Column <name>": "%d,%d", position and width); 0 when none is stored
// (the column then takes its default width). Writing 0 stores the default width.
int ReadColumnWidth(ZemProfile& profile, int column);
void WriteColumnWidth(ZemProfile& profile, int column, int width);

} // namespace playlists
