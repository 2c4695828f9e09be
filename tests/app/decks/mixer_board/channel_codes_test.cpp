// Channel codes over the child windows in window order, the active one first.
#include "app/decks/mixer_board/channel_codes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zem::board;

namespace {

const DeckWindowEntry kBoard{false};
DeckWindowEntry Deck(int channel) {
    return {true, channel};
}

} // namespace

TEST(ChannelCodes, ActiveDeckWindowFirst) {
    // Active deck 2, then the board, then decks 0 and 1.
    const std::vector<DeckWindowEntry> w{Deck(2), kBoard, Deck(0), Deck(1)};
    EXPECT_EQ(ResolveChannelCode(-1, w, 0, 1), 0);
    EXPECT_EQ(ResolveChannelCode(-2, w, 0, 1), 2);
    EXPECT_EQ(ResolveChannelCode(-3, w, 0, 1), 2);
    EXPECT_EQ(ResolveChannelCode(-4, w, 0, 1), 2);
    EXPECT_EQ(ResolveChannelCode(-5, w, 0, 1), 3);
    EXPECT_EQ(ResolveChannelCode(1, w, 0, 1), 3);
    EXPECT_EQ(ResolveChannelCode(2, w, 0, 1), 0);
    EXPECT_EQ(ResolveChannelCode(7, w, 0, 1), -1);
    EXPECT_EQ(ResolveChannelCode(-6, w, 0, 1), -1);
}

TEST(ChannelCodes, ActiveWindowThatIsNoDeck) {
    const std::vector<DeckWindowEntry> w{kBoard, Deck(1), Deck(0)};
    // The first deck below the active window is both the active and the next deck.
    EXPECT_EQ(ResolveChannelCode(-1, w, 0, 1), 1);
    EXPECT_EQ(ResolveChannelCode(-2, w, 0, 1), 1);
    EXPECT_EQ(ResolveChannelCode(-3, w, 0, 1), 1);
}

TEST(ChannelCodes, NoneWhereNothingFits) {
    const std::vector<DeckWindowEntry> lone{Deck(0)};
    // Window order does not wrap round: nothing lies below the only deck.
    EXPECT_EQ(ResolveChannelCode(-2, lone, 0, 1), -1);
    EXPECT_EQ(ResolveChannelCode(-1, lone, 0, 1), 0);
    // An unassigned side, and a side whose deck has no window.
    EXPECT_EQ(ResolveChannelCode(-4, lone, -2, 0), -1);
    EXPECT_EQ(ResolveChannelCode(-5, lone, -2, 0), 0);
    EXPECT_EQ(ResolveChannelCode(-5, lone, 0, 3), -1);
    // Windows that are no decks, and no active window at all.
    const std::vector<DeckWindowEntry> boards{kBoard, kBoard};
    for (int code : {0, -1, -2, -3, -4, -5})
        EXPECT_EQ(ResolveChannelCode(code, boards, 0, 0), -1) << code;
    for (int code : {0, -1, -2, -3, -4, -5})
        EXPECT_EQ(ResolveChannelCode(code, {}, 0, 0), -1) << code;
}
