// A deck source that delivers generated PCM: 16-bit stereo frames whose samples are a known
// function of the frame number, a configurable length, and availability the test can cut
// (to starve the deck). Positions and counters are atomics: the heartbeat reads while the
// test thread sets.
#pragma once

#include "engine/buffers/input_buffer.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

class TestSource : public DeviceInputBuffer {
public:
    static constexpr unsigned kFrameBytes = 4;

    explicit TestSource(unsigned long frames, unsigned long rate = 44100)
        : m_totalBytes(frames * kFrameBytes), m_rate(rate) {}

    // The sample of a frame: left and right differ, and no value repeats within 16384 frames.
    static int16_t Left(uint32_t frame) { return static_cast<int16_t>((frame * 2u) & 0x7FFF); }
    static int16_t Right(uint32_t frame) {
        return static_cast<int16_t>(-static_cast<int32_t>((frame * 2u + 1u) & 0x7FFF));
    }

    unsigned long GetBytesAvailable() override {
        const unsigned long left = m_totalBytes - std::min(m_totalBytes, m_pos.load());
        return std::min(left, m_availableCap.load());
    }

    bool FillBuffer(unsigned long& length, unsigned char* data) override {
        unsigned long pos = m_pos.load();
        unsigned long n = std::min(length, GetBytesAvailable());
        n -= n % kFrameBytes;
        auto* out = reinterpret_cast<int16_t*>(data);
        for (unsigned long i = 0; i < n / kFrameBytes; ++i) {
            const uint32_t frame = static_cast<uint32_t>(pos / kFrameBytes + i);
            out[2 * i] = Left(frame);
            out[2 * i + 1] = Right(frame);
        }
        pos += n;
        m_pos.store(pos);
        length = n;
        ++m_fills;
        return pos < m_totalBytes;
    }

    bool DoSetPosition(unsigned long position) override {
        m_pos.store(position - position % kFrameBytes);
        ++m_seeks;
        return true;
    }
    void Play() override { ++m_plays; }
    void Stop() override { ++m_stops; }
    void Prepare() override { ++m_prepares; }
    void UnPrepare() override { ++m_unprepares; }
    unsigned long GetLength() override { return m_totalBytes; }
    unsigned long GetTotalTime() override { return m_totalBytes / (m_rate * kFrameBytes); }
    void LoadFile(char*) override {
        m_waveFormat.nSamplesPerSec = static_cast<uint32_t>(m_rate);
        m_waveFormat.nAvgBytesPerSec = static_cast<uint32_t>(m_rate * kFrameBytes);
    }

    // Bytes readable at once; 0 starves the deck.
    void SetAvailableCap(unsigned long bytes) { m_availableCap.store(bytes); }
    unsigned long Position() const { return m_pos.load(); }

    std::atomic<int> m_fills{0}, m_seeks{0}, m_plays{0}, m_stops{0}, m_prepares{0}, m_unprepares{0};

private:
    const unsigned long m_totalBytes;
    const unsigned long m_rate;
    std::atomic<unsigned long> m_pos{0};
    std::atomic<unsigned long> m_availableCap{~0ul};
};
