#include "plugins/playlists/formats/playlist_columns.h"

#include "plugins/playlists/formats/playlist_numbers.h"
#include "plugins/playlists/formats/playlist_text.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace playlists {

const PlaylistColumn kPlaylistColumns[kPlaylistColumnCount] = {
    {"File", 130, SortKind::TextCaseInsensitive},
    {"BPM", 50, SortKind::WholeNumber},
    {"Total time", 60, SortKind::TextCaseSensitive},
    {"Last played", 60, SortKind::TimeOfDay},
};

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int CompareText(std::string_view a, std::string_view b, bool matchCase) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(matchCase ? a[i] : AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(matchCase ? b[i] : AsciiLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int64_t WholeNumberOf(std::string_view text) {
    int64_t value = 0;
    ScanInt64(text.data(), text.data() + text.size(), value);
    return value;
}

template <typename T> int Compare3(T a, T b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

// Reads 1 or 2 digits at text[i]; -1 when there are none.
int Digits(std::string_view text, size_t& i, size_t maxDigits) {
    int value = -1;
    for (size_t n = 0; n < maxDigits && i < text.size() && text[i] >= '0' && text[i] <= '9';
         ++n, ++i)
        value = (value < 0 ? 0 : value * 10) + (text[i] - '0');
    return value;
}

void SkipSpaces(std::string_view text, size_t& i) {
    while (i < text.size() && text[i] == ' ')
        ++i;
}

} // namespace

std::string CellText(const PlaylistEntry& entry, int column) {
    std::string out;
    switch (column) {
    case kFileColumn:
        out = FileNameOf(entry.Path());
        break;
    case kBpmColumn:
        AppendFixed(out, entry.bpm, 2);
        break;
    case kTotalTimeColumn: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%2d:%.2d", entry.totalTime / 60, entry.totalTime % 60);
        out = buf;
        break;
    }
    case kLastPlayedColumn: {
        if (entry.lastPlayed == 0)
            break;
        const time_t when = entry.lastPlayed;
        struct tm local {};
        if (!localtime_r(&when, &local))
            break;
        // "%I:%M %p" by hand: strftime's "%p" follows LC_TIME and is empty in many locales,
        // which would leave the text unsortable.
        const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d %s", hour12, local.tm_min,
                      local.tm_hour < 12 ? "AM" : "PM");
        out = buf;
        break;
    }
    default:
        break;
    }
    return out;
}

int ParseTimeOfDay(std::string_view text) {
    size_t i = 0;
    SkipSpaces(text, i);
    const int hour = Digits(text, i, 2);
    if (hour < 0 || i >= text.size() || text[i] != ':')
        return -1;
    ++i;
    const size_t minuteStart = i;
    const int minute = Digits(text, i, 2);
    if (minute < 0 || minute > 59 || i - minuteStart != 2)
        return -1;
    int second = 0;
    if (i < text.size() && text[i] == ':') {
        ++i;
        const size_t secondStart = i;
        second = Digits(text, i, 2);
        if (second < 0 || second > 59 || i - secondStart != 2)
            return -1;
    }
    SkipSpaces(text, i);
    int hour24 = hour;
    if (i + 2 <= text.size() && (AsciiLower(text[i + 1]) == 'm') &&
        (AsciiLower(text[i]) == 'a' || AsciiLower(text[i]) == 'p')) {
        if (hour < 1 || hour > 12)
            return -1;
        hour24 = hour % 12 + (AsciiLower(text[i]) == 'p' ? 12 : 0);
        i += 2;
        SkipSpaces(text, i);
    } else if (hour > 23) {
        return -1;
    }
    if (i != text.size())
        return -1;
    return (hour24 * 60 + minute) * 60 + second;
}

int CompareCells(SortKind kind, std::string_view a, std::string_view b) {
    switch (kind) {
    case SortKind::TextCaseSensitive:
        return CompareText(a, b, true);
    case SortKind::TextCaseInsensitive:
        return CompareText(a, b, false);
    case SortKind::WholeNumber:
        return Compare3(WholeNumberOf(a), WholeNumberOf(b));
    case SortKind::TimeOfDay:
        // Unparsable is -1, before every time of day.
        return Compare3(ParseTimeOfDay(a), ParseTimeOfDay(b));
    }
    return 0;
}

void SortRows(std::vector<int>& rows, const std::vector<PlaylistEntry>& entries, int column,
              bool ascending) {
    if (column < 0 || column >= kPlaylistColumnCount)
        return;
    const SortKind kind = kPlaylistColumns[column].sort;
    // Each row's cell and its numeric key once, not once per comparison.
    struct Key {
        std::string text;
        int64_t number = 0;
        int row = 0;
    };
    std::vector<Key> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const int index = rows[i];
        Key& key = keys[i];
        key.row = index;
        if (index >= 0 && static_cast<size_t>(index) < entries.size())
            key.text = CellText(entries[static_cast<size_t>(index)], column);
        if (kind == SortKind::WholeNumber)
            key.number = WholeNumberOf(key.text);
        else if (kind == SortKind::TimeOfDay)
            key.number = ParseTimeOfDay(key.text);
    }
    const auto compare = [kind](const Key& a, const Key& b) {
        switch (kind) {
        case SortKind::TextCaseSensitive:
            return CompareText(a.text, b.text, true);
        case SortKind::TextCaseInsensitive:
            return CompareText(a.text, b.text, false);
        default:
            return Compare3(a.number, b.number);
        }
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        const int c = compare(a, b);
        return ascending ? c < 0 : c > 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keys[i].row;
}

std::string ColumnKey(int column) {
    if (column < 0 || column >= kPlaylistColumnCount)
        return std::string();
    return std::string("Column ") + kPlaylistColumns[column].name;
}

bool ParseColumnSetting(std::string_view text, int& position, int& width) {
    const char* end = text.data() + text.size();
    int32_t p = 0, w = 0;
    const char* next = ScanInt32(text.data(), end, p);
    if (!next || next == end || *next != ',')
        return false;
    if (!ScanInt32(next + 1, end, w))
        return false;
    position = p;
    width = w;
    return true;
}

std::string FormatColumnSetting(int position, int width) {
    std::string out;
    AppendInt(out, position);
    out += ',';
    AppendInt(out, width);
    return out;
}

} // namespace playlists
