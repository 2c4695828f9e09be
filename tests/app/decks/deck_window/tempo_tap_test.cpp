// The tempo dialog: taps in, beats per minute out, and the closed dialog's tempo on the deck.
#include "app/decks/deck_window/tempo_tap.h"
#include "view_rig.h"

#include <gtest/gtest.h>

using namespace zem::deckwin;

TEST(TempoTap, BeatsPerMinuteOverTheTapsSoFar) {
    TempoTapper tap;
    EXPECT_EQ(tap.Tap(10000), 0.f) << "one tap has no interval";
    EXPECT_FLOAT_EQ(tap.Tap(10500), 120.f);
    EXPECT_FLOAT_EQ(tap.Tap(11000), 120.f);
    EXPECT_FLOAT_EQ(tap.Tap(11600), 112.5f); // 3 beats over 1.6 s
    tap.Reset();
    EXPECT_EQ(tap.GetTempo(), 0.f);
    tap.Tap(50000);
    EXPECT_FLOAT_EQ(tap.Tap(50400), 150.f);
    TempoTapper same; // taps in one millisecond give no tempo rather than infinity
    same.Tap(7);
    EXPECT_EQ(same.Tap(7), 0.f);
}

TEST(TempoTap, TextAndStoredTempo) {
    EXPECT_EQ(FormatTempo(112.5f), "112.50");
    EXPECT_FLOAT_EQ(ParseTempo("128.4"), 128.4f);
    EXPECT_EQ(ParseTempo("fast"), 0.f);
    ViewRig rig;
    StreamDevice* deck = rig.AddDeck(2, 0);
    deck->SetPitch(46305);
    StoreTappedTempo(*deck, 120.f);
    EXPECT_FLOAT_EQ(deck->GetBPMInfo()->baseTempo, 120.f);
    EXPECT_FLOAT_EQ(deck->GetBPMInfo()->currentTempo, 126.f) << "recomputed for the rate";
}
