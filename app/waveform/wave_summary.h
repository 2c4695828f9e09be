// The waveform summary of a song: fixed bins of kFramesPerBin frames holding the min, max and
// RMS of the mono mix, filled front to back by a decoder thread while windows draw what has
// arrived so far. Shared between threads through std::shared_ptr; every call is thread-safe.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Mixer;

namespace zem::wave {

// Frames summarised by one bin.
inline constexpr uint32_t kFramesPerBin = 256;

// One bin of the mono mix, in 16-bit sample units. The mono sample of a frame is the sum of its
// channels divided by the channel count (truncated toward zero).
struct WaveBin {
    int16_t min = 0;
    int16_t max = 0;
    uint16_t rms = 0; // rounded square root of the mean of the squared mono samples
    bool operator==(const WaveBin&) const = default;
};

// One drawing column: the hull of the bins it covers. empty: no frame of it has been read (yet,
// or ever, when the decode failed or the range lies past the end).
struct WaveColumn {
    int16_t min = 0;
    int16_t max = 0;
    uint16_t rms = 0; // the largest bin RMS in the column
    bool empty = true;
    bool operator==(const WaveColumn&) const = default;
};

class WaveSummary {
public:
    // totalFrames: what the decoder expects (0 when unknown); the read may end before or after.
    WaveSummary(int sampleRate, int channels, uint64_t totalFrames);
    WaveSummary(const WaveSummary&) = delete;
    WaveSummary& operator=(const WaveSummary&) = delete;

    int SampleRate() const;
    int Channels() const;
    // The expected length; once complete, the frames actually read.
    uint64_t TotalFrames() const;
    uint64_t FramesRead() const;
    // Complete: read to the end. Failed: the decode stopped early; what was read stays. Done:
    // either; nothing will change any more.
    bool IsComplete() const;
    bool IsFailed() const;
    bool IsDone() const { return IsComplete() || IsFailed(); }

    // Rises on every change (new bins, end of the read). Cheap to poll from a UI timer.
    uint64_t Generation() const { return m_generation.load(std::memory_order_acquire); }

    // Bins that hold at least one frame; the last may be partial.
    size_t BinCount() const;
    // Copies of the bins [first, first + count) that exist.
    std::vector<WaveBin> Bins(size_t first = 0, size_t count = SIZE_MAX) const;

    // Reduces the frames [first, last) to `columns` equal columns for drawing. A column holds
    // every bin that overlaps its frame span (at least one); columns over unread frames are
    // empty.
    std::vector<WaveColumn> Reduce(uint64_t first, uint64_t last, int columns) const;

    // The producer side, one thread at a time: interleaved 16-bit frames in song order.
    void AddFrames(const int16_t* interleaved, size_t frames);
    void SetTotalFrames(uint64_t frames);
    // The decoded format, once the song is open (a summary handed out before that has none).
    void SetFormat(int sampleRate, int channels, uint64_t totalFrames);
    // Ends the read. Complete also makes TotalFrames the frames read.
    void MarkComplete();
    void MarkFailed();
    // The producer side of the cache reader: whole bins, then the frames they cover.
    void RestoreBins(std::vector<WaveBin> bins, uint64_t framesRead);

private:
    void FlushPartialLocked();
    void Touch() { m_generation.fetch_add(1, std::memory_order_acq_rel); }

    mutable std::mutex m_mutex;
    std::atomic<uint64_t> m_generation{0};
    int m_sampleRate;
    int m_channels;
    uint64_t m_totalFrames;
    uint64_t m_framesRead = 0;
    bool m_complete = false;
    bool m_failed = false;
    std::vector<WaveBin> m_bins;
    // The bin being filled: frames so far, running min/max/sum of squares.
    uint32_t m_partialFrames = 0;
    int32_t m_partialMin = 0;
    int32_t m_partialMax = 0;
    double m_partialSquares = 0.0;
};

// A complete summary of in-memory interleaved 16-bit samples.
std::shared_ptr<WaveSummary> SummaryFromSamples(const int16_t* interleaved, uint64_t frames,
                                                int channels, int sampleRate);

// The folder the summaries are cached in: "Waveforms" beside the song settings folder.
std::string DefaultWaveformCacheDir();

// Hands out summaries of song files: at once, complete from the cache when it holds a current
// one, else filling in on the loader's worker thread (which then writes the cache). Songs are
// decoded by the mixer's input modules into a buffer of the loader's own. A song asked for
// again while it is still being read gets the same summary.
class WaveSummaryLoader {
public:
    // cacheDir empty: no cache.
    WaveSummaryLoader(Mixer& mixer, std::string cacheDir);
    ~WaveSummaryLoader(); // abandons pending reads and joins the worker
    WaveSummaryLoader(const WaveSummaryLoader&) = delete;
    WaveSummaryLoader& operator=(const WaveSummaryLoader&) = delete;

    // Never null. A song no module reads, or that cannot be opened, ends up failed and empty.
    // A read is abandoned once nobody holds its summary any more.
    std::shared_ptr<const WaveSummary> Load(const std::string& songPath);

    // Blocks until every queued read has ended (tests, shutdown).
    void WaitIdle();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// The program's loader, on the program's mixer and DefaultWaveformCacheDir(); made on first use
// from the UI thread.
// Pre: AppContext().mixer is set; a different mixer than last time makes a new loader.
WaveSummaryLoader& ProgramWaveSummaryLoader();
// Ends the program's loader and its worker; the program calls it before its mixer goes.
void ShutdownProgramWaveSummaryLoader();

} // namespace zem::wave
