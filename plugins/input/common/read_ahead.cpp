#include "plugins/input/common/read_ahead.h"

#include <algorithm>
#include <cstring>

namespace zemin {

namespace {
constexpr std::size_t kChunkFrames = 4096;
// Seeks, room and the want-stop event wake the worker; this only bounds a missed wake-up.
constexpr unsigned long kFullWaitMs = 50;

uint32_t GenerationOf(uint64_t request) {
    return static_cast<uint32_t>(request >> 32);
}
} // namespace

ReadAhead::ReadAhead(std::size_t capacityBytes)
    : ring_(capacityBytes / kFrameBytes * kFrameBytes) {}

ReadAhead::~ReadAhead() {
    Stop();
}

void ReadAhead::Start(std::unique_ptr<Decoder> decoder, const zem::Event* wantStop) {
    Stop();
    decoder_ = std::move(decoder);
    quit_.store(false);
    written_.store(0);
    read_.store(0);
    seekRequest_.store(0);
    seekDone_.store(0);
    streamStart_.store(0);
    endedGeneration_.store(-1);
    appliedGeneration_ = 0;
    if (decoder_)
        worker_ = std::thread(&ReadAhead::Run, this, decoder_.get(), wantStop);
}

void ReadAhead::Stop() {
    quit_.store(true);
    if (worker_.joinable())
        worker_.join();
    decoder_.reset();
}

bool ReadAhead::SeekPending() const {
    return seekDone_.load(std::memory_order_acquire) !=
           GenerationOf(seekRequest_.load(std::memory_order_relaxed));
}

uint32_t ReadAhead::Available() const {
    if (SeekPending())
        return 0;
    const uint32_t generation = GenerationOf(seekRequest_.load(std::memory_order_relaxed));
    const uint64_t from = appliedGeneration_ == generation
                              ? read_.load(std::memory_order_relaxed)
                              : streamStart_.load(std::memory_order_acquire);
    const uint64_t ahead = written_.load(std::memory_order_acquire) - from;
    return static_cast<uint32_t>(std::min<uint64_t>(ahead, UINT32_MAX));
}

bool ReadAhead::Fill(uint32_t& length, uint8_t* destination) {
    const uint32_t generation = GenerationOf(seekRequest_.load(std::memory_order_relaxed));
    if (seekDone_.load(std::memory_order_acquire) != generation) {
        length = 0;
        return true;
    }
    if (appliedGeneration_ != generation) {
        read_.store(streamStart_.load(std::memory_order_acquire), std::memory_order_release);
        appliedGeneration_ = generation;
    }
    // The end mark first: once it is seen, every byte written before it is visible too.
    const bool ended = endedGeneration_.load(std::memory_order_acquire) == generation;
    const uint64_t written = written_.load(std::memory_order_acquire);
    const uint64_t read = read_.load(std::memory_order_relaxed);
    uint64_t n = std::min<uint64_t>(length / kFrameBytes * kFrameBytes, written - read);
    const std::size_t size = ring_.size();
    const std::size_t at = static_cast<std::size_t>(read % size);
    const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(n), size - at);
    if (n > 0) {
        std::memcpy(destination, ring_.data() + at, first);
        std::memcpy(destination + first, ring_.data(), static_cast<std::size_t>(n) - first);
    }
    // Sequentially consistent with the worker's request for room below, so that one of the two
    // sees the other. A worker waiting for room is woken once a quarter of the ring is free.
    read_.store(read + n);
    if (n > 0 && wantRoom_.load() && size - (written - (read + n)) >= size / 4 &&
        wantRoom_.exchange(false))
        wake_.Set();
    length = static_cast<uint32_t>(n);
    return !(ended && read + n == written);
}

void ReadAhead::Seek(uint32_t bytePosition) {
    // The read cursor is left to the reader: a seek may come from another thread than the
    // deck's, and moving the cursor under a running Fill would hand its bytes to the worker.
    // The reader drops what is buffered for the old position when it first sees the new
    // generation; the worker handles a seek before it looks for room. Two seeks at once each
    // get a generation of their own.
    uint64_t request = seekRequest_.load(std::memory_order_relaxed);
    uint64_t next;
    do {
        next =
            (static_cast<uint64_t>(GenerationOf(request) + 1) << 32) | (bytePosition / kFrameBytes);
    } while (!seekRequest_.compare_exchange_weak(request, next, std::memory_order_release,
                                                 std::memory_order_relaxed));
    wake_.Set();
}

void ReadAhead::Run(Decoder* decoder, const zem::Event* wantStop) {
    std::vector<int16_t> chunk(kChunkFrames * 2);
    const uint64_t total = decoder->TotalFrames();
    uint64_t frame = 0; // next frame the decoder delivers
    uint32_t generation = 0;
    bool atEnd = false;
    const zem::Event* events[2] = {&wake_, wantStop};
    const auto idle = [&](unsigned long ms) { zem::WaitForAnyEvent(events, wantStop ? 2 : 1, ms); };
    const uint64_t size = ring_.size();
    while (!quit_.load(std::memory_order_relaxed) && !(wantStop && wantStop->IsSet())) {
        const uint64_t request = seekRequest_.load(std::memory_order_acquire);
        if (GenerationOf(request) != generation) {
            generation = GenerationOf(request);
            frame = std::min<uint64_t>(request & 0xFFFFFFFFu, total);
            atEnd = !decoder->SeekFrame(frame) || frame >= total;
            streamStart_.store(written_.load(std::memory_order_relaxed), std::memory_order_release);
            if (atEnd)
                endedGeneration_.store(generation, std::memory_order_release);
            seekDone_.store(generation, std::memory_order_release);
            continue;
        }
        if (atEnd) {
            idle(kFullWaitMs);
            continue;
        }
        const uint64_t written = written_.load(std::memory_order_relaxed);
        const uint64_t room = size - (written - read_.load(std::memory_order_acquire));
        if (room < kChunkFrames * kFrameBytes) {
            wantRoom_.store(true);
            // Looked at again after asking, so a read in between is not missed.
            if (size - (written - read_.load()) < size / 4)
                idle(kFullWaitMs);
            continue;
        }
        // Never deliver past the exact length, whatever the decoder still finds.
        const std::size_t want =
            static_cast<std::size_t>(std::min<uint64_t>(kChunkFrames, total - frame));
        const std::size_t got = want ? decoder->Read(chunk.data(), want) : 0;
        if (got == 0) {
            atEnd = true;
            endedGeneration_.store(generation, std::memory_order_release);
            continue;
        }
        frame += got;
        const std::size_t bytes = got * kFrameBytes;
        const std::size_t at = static_cast<std::size_t>(written % size);
        const std::size_t first = std::min<std::size_t>(bytes, static_cast<std::size_t>(size) - at);
        const auto* src = reinterpret_cast<const uint8_t*>(chunk.data());
        std::memcpy(ring_.data() + at, src, first);
        std::memcpy(ring_.data(), src + first, bytes - first);
        written_.store(written + bytes, std::memory_order_release);
    }
}

} // namespace zemin
