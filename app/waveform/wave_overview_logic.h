// The drawing maths of a deck's waveform overview: the whole song across the widget's width,
// with the play position, the ten cue points and the active loop as frame positions.
#pragma once

#include "app/waveform/wave_summary.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class MixerDevice;

namespace zem::wave {

inline constexpr int kCueCount = 10;

// Frames of the song; -1: not set.
struct OverviewMarks {
    int64_t play = -1;
    std::array<int64_t, kCueCount> cues{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int64_t loopFrom = -1;
    int64_t loopTo = -1;
    bool operator==(const OverviewMarks&) const = default;
};

// What the deck shows now: its position, set cue points, and the loop of its loop slot.
OverviewMarks MarksOfDeck(MixerDevice& deck);
// The deck's song length in frames.
uint64_t SpanOfDeck(MixerDevice& deck);

class WaveOverviewLogic {
public:
    // Null shows nothing.
    void SetSummary(std::shared_ptr<const WaveSummary> summary);
    const std::shared_ptr<const WaveSummary>& Summary() const { return m_summary; }
    // The frames across the width; 0 takes the summary's total.
    void SetSpan(uint64_t frames) { m_span = frames; }
    uint64_t Span() const;
    // True when the marks differ from the last ones.
    bool SetMarks(const OverviewMarks& marks);
    const OverviewMarks& Marks() const { return m_marks; }

    // The peaks drawn for this width are out of date: new bins, another width or span.
    bool PeaksStale(int width) const;
    // The columns to draw now; afterwards PeaksStale is false until something changes.
    std::vector<WaveColumn> TakeColumns(int width);

    // The column a frame falls in, or -1 when it is unset or there is no span.
    int XOf(int64_t frame, int width) const;
    // Where a click at x lands, as a share of the song (0 to 1).
    static double FractionAt(int x, int width);

private:
    std::shared_ptr<const WaveSummary> m_summary;
    uint64_t m_span = 0;
    OverviewMarks m_marks;
    // What the last columns were made from.
    uint64_t m_drawnGeneration = 0;
    int m_drawnWidth = -1;
    uint64_t m_drawnSpan = 0;
    const WaveSummary* m_drawnSummary = nullptr;
};

} // namespace zem::wave
