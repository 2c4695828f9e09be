#include "plugins/playlists/playlist_settings.h"

#include "app/framework/zem_profile.h"
#include "plugins/playlists/formats/playlist_columns.h"

namespace playlists {

namespace {

constexpr const char* kStartFading = "Default start fading";
constexpr const char* kFadeAtCue9 = "Fade at cue 9";
constexpr const char* kFadeFor = "Default fade for";
constexpr const char* kPlayOnInitialOn = "Play on initial AutoDJ on";
constexpr const char* kPromptOnError = "Prompt on error";
constexpr const char* kAutosave = "Autosave";

} // namespace

PlaylistSettings ReadPlaylistSettings(ZemProfile& profile) {
    PlaylistSettings s;
    const auto get = [&](const char* key, int def) {
        return profile.GetProfileInt(kPlaylistSection, key, def);
    };
    s.autoDj.startFadingSeconds = get(kStartFading, 15);
    s.autoDj.fadeAtCue9 = get(kFadeAtCue9, 1) != 0;
    s.autoDj.fadeSeconds = get(kFadeFor, 7);
    s.autoDj.playOnInitialOn = get(kPlayOnInitialOn, 1) != 0;
    s.autoDj.promptOnError = get(kPromptOnError, 1) != 0;
    s.autosave = get(kAutosave, 1) != 0;
    return s;
}

void WritePlaylistSettings(ZemProfile& profile, const PlaylistSettings& s) {
    const auto put = [&](const char* key, int value) {
        profile.WriteProfileInt(kPlaylistSection, key, value);
    };
    put(kStartFading, s.autoDj.startFadingSeconds);
    put(kFadeAtCue9, s.autoDj.fadeAtCue9);
    put(kFadeFor, s.autoDj.fadeSeconds);
    put(kPlayOnInitialOn, s.autoDj.playOnInitialOn);
    put(kPromptOnError, s.autoDj.promptOnError);
    put(kAutosave, s.autosave);
}

int ReadColumnWidth(ZemProfile& profile, int column) {
    const std::string text = profile.GetProfileString(kPlaylistSection, ColumnKey(column), "");
    int position = 0, width = 0;
    if (!ParseColumnSetting(text, position, width) || width <= 0)
        return 0;
    return width;
}

void WriteColumnWidth(ZemProfile& profile, int column, int width) {
    profile.WriteProfileString(
        kPlaylistSection, ColumnKey(column),
        FormatColumnSetting(column, width > 0 ? width : kPlaylistColumns[column].defaultWidth));
}

} // namespace playlists
