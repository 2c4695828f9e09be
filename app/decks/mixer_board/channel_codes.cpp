#include "app/decks/mixer_board/channel_codes.h"

namespace zem::board {

namespace {

int FirstDeckFrom(std::span<const DeckWindowEntry> windows, size_t start) {
    for (size_t i = start; i < windows.size(); ++i)
        if (windows[i].isDeck)
            return static_cast<int>(i);
    return -1;
}

int DeckOnChannel(std::span<const DeckWindowEntry> windows, int channel) {
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i].isDeck && windows[i].channel == channel)
            return static_cast<int>(i);
    return -1;
}

} // namespace

int ResolveChannelCode(int code, std::span<const DeckWindowEntry> windows, int faderA, int faderB) {
    if (windows.empty())
        return -1;
    if (code >= 0)
        return DeckOnChannel(windows, code);
    switch (code) {
    case kChannelActive:
        return FirstDeckFrom(windows, 0);
    case kChannelNext:
    case kChannelNextToo:
        // Below the active window: when it is a deck it is the active deck, and when it is
        // not, the first deck below it is the one meant.
        return FirstDeckFrom(windows, 1);
    case kChannelFaderLeft:
        return faderA == kNoFaderChannel ? -1 : DeckOnChannel(windows, faderA);
    case kChannelFaderRight:
        return faderB == kNoFaderChannel ? -1 : DeckOnChannel(windows, faderB);
    default:
        return -1;
    }
}

} // namespace zem::board
