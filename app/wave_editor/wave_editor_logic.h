// What the wave editor window does, without a display: the overview and zoomed views over the
// deck's song, the deck's play position, cue points and loop in frames, and what the mouse does
// to them. Clicking the zoomed view sets the deck's position, dragging a cue's flag moves that
// cue through the deck's cue store (so the song's settings file keeps it on eject), the wheel
// zooms around the pointer or scrolls, and the overview moves the zoomed view.
//
// Threads: the user-interface thread only. The deck's stored positions are atomics the
// playback heartbeat reads, so moving a cue while the deck plays is safe.
#pragma once

#include "app/wave_editor/wave_view_range.h"

#include <cstdint>
#include <optional>
#include <vector>

class MixerDevice;

namespace zem::waveedit {

inline constexpr int kCueCount = 10;
// A cue is drawn as a line with a numbered flag at the top of the zoomed view; the flag is what
// the mouse takes hold of.
inline constexpr int kFlagWidth = 14;
inline constexpr int kFlagHeight = 14;
// How near the line itself counts as on it, in pixels either side.
inline constexpr int kLineSlack = 3;
// One wheel notch (120 units) zooms by this factor or scrolls a tenth of the width.
inline constexpr double kZoomPerNotch = 1.25;
inline constexpr double kScrollPerNotch = 0.1;
// After following the play position off the view's end, it shows again this far in.
inline constexpr double kFollowLead = 0.1;

struct CueMark {
    int cue;
    int64_t frame;
};

struct FrameSpan {
    int64_t start;
    int64_t end;
};

struct WheelInput {
    int angleX = 0; // the wheel's horizontal turn (a tilt wheel or touch pad)
    int angleY = 0;
    bool shift = false;
};

class WaveEditorLogic {
public:
    explicit WaveEditorLogic(MixerDevice* deck = nullptr);

    // Another deck, or the same deck with another song: shows all of it again.
    void SetDeck(MixerDevice* deck);
    MixerDevice* GetDeck() const { return m_deck; }
    // The song's length in frames; the summary may know it before the deck does.
    void SetTotalFrames(int64_t frames);
    int64_t GetTotalFrames() const { return m_zoom.GetTotalFrames(); }
    // The deck's song length in frames (0 without a deck).
    int64_t DeckLengthFrames() const;
    void SetWidths(int overviewPixels, int zoomPixels);

    const WaveViewRange& GetOverview() const { return m_overview; }
    const WaveViewRange& GetZoom() const { return m_zoom; }

    // What the deck holds, in frames.
    int64_t PlayFrame() const;
    std::vector<CueMark> Cues() const;
    std::optional<FrameSpan> LoopSpan() const;

    // The cue whose flag or line is at (x, y) in the zoomed view, or -1. Later cues are drawn
    // over earlier ones, so they win where flags overlap.
    int CueAt(double x, double y) const;

    // The zoomed view's mouse. A press on a cue takes hold of it, anywhere else sets the deck's
    // position there.
    void PressZoom(double x, double y);
    void MoveZoom(double x);
    void ReleaseZoom(double x);
    // The cue being dragged, or -1.
    int GetDraggedCue() const { return m_dragCue; }
    void Wheel(double x, const WheelInput& wheel);

    // A press or drag in the overview centres the zoomed view there.
    void PressOverview(double x);

    // Called by the window's timer: the zoomed view keeps the play position in sight while it
    // follows; a view the user moved away follows again once the play position is back in it.
    void Tick();
    bool IsFollowing() const { return m_following; }

private:
    int64_t bytesPerFrame() const;
    void moveDraggedCue(double x);

    MixerDevice* m_deck = nullptr;
    WaveViewRange m_overview;
    WaveViewRange m_zoom;
    int m_dragCue = -1;
    // Where on the flag the pointer took hold, so the cue does not jump to the pointer.
    double m_dragOffset = 0;
    bool m_following = true;
};

} // namespace zem::waveedit
