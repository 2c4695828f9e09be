// Summaries of known signals, bin by bin, and their reduction to drawing columns.
#include "app/waveform/wave_overview_logic.h"
#include "app/waveform/wave_summary.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zem::wave;

namespace {

// Stereo frames with the same value on both channels.
std::vector<int16_t> Stereo(const std::vector<int16_t>& mono) {
    std::vector<int16_t> out;
    for (int16_t v : mono) {
        out.push_back(v);
        out.push_back(v);
    }
    return out;
}

std::shared_ptr<WaveSummary> Ramp(int frames) {
    std::vector<int16_t> mono;
    for (int i = 0; i < frames; ++i)
        mono.push_back(static_cast<int16_t>(i - 512));
    return SummaryFromSamples(mono.data(), mono.size(), 1, 44100);
}

} // namespace

TEST(WaveSummary, BinsOfKnownSignals) {
    // Silence: every bin, the short last one too, is flat.
    const std::vector<int16_t> silence(2 * 1000, 0);
    auto s = SummaryFromSamples(silence.data(), 1000, 2, 44100);
    EXPECT_TRUE(s->IsComplete());
    EXPECT_FALSE(s->IsFailed());
    EXPECT_EQ(s->TotalFrames(), 1000u);
    EXPECT_EQ(s->Bins(), std::vector<WaveBin>(4, WaveBin{0, 0, 0}));

    // A full-scale square of one bin up, one bin down.
    std::vector<int16_t> square;
    for (int i = 0; i < 1024; ++i)
        square.push_back((i / 256) % 2 ? -32768 : 32767);
    s = SummaryFromSamples(Stereo(square).data(), 1024, 2, 48000);
    const WaveBin up{32767, 32767, 32767}, down{-32768, -32768, 32768};
    EXPECT_EQ(s->Bins(), (std::vector<WaveBin>{up, down, up, down}));
    // Faster than a bin: every bin spans the whole range.
    for (int i = 0; i < 1024; ++i)
        square[static_cast<size_t>(i)] = (i / 64) % 2 ? -32768 : 32767;
    s = SummaryFromSamples(Stereo(square).data(), 1024, 2, 48000);
    EXPECT_EQ(s->Bins(), std::vector<WaveBin>(4, (WaveBin{-32768, 32767, 32768})));

    // A ramp: each bin from its first to its last sample.
    s = Ramp(1024 + 10);
    const std::vector<WaveBin> bins = s->Bins();
    ASSERT_EQ(bins.size(), 5u);
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(bins[static_cast<size_t>(b)].min, 256 * b - 512) << b;
        EXPECT_EQ(bins[static_cast<size_t>(b)].max, 256 * b - 512 + 255) << b;
    }
    EXPECT_EQ(bins[4].min, 512);
    EXPECT_EQ(bins[4].max, 521);

    // The mono mix is the channels' sum over their count, truncated toward zero.
    const int16_t mixed[] = {1, -4, 7, 0, -7, 2};
    s = SummaryFromSamples(mixed, 3, 2, 44100);
    EXPECT_EQ(s->Bins()[0].min, -2);
    EXPECT_EQ(s->Bins()[0].max, 3);
}

TEST(WaveSummary, ReducesAnyRangeToColumns) {
    auto s = Ramp(1024);
    // One column per bin is the bin itself.
    std::vector<WaveColumn> c = s->Reduce(0, 1024, 4);
    const std::vector<WaveBin> bins = s->Bins();
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(c[i].empty);
        EXPECT_EQ(c[i].min, bins[i].min);
        EXPECT_EQ(c[i].max, bins[i].max);
        EXPECT_EQ(c[i].rms, bins[i].rms);
    }
    // Fewer columns take the hull of their bins.
    c = s->Reduce(0, 1024, 2);
    EXPECT_EQ(c[0].min, -512);
    EXPECT_EQ(c[0].max, -1);
    EXPECT_EQ(c[0].rms, std::max(bins[0].rms, bins[1].rms));
    EXPECT_EQ(c[1].min, 0);
    EXPECT_EQ(c[1].max, 511);
    // A range that straddles two bins covers both.
    c = s->Reduce(100, 300, 1);
    EXPECT_EQ(c[0].min, -512);
    EXPECT_EQ(c[0].max, -1);
    // Zoomed in past a bin each column shows the bin it lies in.
    c = s->Reduce(256, 512, 8);
    for (const WaveColumn& col : c) {
        EXPECT_EQ(col.min, -256);
        EXPECT_EQ(col.max, -1);
    }
    // Past the end there is nothing to draw.
    c = s->Reduce(0, 2048, 4);
    EXPECT_FALSE(c[1].empty);
    EXPECT_TRUE(c[2].empty);
    EXPECT_TRUE(c[3].empty);
    EXPECT_EQ(s->Reduce(0, 1024, 0).size(), 0u);
}

TEST(WaveSummary, ShowsProgressAndKeepsWhatWasReadOnFailure) {
    WaveSummary s(44100, 1, 1024);
    std::vector<int16_t> mono;
    for (int i = 0; i < 1024; ++i)
        mono.push_back(static_cast<int16_t>(i - 512));
    const uint64_t g0 = s.Generation();
    s.AddFrames(mono.data(), 300);
    EXPECT_GT(s.Generation(), g0);
    EXPECT_EQ(s.FramesRead(), 300u);
    EXPECT_FALSE(s.IsDone());
    EXPECT_EQ(s.BinCount(), 2u); // one whole, one being filled
    std::vector<WaveColumn> c = s.Reduce(0, 1024, 4);
    EXPECT_FALSE(c[0].empty);
    EXPECT_FALSE(c[1].empty);
    EXPECT_EQ(c[1].max, -512 + 299);
    EXPECT_TRUE(c[2].empty);
    EXPECT_TRUE(c[3].empty);
    s.MarkFailed();
    EXPECT_TRUE(s.IsFailed());
    EXPECT_FALSE(s.IsComplete());
    EXPECT_TRUE(s.IsDone());
    EXPECT_EQ(s.TotalFrames(), 1024u);
    EXPECT_EQ(s.Bins().size(), 2u);
    EXPECT_EQ(s.Bins()[1].min, -256);
}

TEST(WaveOverviewLogic, PlacesMarksAndRedrawsPeaksOnlyOnChange) {
    auto s = Ramp(1000);
    WaveOverviewLogic logic;
    logic.SetSummary(s);
    logic.SetSpan(1000);
    EXPECT_TRUE(logic.PeaksStale(100));
    const std::vector<WaveColumn> columns = logic.TakeColumns(100);
    EXPECT_EQ(columns.size(), 100u);
    EXPECT_FALSE(logic.PeaksStale(100));
    EXPECT_TRUE(logic.PeaksStale(101));
    logic.SetSpan(2000);
    EXPECT_TRUE(logic.PeaksStale(100));
    logic.TakeColumns(100);
    EXPECT_FALSE(logic.PeaksStale(100));

    OverviewMarks marks;
    marks.play = 500;
    EXPECT_TRUE(logic.SetMarks(marks));
    EXPECT_FALSE(logic.SetMarks(marks));
    EXPECT_EQ(logic.XOf(500, 100), 25);
    EXPECT_EQ(logic.XOf(1999, 100), 99);
    EXPECT_EQ(logic.XOf(5000, 100), 99);
    EXPECT_EQ(logic.XOf(-1, 100), -1);
    EXPECT_DOUBLE_EQ(WaveOverviewLogic::FractionAt(0, 101), 0.0);
    EXPECT_DOUBLE_EQ(WaveOverviewLogic::FractionAt(50, 101), 0.5);
    EXPECT_DOUBLE_EQ(WaveOverviewLogic::FractionAt(300, 101), 1.0);

    // Bins arriving make the peaks stale again.
    WaveSummary growing(44100, 1, 1000);
    auto shared = std::shared_ptr<WaveSummary>(&growing, [](WaveSummary*) {});
    logic.SetSummary(shared);
    logic.TakeColumns(100);
    const int16_t one = 5;
    growing.AddFrames(&one, 1);
    EXPECT_TRUE(logic.PeaksStale(100));
    logic.SetSummary(nullptr);
}
