#include "app/waveform/wave_overview_logic.h"

#include "engine/deck/mixer_device.h"

#include <algorithm>

namespace zem::wave {

namespace {

int64_t FrameOf(long bytes, unsigned frameBytes) {
    return bytes < 0 ? -1 : static_cast<int64_t>(bytes) / frameBytes;
}

unsigned FrameBytesOf(MixerDevice& deck) {
    const unsigned align = deck.GetWaveFormatEx()->nBlockAlign;
    return align ? align : 4;
}

} // namespace

OverviewMarks MarksOfDeck(MixerDevice& deck) {
    const unsigned frameBytes = FrameBytesOf(deck);
    OverviewMarks marks;
    marks.play = static_cast<int64_t>(deck.GetPosition() / frameBytes);
    for (int i = 0; i < kCueCount; ++i)
        if (StoredPosition* stored = deck.GetStoredPosition(i))
            marks.cues[static_cast<size_t>(i)] = FrameOf(stored->start.load(), frameBytes);
    const int slot = deck.GetLoopSlot();
    if (slot >= 0 && slot < kCueCount)
        if (StoredPosition* stored = deck.GetStoredPosition(slot)) {
            const long start = stored->start.load();
            const long end = stored->end.load();
            if (start >= 0 && end > start) {
                marks.loopFrom = FrameOf(start, frameBytes);
                marks.loopTo = FrameOf(end, frameBytes);
            }
        }
    return marks;
}

uint64_t SpanOfDeck(MixerDevice& deck) {
    return deck.GetLength() / FrameBytesOf(deck);
}

void WaveOverviewLogic::SetSummary(std::shared_ptr<const WaveSummary> summary) {
    m_summary = std::move(summary);
}

uint64_t WaveOverviewLogic::Span() const {
    if (m_span)
        return m_span;
    return m_summary ? m_summary->TotalFrames() : 0;
}

bool WaveOverviewLogic::SetMarks(const OverviewMarks& marks) {
    if (marks == m_marks)
        return false;
    m_marks = marks;
    return true;
}

bool WaveOverviewLogic::PeaksStale(int width) const {
    return width != m_drawnWidth || Span() != m_drawnSpan || m_summary.get() != m_drawnSummary ||
           (m_summary && m_summary->Generation() != m_drawnGeneration);
}

std::vector<WaveColumn> WaveOverviewLogic::TakeColumns(int width) {
    m_drawnWidth = width;
    m_drawnSpan = Span();
    m_drawnSummary = m_summary.get();
    if (!m_summary || width <= 0) {
        m_drawnGeneration = 0;
        return std::vector<WaveColumn>(static_cast<size_t>(std::max(width, 0)));
    }
    // The generation before the read, so that bins arriving meanwhile draw next time.
    m_drawnGeneration = m_summary->Generation();
    return m_summary->Reduce(0, m_drawnSpan, width);
}

int WaveOverviewLogic::XOf(int64_t frame, int width) const {
    const uint64_t span = Span();
    if (frame < 0 || span == 0 || width <= 0)
        return -1;
    const uint64_t x = static_cast<uint64_t>(frame) * static_cast<uint64_t>(width) / span;
    return static_cast<int>(std::min<uint64_t>(x, static_cast<uint64_t>(width - 1)));
}

double WaveOverviewLogic::FractionAt(int x, int width) {
    if (width <= 1)
        return 0.0;
    return std::clamp(static_cast<double>(x) / (width - 1), 0.0, 1.0);
}

} // namespace zem::wave
