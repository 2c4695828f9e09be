#include "plugins/playlists/formats/playlist_format.h"

#include "plugins/playlists/formats/playlist_numbers.h"
#include "plugins/playlists/formats/playlist_text.h"

#include <algorithm>

namespace playlists {

namespace {

// How many fields follow the path on an entry line.
enum class Fields { Bpm, BpmTime, BpmTimeLastPlayed };

struct Layout {
    bool zpl = false;
    char separator = ',';
    Fields fields = Fields::Bpm;
    std::string folder;
};

// The lines of a text; LF ends a line, a CR before it belongs to the line end.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& line) {
        if (done_)
            return false;
        const size_t lf = rest_.find('\n');
        if (lf == std::string_view::npos) {
            line = rest_;
            done_ = true;
        } else {
            line = rest_.substr(0, lf);
            rest_.remove_prefix(lf + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
        }
        return true;
    }

private:
    std::string_view rest_;
    bool done_ = false;
};

// The sscanf fields of a ".zpl" line: "%f", "%f|%ld" or "%f|%ld|%ld". Conversion stops at the
// first field that does not parse; the fields after it stay 0.
void ParseFields(std::string_view text, Fields fields, PlaylistEntry& entry) {
    float bpm = -1.0f;
    const char* end = text.data() + text.size();
    const char* p = ScanFloat(text.data(), end, bpm);
    if (p && fields != Fields::Bpm && p < end && *p == '|') {
        p = ScanInt32(p + 1, end, entry.totalTime);
        if (p && fields == Fields::BpmTimeLastPlayed && p < end && *p == '|')
            ScanInt32(p + 1, end, entry.lastPlayed);
    }
    // -1 (written by nothing but "unknown") or no BPM at all: look the information up later.
    if (bpm != -1.0f) {
        entry.bpm = bpm;
        entry.infoPending = false;
    }
}

void ParseEntryLine(std::string_view line, const Layout& layout,
                    std::vector<PlaylistEntry>& entries) {
    if (line.empty() || (!layout.zpl && line.front() == '#'))
        return;
    const size_t cut = line.find(layout.separator);
    std::string_view path = line.substr(0, cut);
    path = path.substr(0, path.find('\0')); // a file name ends at a NUL

    std::string full;
    if (IsAbsolute(path)) {
        full = path;
    } else {
        // Relative to the playlist's folder; subfolders written on Windows use "\".
        full.reserve(layout.folder.size() + path.size());
        full = layout.folder;
        for (char c : path)
            full += c == '\\' ? '/' : c;
    }
    PlaylistEntry entry;
    if (full.empty() || !entry.SetPath(full))
        return;
    if (layout.zpl && cut != std::string_view::npos)
        ParseFields(line.substr(cut + 1), layout.fields, entry);
    entries.push_back(entry);
}

} // namespace

bool IsZplPath(std::string_view path) {
    const size_t dot = path.rfind('.');
    return dot != std::string_view::npos && path.substr(dot) == ".zpl";
}

std::vector<PlaylistEntry> ParsePlaylist(std::string_view bytes, std::string_view playlistPath) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    const std::string text = ToUtf8(bytes);

    Layout layout;
    layout.zpl = IsZplPath(playlistPath);
    layout.folder = FolderOf(playlistPath);

    std::vector<PlaylistEntry> entries;
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line))
        return entries;
    if (layout.zpl && line.starts_with('<')) {
        std::string_view version = line.substr(1);
        version = version.substr(0, version.find('>'));
        layout.separator = '|';
        layout.fields = version == kPlaylistVersion ? Fields::BpmTimeLastPlayed : Fields::BpmTime;
    } else {
        ParseEntryLine(line, layout, entries);
    }
    while (lines.Next(line))
        ParseEntryLine(line, layout, entries);
    return entries;
}

std::vector<const PlaylistEntry*> InArrayOrder(const std::vector<PlaylistEntry>& entries) {
    std::vector<const PlaylistEntry*> order;
    order.reserve(entries.size());
    for (const PlaylistEntry& e : entries)
        order.push_back(&e);
    return order;
}

std::string FormatPlaylist(const std::vector<const PlaylistEntry*>& rowOrder) {
    std::string out;
    out.reserve(16 + rowOrder.size() * 80);
    out += '<';
    out += kPlaylistVersion;
    out += ">\n";
    for (const PlaylistEntry* entry : rowOrder) {
        if (!entry)
            continue;
        out += entry->Path();
        out += '|';
        AppendFixed(out, entry->bpm, 6);
        out += '|';
        AppendInt(out, entry->totalTime);
        out += '|';
        AppendInt(out, entry->lastPlayed);
        out += '\n';
    }
    return out;
}

uint32_t TotalSeconds(const std::vector<PlaylistEntry>& entries) {
    uint32_t total = 0;
    for (const PlaylistEntry& entry : entries)
        total += static_cast<uint32_t>(std::max<int32_t>(entry.totalTime, 0)); // a file's -5
    return total;
}

std::string PlaylistWindowTitle(std::string_view title, uint32_t totalSeconds, bool modified) {
    std::string out(title);
    const size_t old = out.find('<');
    if (old != std::string::npos)
        out.erase(old);
    else
        out += "   ";
    out += '<';
    AppendInt(out, totalSeconds / 3600);
    out += ':';
    const uint32_t minutes = totalSeconds / 60 % 60;
    const uint32_t seconds = totalSeconds % 60;
    out += static_cast<char>('0' + minutes / 10);
    out += static_cast<char>('0' + minutes % 10);
    out += ':';
    out += static_cast<char>('0' + seconds / 10);
    out += static_cast<char>('0' + seconds % 10);
    out += '>';
    if (modified)
        out += " *";
    return out;
}

} // namespace playlists
