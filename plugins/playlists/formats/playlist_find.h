// Find in the playlist window: which row the find dialog's "Find Next" selects.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace playlists {

struct FindRequest {
    std::string text;
    bool down = true;
    bool wholeWord = false; // the text must be followed by a space
    bool matchCase = false;
};

inline constexpr const char* kFindWrapQuestion =
    "Reached end of files.  Continue searching at beginning?";

// fileCells: the "File" cell of each row in row order; firstSelected: -1 when nothing is
// selected. Searches from the row after (down) or before (up) the first selected one, or from
// row 0, for a cell containing the text. On running off the end it asks askWrap (the question
// kFindWrapQuestion; true = Yes) and goes on from the other end. Returns the row found or -1.
// Once every row has been looked at after a wrap, the search ends without asking again.
int FindRow(const std::vector<std::string>& fileCells, int firstSelected,
            const FindRequest& request, const std::function<bool()>& askWrap);

} // namespace playlists
