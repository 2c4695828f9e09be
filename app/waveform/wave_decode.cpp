#include "app/waveform/wave_decode.h"

#include "engine/buffers/input_buffer.h"
#include "platform/clock.h"

#include <vector>

namespace zem::wave {

namespace {

constexpr unsigned long kChunkBytes = 64 * 1024;

// Ends the buffer's playback however the read ends.
struct Playing {
    DeviceInputBuffer& buffer;
    bool prepared = false;
    ~Playing() {
        if (!prepared)
            return;
        buffer.Stop();
        buffer.SetEvWantStop(true);
        buffer.UnPrepare();
    }
};

} // namespace

DecodeEnd DecodeSong(DeviceInputBuffer& buffer, const std::string& path,
                     const std::weak_ptr<WaveSummary>& weak, const std::atomic<bool>& stop) {
    const auto fail = [&weak] {
        if (auto s = weak.lock()) {
            s->MarkFailed();
            return DecodeEnd::kFailed;
        }
        return DecodeEnd::kAbandoned;
    };
    WAVEFORMATEX format{};
    try {
        std::string name = path;
        buffer.LoadFile(name.data());
        buffer.GetWaveFormat(&format);
    } catch (...) {
        return fail();
    }
    const unsigned frameBytes = format.nBlockAlign;
    if (format.wBitsPerSample != 16 || format.nChannels == 0 ||
        frameBytes != format.nChannels * 2u || format.nSamplesPerSec == 0)
        return fail();
    const uint64_t expected = buffer.GetLength() / frameBytes;
    if (auto s = weak.lock())
        s->SetFormat(static_cast<int>(format.nSamplesPerSec), format.nChannels, expected);
    else
        return DecodeEnd::kAbandoned;

    Playing playing{buffer};
    try {
        buffer.Prepare();
        playing.prepared = true;
        buffer.Play();
    } catch (...) {
        return fail();
    }
    // A whole number of frames per chunk; a plug-in may still hand over part of one.
    std::vector<unsigned char> block(kChunkBytes / frameBytes * frameBytes);
    std::vector<unsigned char> pending; // bytes of a frame split between two fills
    uint64_t frames = 0;
    unsigned long lastData = zem::ClockMs();
    for (;;) {
        if (stop.load(std::memory_order_relaxed))
            return DecodeEnd::kAbandoned;
        unsigned long length = static_cast<unsigned long>(block.size());
        bool more = false;
        try {
            more = buffer.FillBuffer(length, block.data());
        } catch (...) {
            return fail();
        }
        if (length > 0) {
            lastData = zem::ClockMs();
            pending.insert(pending.end(), block.begin(), block.begin() + length);
            const size_t whole = pending.size() / frameBytes;
            auto s = weak.lock();
            if (!s)
                return DecodeEnd::kAbandoned;
            s->AddFrames(reinterpret_cast<const int16_t*>(pending.data()), whole);
            frames += whole;
            pending.erase(pending.begin(), pending.begin() + whole * frameBytes);
        }
        if (!more)
            break;
        if (length == 0) {
            if (zem::ClockMs() - lastData > kStallMs)
                return fail();
            zem::SleepMs(1);
        }
    }
    auto s = weak.lock();
    if (!s)
        return DecodeEnd::kAbandoned;
    const double shortBy = expected > frames ? static_cast<double>(expected - frames) : 0.0;
    if (shortBy > static_cast<double>(expected) * kShortReadTolerance) {
        s->MarkFailed();
        return DecodeEnd::kFailed;
    }
    s->MarkComplete();
    return DecodeEnd::kComplete;
}

} // namespace zem::wave
