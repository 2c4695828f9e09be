#include "engine/deck/playback_sizes.h"

#include "engine/deck/stream_device.h"

#include <algorithm>

namespace {

unsigned long BytesForMs(const WAVEFORMATEX& f, int ms) {
    // The same rounding as the ring the deck asks for.
    return static_cast<unsigned long>(f.nAvgBytesPerSec * static_cast<double>(ms) * 0.001);
}

bool Works(const WAVEFORMATEX& f, unsigned long ring, unsigned long block) {
    const unsigned long align = f.nBlockAlign ? f.nBlockAlign : 1;
    unsigned long used = std::min(block, ring / 2);
    used -= used % align;
    return used >= BytesForMs(f, StreamDevice::kTickPeriodMs) &&
           ring >= used + BytesForMs(f, kPlaybackMarginMs);
}

} // namespace

PlaybackSizes ChoosePlaybackSizes(const WAVEFORMATEX& format, int bufferMs, int blockKiB) {
    PlaybackSizes s;
    const int askedBuffer = std::clamp(bufferMs, 0, kMaxBufferMs);
    const int askedBlock = std::clamp(blockKiB, 0, kMaxBlockKiB);
    const unsigned long tick = BytesForMs(format, StreamDevice::kTickPeriodMs);
    const int minBlock = static_cast<int>(std::max<unsigned long>(1, (tick + 1023) / 1024));
    s.blockKiB = std::max(askedBlock, minBlock);
    s.blockBytes = static_cast<unsigned long>(s.blockKiB) * 1024;
    s.bufferMs = askedBuffer;
    while (s.bufferMs < kMaxBufferMs &&
           !Works(format, BytesForMs(format, s.bufferMs), s.blockBytes))
        ++s.bufferMs;
    s.bufferBytes = BytesForMs(format, s.bufferMs);
    s.raised = s.blockKiB > askedBlock || s.bufferMs > askedBuffer;
    return s;
}
