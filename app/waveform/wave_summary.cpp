#include "app/waveform/wave_summary.h"

#include <algorithm>
#include <cmath>

namespace zem::wave {

namespace {

WaveBin MakeBin(int32_t min, int32_t max, double squares, uint32_t frames) {
    WaveBin bin;
    bin.min = static_cast<int16_t>(min);
    bin.max = static_cast<int16_t>(max);
    const double rms = frames ? std::sqrt(squares / frames) : 0.0;
    bin.rms = static_cast<uint16_t>(std::min(65535L, std::lround(rms)));
    return bin;
}

} // namespace

WaveSummary::WaveSummary(int sampleRate, int channels, uint64_t totalFrames)
    : m_sampleRate(sampleRate), m_channels(channels), m_totalFrames(totalFrames) {
    if (totalFrames)
        m_bins.reserve(static_cast<size_t>((totalFrames + kFramesPerBin - 1) / kFramesPerBin));
}

int WaveSummary::SampleRate() const {
    std::lock_guard lock(m_mutex);
    return m_sampleRate;
}

int WaveSummary::Channels() const {
    std::lock_guard lock(m_mutex);
    return m_channels;
}

uint64_t WaveSummary::TotalFrames() const {
    std::lock_guard lock(m_mutex);
    return m_totalFrames;
}

uint64_t WaveSummary::FramesRead() const {
    std::lock_guard lock(m_mutex);
    return m_framesRead;
}

bool WaveSummary::IsComplete() const {
    std::lock_guard lock(m_mutex);
    return m_complete;
}

bool WaveSummary::IsFailed() const {
    std::lock_guard lock(m_mutex);
    return m_failed;
}

size_t WaveSummary::BinCount() const {
    std::lock_guard lock(m_mutex);
    return m_bins.size() + (m_partialFrames ? 1 : 0);
}

std::vector<WaveBin> WaveSummary::Bins(size_t first, size_t count) const {
    std::lock_guard lock(m_mutex);
    const size_t have = m_bins.size() + (m_partialFrames ? 1 : 0);
    std::vector<WaveBin> out;
    if (first >= have)
        return out;
    const size_t end = have - first < count ? have : first + count;
    for (size_t i = first; i < end; ++i)
        out.push_back(i < m_bins.size()
                          ? m_bins[i]
                          : MakeBin(m_partialMin, m_partialMax, m_partialSquares, m_partialFrames));
    return out;
}

std::vector<WaveColumn> WaveSummary::Reduce(uint64_t first, uint64_t last, int columns) const {
    std::vector<WaveColumn> out(static_cast<size_t>(std::max(columns, 0)));
    if (columns <= 0 || last <= first)
        return out;
    std::lock_guard lock(m_mutex);
    const WaveBin partial = MakeBin(m_partialMin, m_partialMax, m_partialSquares, m_partialFrames);
    const uint64_t have = m_bins.size() + (m_partialFrames ? 1 : 0);
    const uint64_t span = last - first;
    for (int c = 0; c < columns; ++c) {
        const uint64_t from = first + span * static_cast<uint64_t>(c) / columns;
        uint64_t to = first + span * static_cast<uint64_t>(c + 1) / columns;
        if (to <= from)
            to = from + 1;
        if (from >= m_framesRead)
            break; // this and every later column lie beyond what has been read
        const uint64_t b0 = from / kFramesPerBin;
        const uint64_t b1 =
            std::min(have, std::max(b0 + 1, (to + kFramesPerBin - 1) / kFramesPerBin));
        WaveColumn& col = out[static_cast<size_t>(c)];
        for (uint64_t b = b0; b < b1; ++b) {
            const WaveBin& bin = b < m_bins.size() ? m_bins[static_cast<size_t>(b)] : partial;
            if (col.empty) {
                col.min = bin.min;
                col.max = bin.max;
                col.rms = bin.rms;
                col.empty = false;
            } else {
                col.min = std::min(col.min, bin.min);
                col.max = std::max(col.max, bin.max);
                col.rms = std::max(col.rms, bin.rms);
            }
        }
    }
    return out;
}

void WaveSummary::AddFrames(const int16_t* interleaved, size_t frames) {
    if (!frames)
        return;
    {
        std::lock_guard lock(m_mutex);
        const int channels = std::max(m_channels, 1);
        const int16_t* s = interleaved;
        for (size_t f = 0; f < frames; ++f) {
            int32_t sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += *s++;
            const int32_t mono = sum / channels;
            if (m_partialFrames == 0) {
                m_partialMin = m_partialMax = mono;
            } else {
                m_partialMin = std::min(m_partialMin, mono);
                m_partialMax = std::max(m_partialMax, mono);
            }
            m_partialSquares += static_cast<double>(mono) * mono;
            if (++m_partialFrames == kFramesPerBin)
                FlushPartialLocked();
        }
        m_framesRead += frames;
    }
    Touch();
}

void WaveSummary::FlushPartialLocked() {
    if (!m_partialFrames)
        return;
    m_bins.push_back(MakeBin(m_partialMin, m_partialMax, m_partialSquares, m_partialFrames));
    m_partialFrames = 0;
    m_partialSquares = 0.0;
}

void WaveSummary::SetTotalFrames(uint64_t frames) {
    {
        std::lock_guard lock(m_mutex);
        m_totalFrames = frames;
    }
    Touch();
}

void WaveSummary::SetFormat(int sampleRate, int channels, uint64_t totalFrames) {
    {
        std::lock_guard lock(m_mutex);
        m_sampleRate = sampleRate;
        m_channels = channels;
        m_totalFrames = totalFrames;
        m_bins.reserve(static_cast<size_t>((totalFrames + kFramesPerBin - 1) / kFramesPerBin));
    }
    Touch();
}

void WaveSummary::MarkComplete() {
    {
        std::lock_guard lock(m_mutex);
        FlushPartialLocked();
        m_totalFrames = m_framesRead;
        m_complete = true;
    }
    Touch();
}

void WaveSummary::MarkFailed() {
    {
        std::lock_guard lock(m_mutex);
        FlushPartialLocked();
        m_failed = true;
    }
    Touch();
}

void WaveSummary::RestoreBins(std::vector<WaveBin> bins, uint64_t framesRead) {
    {
        std::lock_guard lock(m_mutex);
        m_bins = std::move(bins);
        m_partialFrames = 0;
        m_partialSquares = 0.0;
        m_framesRead = framesRead;
    }
    Touch();
}

std::shared_ptr<WaveSummary> SummaryFromSamples(const int16_t* interleaved, uint64_t frames,
                                                int channels, int sampleRate) {
    auto summary = std::make_shared<WaveSummary>(sampleRate, channels, frames);
    summary->AddFrames(interleaved, static_cast<size_t>(frames));
    summary->MarkComplete();
    return summary;
}

} // namespace zem::wave
