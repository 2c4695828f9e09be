// The ring of 100 blocks that carries a Winamp plug-in's decoded PCM to its deck.
//
// Two threads meet here. The plug-in's decoding thread writes (Write, CanWrite, Flush, Open,
// Close) and owns the write index; the deck's playback thread reads (Fill, BytesAvailable) and
// owns the read index. Each block's free event hands it over: the writer only fills a free
// block and closes it by resetting the event, the reader only reads a closed block and frees
// it by setting the event. The full-block count is changed by both, atomically. Resets of the
// whole ring (Open, Close, Flush) exclude the reader with a lock that the reader only tries,
// so the deck's thread never waits here.
#pragma once

#include "engine/buffers/data_buffer.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class DLLInputBuffer_WinAMP;

class BridgeRing {
public:
    static constexpr int kBlockCount = 100;
    static constexpr uint32_t kBlockBytes = 8192;
    static constexpr int kFullLimit = 50; // CanWrite says no room from here on
    static constexpr int kChunkPerChannel = 1152;

    // Pre: the controlling thread, before any stream.
    void Attach(DLLInputBuffer_WinAMP* buffer) { buffer_ = buffer; }

    // Writer side.
    int Open(int samplerate, int numchannels, int bitspersamp);
    void Close();
    int Write(const char* buf, int len);
    int CanWrite() const;
    void Flush(int ms);
    void SetChannels(int channels);

    // Reader side.
    uint32_t BytesAvailable() const;
    bool Fill(uint32_t* length, uint8_t* destination);

    // For inspection.
    int FullBlocks() const { return full_.load(); }
    bool Ended() const { return ended_.load(); }
    int DefaultChunk() const { return defaultChunk_.load(); }

private:
    bool StoreChunk(const char* buf, uint32_t len);
    void CloseWriteBlock();
    void EmptyAll();

    DataBuffer blocks_[kBlockCount];
    DLLInputBuffer_WinAMP* buffer_ = nullptr;
    int write_ = 0;            // writer
    std::atomic<int> read_{0}; // reader; Flush moves it under resetLock_
    std::atomic<int> full_{0};
    std::atomic<bool> ended_{false};
    std::atomic<int> defaultChunk_{0};
    std::mutex resetLock_;
};
