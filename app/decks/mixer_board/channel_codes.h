// Which deck window a channel code names. Codes of 0 or more name the deck on that engine
// channel; -1 the active deck; -2 and -3 the deck after it; -4 and -5 the decks on the
// crossfader's left and right sides.
#pragma once

#include <span>

namespace zem::board {

// One child window of the workspace.
struct DeckWindowEntry {
    bool isDeck;     // its active view is a deck view
    int channel = 0; // the deck's engine channel, when it is a deck
};

inline constexpr int kChannelActive = -1;
inline constexpr int kChannelNext = -2;
inline constexpr int kChannelNextToo = -3;
inline constexpr int kChannelFaderLeft = -4;
inline constexpr int kChannelFaderRight = -5;
// What an unassigned crossfader side holds.
inline constexpr int kNoFaderChannel = -2;

// windows: the child windows in window order, the active one first (each next one is the one
// below the previous); empty when there is no active child window. faderA and faderB are the
// mixer's fader channels. The answer is the index of the deck's window in windows, or -1 for
// none.
int ResolveChannelCode(int code, std::span<const DeckWindowEntry> windows, int faderA, int faderB);

} // namespace zem::board
