// The four columns of the playlist window: their cell texts, how each sorts, and their
// "Column <name>" settings.
#pragma once

#include "plugins/playlists/formats/playlist_entry.h"

#include <string>
#include <string_view>
#include <vector>

namespace playlists {

enum class SortKind { TextCaseSensitive, TextCaseInsensitive, WholeNumber, TimeOfDay };

struct PlaylistColumn {
    const char* name;
    int defaultWidth; // pixels
    SortKind sort;
};

inline constexpr int kPlaylistColumnCount = 4;
inline constexpr int kFileColumn = 0;
inline constexpr int kBpmColumn = 1;
inline constexpr int kTotalTimeColumn = 2;
inline constexpr int kLastPlayedColumn = 3;
extern const PlaylistColumn kPlaylistColumns[kPlaylistColumnCount];

// File: the name after the last "/" or "\"; BPM: "%.2f"; Total time: "%2d:%02.2d" (minutes,
// seconds); Last played: local time "%I:%M %p", empty when 0. Always in the C locale. Empty for
// a column out of range.
std::string CellText(const PlaylistEntry& entry, int column);

// <0, 0 or >0 as a sorts before, with or after b ascending. WholeNumber compares the leading
// integers ("118.70" equals "118.20"; no number counts 0); TimeOfDay puts cells that are no
// time of day first, equal among themselves.
int CompareCells(SortKind kind, std::string_view a, std::string_view b);
// The minutes and seconds of the day (0 to 86399) that a "Last played" cell shows ("07:05 PM",
// also "19:05" or with seconds), or -1 when it shows none.
int ParseTimeOfDay(std::string_view text);

// Sorts rows (indices into entries) by the cell texts of column with its sort kind; stable, so
// equal cells keep their order in both directions. Indices out of range count as empty cells.
void SortRows(std::vector<int>& rows, const std::vector<PlaylistEntry>& entries, int column,
              bool ascending);

// The settings key of a column: "Column " followed by its name.
std::string ColumnKey(int column);
// "%d,%d": the column's position and width. False when the text does not start with both.
bool ParseColumnSetting(std::string_view text, int& position, int& width);
std::string FormatColumnSetting(int position, int width);

} // namespace playlists
