#include "plugins/playlists/formats/playlist_find.h"

#include <string_view>

namespace playlists {

namespace {

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

int FindRow(const std::vector<std::string>& fileCells, int firstSelected,
            const FindRequest& request, const std::function<bool()>& askWrap) {
    const int count = static_cast<int>(fileCells.size());
    if (count == 0)
        return -1;
    std::string needle = request.text;
    if (request.wholeWord)
        needle += ' ';
    if (!request.matchCase)
        needle = AsciiLower(needle);
    const auto matches = [&](int row) {
        const std::string& cell = fileCells[static_cast<size_t>(row)];
        return (request.matchCase ? cell : AsciiLower(cell)).find(needle) != std::string::npos;
    };

    const int step = request.down ? 1 : -1;
    int row = firstSelected < 0 ? 0 : firstSelected + step;
    bool wrapped = false;
    for (;;) {
        for (; row >= 0 && row < count; row += step)
            if (matches(row))
                return row;
        // A whole pass after a wrap found nothing: asking again could not change that.
        if (wrapped || !askWrap || !askWrap())
            return -1;
        wrapped = true;
        row = request.down ? 0 : count - 1;
    }
}

} // namespace playlists
