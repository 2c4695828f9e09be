// The playlist plug-in's own texts and numbers: what it registers with the host and what it
// says to the user.
#pragma once

namespace playlists {

inline constexpr unsigned kZplResource = 134;
inline constexpr unsigned kM3uResource = 135;
inline constexpr const char* kZplDocString =
    "\nZEM Playlist\n\nZEM Playlist (*.zpl)\n.zpl\nZEM.Playlist.Document\nZEM Playlist Document";
inline constexpr const char* kM3uDocString =
    "\nZEM Playlist\n\nWinAMP Playlist (*.m3u)\n.m3u\nZEM.Playlist.Document\nZEM Playlist Document";

inline constexpr const char* kPluginDescription =
    "Playlist interface plugin\r\n\r\n- Auto DJ\r\n- Drag and drop support";
inline constexpr const char* kAboutFormat = "Playlist interface plugin Version %s";

inline constexpr const char* kCannotSaveM3u =
    "Cannot use \"Save\" to save a non-ZEM playlist.  You must save to standard .zpl format using "
    "\"Save as...\"";
inline constexpr const char* kConversionDone =
    "Conversion to .zpl format complete\n\nThis playlist was originally opened as a non-ZEM "
    "playlist.  In order to make/save further changes, you must close this playlist, and reload "
    "the recently created .zpl file";
inline constexpr const char* kRefreshingFormat = "Refreshing %s";
inline constexpr const char* kOpenErrorQuestion =
    "An error has occured while opening a new channel.  Continue?\n\nThis message can be turned "
    "off in Settings";

// Menu texts, in the menu's order.
inline constexpr const char* kMenuMarkNext = "&Mark file as next opened\tSpace";
inline constexpr const char* kMenuFadeToNext = "Fade to &next song\tCtrl+N";
inline constexpr const char* kMenuRefresh = "Re&fresh selected files";
inline constexpr const char* kMenuResetLastPlayed = "Reset LP &time on selected files";
inline constexpr const char* kMenuFind = "Find...\tCtrl+F";
inline constexpr const char* kMenuAddFiles = "Ad&d files...\tIns";
inline constexpr const char* kMenuRemove = "R&emove files\tDel";
inline constexpr const char* kMenuAutoDj = "&Auto DJ\tCtrl+A";
inline constexpr const char* kMenuRandomPlay = "Random &play";
inline constexpr const char* kMenuFile = "File";
inline constexpr const char* kMenuSave = "&Save";
inline constexpr const char* kMenuSaveAs = "Save &As...";
inline constexpr const char* kMenuEdit = "Edit";
inline constexpr const char* kMenuSelectAll = "Select &all";
inline constexpr const char* kMenuSelectNone = "Select &none";
inline constexpr const char* kMenuSettings = "Settings...";

} // namespace playlists
