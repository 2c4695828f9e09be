// Decodes ahead of the deck: a worker thread runs the decoder into a ring of PCM bytes, and
// the deck's thread takes bytes out without ever waiting on the disk or the decoder.
//
// The ring is single-writer (the worker) single-reader (the deck's thread): positions are
// free-running byte counters published with release and read with acquire. A seek is a
// request word (generation and frame) that the worker carries out; it then publishes where the
// new stream starts in the ring, and the reader drops everything before that point.
#pragma once

#include "platform/event.h"
#include "plugins/input/common/decoder.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace zemin {

class ReadAhead {
public:
    static constexpr uint32_t kFrameBytes = 4; // 16-bit stereo

    explicit ReadAhead(std::size_t capacityBytes = std::size_t{1} << 20);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Pre: the controlling thread. Ends any earlier stream, then decodes decoder from its
    // start. The worker also ends once wantStop (may be null) is set.
    void Start(std::unique_ptr<Decoder> decoder, const zem::Event* wantStop);
    // Pre: the controlling thread. Ends and joins the worker.
    void Stop();

    // Pre: the deck's thread. Bytes decoded ahead and ready now.
    uint32_t Available() const;
    // Pre: the deck's thread. Copies up to length bytes (whole frames) and sets length to the
    // bytes delivered. False once everything up to the end has been delivered.
    bool Fill(uint32_t& length, uint8_t* destination);
    // Pre: any thread. Asks for the stream to continue at a byte position (whole frames);
    // until the worker has moved there, Fill delivers nothing.
    void Seek(uint32_t bytePosition);

private:
    void Run(Decoder* decoder, const zem::Event* wantStop);
    bool SeekPending() const;

    std::vector<uint8_t> ring_;
    std::unique_ptr<Decoder> decoder_;
    std::thread worker_;
    std::atomic<bool> quit_{false};

    std::atomic<uint64_t> written_{0}; // worker
    std::atomic<uint64_t> read_{0};    // deck thread
    // Deck thread: generation in the high word, frame in the low word.
    std::atomic<uint64_t> seekRequest_{0};
    // Worker: the generation it has carried out, where that stream starts in the ring, and the
    // generation whose stream has reached its end (-1: none).
    std::atomic<uint32_t> seekDone_{0};
    std::atomic<uint64_t> streamStart_{0};
    std::atomic<int64_t> endedGeneration_{-1};
    uint32_t appliedGeneration_ = 0; // deck thread
    // Wakes an idle worker for a seek, or once the reader has made room it asked for.
    zem::Event wake_{false, false};
    std::atomic<bool> wantRoom_{false};
};

} // namespace zemin
