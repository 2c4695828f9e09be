// The wave editor's view maths and mouse logic without a display. The deck is the engine's
// plain deck: its cue store is the real one; positions need a playing deck (see window_test).
#include "app/wave_editor/wave_editor_logic.h"
#include "app/wave_editor/wave_view_range.h"
#include "engine/deck/mixer_device.h"

#include <gtest/gtest.h>

using namespace zem::waveedit;

TEST(WaveViewRange, ZoomKeepsTheFrameUnderThePointer) {
    WaveViewRange view;
    view.SetTotalFrames(441000);
    view.SetWidth(800);
    EXPECT_DOUBLE_EQ(view.GetVisibleFrames(), 441000);
    for (double pixel : {100.0, 400.0, 733.0}) {
        const double under = view.FrameAt(pixel);
        view.ZoomAround(pixel, 4.0);
        EXPECT_NEAR(view.FrameAt(pixel), under, 1e-6) << pixel;
        view.ZoomAround(pixel, 1.25);
        EXPECT_NEAR(view.FrameAt(pixel), under, 1e-6) << pixel;
        view.ZoomAround(pixel, 0.5);
        EXPECT_NEAR(view.FrameAt(pixel), under, 1e-6) << pixel;
    }
    EXPECT_LT(view.GetVisibleFrames(), 441000);
    // Zooming out past the whole song stops at the whole song.
    view.ZoomAround(10, 0.001);
    EXPECT_DOUBLE_EQ(view.GetFirstFrame(), 0);
    EXPECT_DOUBLE_EQ(view.GetFramesPerPixel(), 441000.0 / 800);
    // Zooming in stops at eight pixels a frame.
    view.ZoomAround(400, 1e9);
    EXPECT_DOUBLE_EQ(view.GetFramesPerPixel(), WaveViewRange::kMinFramesPerPixel);
}

TEST(WaveViewRange, ScrollingStaysInsideTheSongAndPixelsRoundTrip) {
    WaveViewRange view;
    view.SetTotalFrames(100000);
    view.SetWidth(500);
    view.ZoomAround(0, 10); // 20 frames a pixel, 10000 shown
    EXPECT_DOUBLE_EQ(view.GetVisibleFrames(), 10000);
    view.ScrollBy(100);
    EXPECT_DOUBLE_EQ(view.GetFirstFrame(), 2000);
    view.ScrollBy(-1000);
    EXPECT_DOUBLE_EQ(view.GetFirstFrame(), 0);
    view.ScrollBy(1e6);
    EXPECT_DOUBLE_EQ(view.GetFirstFrame(), 90000);
    view.CentreOn(50000);
    EXPECT_DOUBLE_EQ(view.GetFirstFrame(), 45000);
    for (double pixel : {0.0, 1.5, 250.0, 499.0})
        EXPECT_NEAR(view.PixelOf(view.FrameAt(pixel)), pixel, 1e-9);
    for (double frame : {45000.0, 47321.0, 54999.0})
        EXPECT_NEAR(view.FrameAt(view.PixelOf(frame)), frame, 1e-9);
    // A longer song keeps the zoom; a view still showing everything grows with the song.
    view.SetTotalFrames(200000);
    EXPECT_DOUBLE_EQ(view.GetFramesPerPixel(), 20);
    WaveViewRange all;
    all.SetWidth(500);
    all.SetTotalFrames(1000);
    all.SetTotalFrames(100000);
    EXPECT_DOUBLE_EQ(all.GetVisibleFrames(), 100000);
}

namespace {

struct Rig {
    MixerDevice deck; // 16-bit stereo: four bytes a frame
    WaveEditorLogic logic{&deck};
    Rig() {
        logic.SetTotalFrames(100000);
        logic.SetWidths(1000, 1000); // the zoomed view: 100 frames a pixel
    }
    long Cue(int cue) { return deck.GetStoredPosition(cue)->start.load(); }
};

} // namespace

TEST(WaveEditorLogic, CueFlagsAreHitAndDraggedThroughTheDeck) {
    Rig rig;
    rig.deck.StoreStoredPosition(3, 20000 * 4, 0); // pixel 200
    rig.deck.StoreStoredPosition(4, 20500 * 4, 0); // pixel 205: its flag covers cue 3's
    ASSERT_EQ(rig.logic.Cues().size(), 2u);
    EXPECT_EQ(rig.logic.Cues()[0].frame, 20000);
    EXPECT_EQ(rig.logic.CueAt(203, 5), 3);
    EXPECT_EQ(rig.logic.CueAt(207, 5), 4);   // the later cue's flag is on top
    EXPECT_EQ(rig.logic.CueAt(198, 80), 3);  // near cue 3's line, low down
    EXPECT_EQ(rig.logic.CueAt(215, 80), -1); // past the lines and below the flags
    EXPECT_EQ(rig.logic.CueAt(150, 5), -1);

    // Taken by its flag's middle, cue 3 moves with the pointer, not to it.
    rig.logic.PressZoom(203, 5);
    EXPECT_EQ(rig.logic.GetDraggedCue(), 3);
    rig.logic.MoveZoom(303);
    EXPECT_EQ(rig.Cue(3), 30000 * 4);
    rig.logic.ReleaseZoom(403);
    EXPECT_EQ(rig.logic.GetDraggedCue(), -1);
    EXPECT_EQ(rig.Cue(3), 40000 * 4);
    EXPECT_EQ(rig.Cue(4), 20500 * 4);
    rig.logic.MoveZoom(600); // released: nothing follows the pointer
    EXPECT_EQ(rig.Cue(3), 40000 * 4);

    // Dragged off the view's start it stops at the song's start; a loop's start stays before
    // its end.
    rig.logic.PressZoom(403, 5);
    rig.logic.ReleaseZoom(-500);
    EXPECT_EQ(rig.Cue(3), 0);
    rig.deck.StoreStoredPosition(3, 60000 * 4, 1);
    rig.logic.PressZoom(2, 5);
    rig.logic.ReleaseZoom(900);
    EXPECT_EQ(rig.Cue(3), 59999 * 4);
    rig.deck.SetLoopSlot(3);
    ASSERT_TRUE(rig.logic.LoopSpan().has_value());
    EXPECT_EQ(rig.logic.LoopSpan()->start, 59999);
    EXPECT_EQ(rig.logic.LoopSpan()->end, 60000);
}

TEST(WaveEditorLogic, WheelOverviewAndFollowing) {
    Rig rig;
    const double under = rig.logic.GetZoom().FrameAt(300);
    rig.logic.Wheel(300, {0, 240, false}); // two notches in
    EXPECT_NEAR(rig.logic.GetZoom().GetFramesPerPixel(), 100 / 1.5625, 1e-9);
    EXPECT_NEAR(rig.logic.GetZoom().FrameAt(300), under, 1e-6);
    rig.logic.Wheel(300, {0, 120 * 20, false});
    const double first = rig.logic.GetZoom().GetFirstFrame();
    const double width = rig.logic.GetZoom().GetVisibleFrames();
    // Shift+wheel down and a horizontal turn to the right both go later by a tenth a notch.
    rig.logic.Wheel(300, {0, -120, true});
    EXPECT_NEAR(rig.logic.GetZoom().GetFirstFrame(), first + width / 10, 1e-6);
    rig.logic.Wheel(300, {-120, 0, false});
    EXPECT_NEAR(rig.logic.GetZoom().GetFirstFrame(), first + width / 5, 1e-6);
    EXPECT_NEAR(rig.logic.GetZoom().GetVisibleFrames(), width, 1e-9);

    // The overview shows the whole song: a click there centres the zoomed view.
    rig.logic.PressOverview(750);
    EXPECT_NEAR(rig.logic.GetZoom().GetFirstFrame() + width / 2, 75000, 1e-6);
    EXPECT_FALSE(rig.logic.IsFollowing());
    // The plain deck sits at 0, out of this view: it stays where the user put it.
    rig.logic.Tick();
    EXPECT_FALSE(rig.logic.IsFollowing());
    EXPECT_NEAR(rig.logic.GetZoom().GetFirstFrame() + width / 2, 75000, 1e-6);
    rig.logic.PressOverview(0);
    rig.logic.Tick();
    EXPECT_TRUE(rig.logic.IsFollowing());
}

namespace {

// The plain deck does not play; this one is wherever the test puts it.
class PlacedDeck : public MixerDevice {
public:
    unsigned long GetPosition() override { return position; }
    unsigned long position = 0;
};

} // namespace

TEST(WaveEditorLogic, TheZoomedViewTurnsThePageWithThePlayPosition) {
    PlacedDeck deck;
    WaveEditorLogic logic(&deck);
    logic.SetTotalFrames(100000);
    logic.SetWidths(1000, 1000);
    logic.Wheel(0, {0, 120 * 10, false}); // 1.25^10 = 9.31 in, from the start
    const double shown = logic.GetZoom().GetVisibleFrames();
    logic.PressZoom(500, 80); // also follows again
    EXPECT_TRUE(logic.IsFollowing());
    deck.position = static_cast<unsigned long>(shown - 10) * 4;
    logic.Tick();
    EXPECT_DOUBLE_EQ(logic.GetZoom().GetFirstFrame(), 0);
    const auto beyond = static_cast<unsigned long>(shown + 100);
    deck.position = beyond * 4;
    logic.Tick();
    EXPECT_NEAR(logic.GetZoom().GetFirstFrame(), beyond - shown * kFollowLead, 1e-6);
    // Scrolled back by the user (a width, stopped by the song's start), the view stays put
    // while the play position is out of it.
    logic.Wheel(0, {0, 120 * 10, true});
    logic.Tick();
    EXPECT_FALSE(logic.IsFollowing());
    EXPECT_DOUBLE_EQ(logic.GetZoom().GetFirstFrame(), 0);
}
