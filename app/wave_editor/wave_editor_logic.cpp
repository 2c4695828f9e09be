#include "app/wave_editor/wave_editor_logic.h"

#include "engine/deck/mixer_device.h"

#include <algorithm>
#include <cmath>

namespace zem::waveedit {

WaveEditorLogic::WaveEditorLogic(MixerDevice* deck) {
    SetDeck(deck);
}

void WaveEditorLogic::SetDeck(MixerDevice* deck) {
    m_deck = deck;
    m_dragCue = -1;
    m_following = true;
    m_overview.ShowAll();
    m_zoom.ShowAll();
    SetTotalFrames(DeckLengthFrames());
}

void WaveEditorLogic::SetTotalFrames(int64_t frames) {
    m_overview.SetTotalFrames(frames);
    m_zoom.SetTotalFrames(frames);
}

int64_t WaveEditorLogic::DeckLengthFrames() const {
    return m_deck ? static_cast<int64_t>(m_deck->GetLength()) / bytesPerFrame() : 0;
}

void WaveEditorLogic::SetWidths(int overviewPixels, int zoomPixels) {
    m_overview.SetWidth(overviewPixels);
    m_overview.ShowAll();
    m_zoom.SetWidth(zoomPixels);
}

int64_t WaveEditorLogic::bytesPerFrame() const {
    const int align = m_deck ? m_deck->GetWaveFormatEx()->nBlockAlign : 0;
    // A deck without a song reports no format; its positions are 16-bit stereo then.
    return align > 0 ? align : 4;
}

int64_t WaveEditorLogic::PlayFrame() const {
    return m_deck ? static_cast<int64_t>(m_deck->GetPosition()) / bytesPerFrame() : 0;
}

std::vector<CueMark> WaveEditorLogic::Cues() const {
    std::vector<CueMark> cues;
    if (!m_deck)
        return cues;
    for (int cue = 0; cue < kCueCount; ++cue) {
        const StoredPosition* stored = m_deck->GetStoredPosition(cue);
        const long start = stored ? stored->start.load() : -1;
        if (start >= 0)
            cues.push_back({cue, static_cast<int64_t>(start) / bytesPerFrame()});
    }
    return cues;
}

std::optional<FrameSpan> WaveEditorLogic::LoopSpan() const {
    if (!m_deck)
        return std::nullopt;
    const StoredPosition* stored = m_deck->GetStoredPosition(m_deck->GetLoopSlot());
    if (!stored)
        return std::nullopt;
    const long start = std::max(0L, stored->start.load());
    const long end = stored->end.load();
    if (end < 0 || end <= start)
        return std::nullopt;
    return FrameSpan{start / bytesPerFrame(), end / bytesPerFrame()};
}

int WaveEditorLogic::CueAt(double x, double y) const {
    const std::vector<CueMark> cues = Cues();
    for (auto it = cues.rbegin(); it != cues.rend(); ++it) {
        const double line = m_zoom.PixelOf(static_cast<double>(it->frame));
        if (y >= 0 && y < kFlagHeight && x >= line && x < line + kFlagWidth)
            return it->cue;
    }
    int nearest = -1;
    double best = kLineSlack + 0.5;
    for (const CueMark& mark : cues) {
        const double distance = std::fabs(m_zoom.PixelOf(static_cast<double>(mark.frame)) - x);
        if (distance < best) {
            best = distance;
            nearest = mark.cue;
        }
    }
    return nearest;
}

void WaveEditorLogic::PressZoom(double x, double y) {
    if (!m_deck)
        return;
    const int cue = CueAt(x, y);
    if (cue >= 0) {
        m_dragCue = cue;
        const long start = m_deck->GetStoredPosition(cue)->start.load();
        m_dragOffset = x - m_zoom.PixelOf(static_cast<double>(start / bytesPerFrame()));
        return;
    }
    const int64_t total = GetTotalFrames();
    if (total <= 0)
        return;
    const auto frame = std::clamp<int64_t>(std::llround(m_zoom.FrameAt(x)), 0, total - 1);
    m_deck->SetPosition(static_cast<long>(frame * bytesPerFrame()), false);
    m_following = true;
}

void WaveEditorLogic::MoveZoom(double x) {
    if (m_dragCue >= 0)
        moveDraggedCue(x);
}

void WaveEditorLogic::ReleaseZoom(double x) {
    if (m_dragCue < 0)
        return;
    moveDraggedCue(x);
    m_dragCue = -1;
}

void WaveEditorLogic::moveDraggedCue(double x) {
    if (!m_deck)
        return;
    int64_t last = std::max<int64_t>(0, GetTotalFrames() - 1);
    // A loop's start stays before its end, or the loop would stop making sense.
    const long end = m_deck->GetStoredPosition(m_dragCue)->end.load();
    if (end >= 0)
        last = std::min(last, std::max<int64_t>(0, end / bytesPerFrame() - 1));
    const auto frame = std::clamp<int64_t>(std::llround(m_zoom.FrameAt(x - m_dragOffset)), 0, last);
    m_deck->StoreStoredPosition(m_dragCue, static_cast<unsigned long>(frame * bytesPerFrame()), 0);
}

void WaveEditorLogic::Wheel(double x, const WheelInput& wheel) {
    const bool scroll = wheel.shift || wheel.angleX != 0;
    if (scroll) {
        // A horizontal turn to the left (positive) goes back in the song, as in any
        // horizontally scrolled view; with Shift the vertical wheel scrolls the same way.
        const int angle = wheel.angleX != 0 ? wheel.angleX : wheel.angleY;
        m_zoom.ScrollBy(-angle / 120.0 * kScrollPerNotch * m_zoom.GetWidth());
    } else if (wheel.angleY != 0) {
        m_zoom.ZoomAround(x, std::pow(kZoomPerNotch, wheel.angleY / 120.0));
    } else {
        return;
    }
    m_following = false;
}

void WaveEditorLogic::PressOverview(double x) {
    m_zoom.CentreOn(m_overview.FrameAt(x));
    m_following = false;
}

void WaveEditorLogic::Tick() {
    if (!m_deck || m_dragCue >= 0)
        return;
    const auto play = static_cast<double>(PlayFrame());
    if (!m_following) {
        m_following = m_zoom.Contains(play);
        return;
    }
    if (!m_zoom.Contains(play))
        m_zoom.SetFirstFrame(play - m_zoom.GetVisibleFrames() * kFollowLead);
}

} // namespace zem::waveedit
