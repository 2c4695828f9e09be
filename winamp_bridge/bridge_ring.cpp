#include "winamp_bridge/bridge_ring.h"

#include "engine/input_modules/dll_input_buffer_winamp.h"

#include <algorithm>
#include <cstring>

int BridgeRing::Open(int samplerate, int numchannels, int bitspersamp) {
    if (buffer_ && samplerate > 0 && numchannels > 0 && bitspersamp > 0) {
        WAVEFORMATEX f{};
        f.wFormatTag = WAVE_FORMAT_PCM;
        f.nChannels = static_cast<uint16_t>(numchannels);
        f.nSamplesPerSec = static_cast<uint32_t>(samplerate);
        f.nBlockAlign = static_cast<uint16_t>(numchannels * bitspersamp / 8);
        f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
        f.wBitsPerSample = static_cast<uint16_t>(bitspersamp);
        f.cbSize = 0;
        buffer_->SetWaveFormat(&f);
    }
    std::lock_guard<std::mutex> g(resetLock_);
    for (DataBuffer& b : blocks_)
        b.ResizeBuffer(kBlockBytes);
    EmptyAll();
    read_.store(0);
    write_ = 0;
    ended_.store(false);
    defaultChunk_.store(144);
    return 1;
}

void BridgeRing::Close() {
    std::lock_guard<std::mutex> g(resetLock_);
    // Emptied as well, so that the reader never looks into released storage.
    EmptyAll();
    for (DataBuffer& b : blocks_) {
        delete[] b.start;
        b.start = b.current = nullptr;
        b.capacity = 0;
    }
}

void BridgeRing::EmptyAll() {
    for (DataBuffer& b : blocks_) {
        b.length = 0;
        b.current = b.start;
        b.isFree = true;
        b.evFree.Set();
    }
    full_.store(0);
}

void BridgeRing::CloseWriteBlock() {
    DataBuffer& b = blocks_[write_];
    b.current = b.start;
    b.isFree = false;
    full_.fetch_add(1);
    b.evFree.Reset();
    write_ = (write_ + 1) % kBlockCount;
}

// Places one chunk of at most a block: into the write block while it fits, else it closes
// that block and starts the next one. False when the chunk had to be dropped.
bool BridgeRing::StoreChunk(const char* buf, uint32_t len) {
    DataBuffer* b = &blocks_[write_];
    if (b->length + len > b->capacity) {
        CloseWriteBlock();
        b = &blocks_[write_];
        if (full_.load() == kBlockCount || !b->evFree.IsSet())
            return false;
    }
    std::memcpy(b->current, buf, len);
    b->current += len;
    b->length += len;
    return true;
}

int BridgeRing::Write(const char* buf, int len) {
    if (full_.load() == kBlockCount || !blocks_[write_].evFree.IsSet())
        return 1;
    if (!blocks_[write_].start)
        return 1; // not open
    if (len == 0)
        len = defaultChunk_.load();
    if (!buf) {
        // The end: what the open block holds is delivered too, then the flag goes up.
        if (blocks_[write_].length > 0)
            CloseWriteBlock();
        ended_.store(true);
        return 0;
    }
    if (len <= 0)
        return 0;
    const bool reachedEnd = buffer_ && !buffer_->OutputPosAdd(len);
    // Chunks larger than a block are spread over several.
    for (int at = 0; at < len;) {
        const uint32_t piece = std::min<uint32_t>(static_cast<uint32_t>(len - at), kBlockBytes);
        if (!StoreChunk(buf + at, piece))
            break;
        at += static_cast<int>(piece);
    }
    if (reachedEnd || ended_.load()) {
        // Past the end every chunk is closed at once, so none waits in an open block that
        // the reader will never see.
        if (blocks_[write_].length > 0 && full_.load() < kBlockCount)
            CloseWriteBlock();
        ended_.store(true);
    }
    return 0;
}

int BridgeRing::CanWrite() const {
    const int full = full_.load();
    return full < kFullLimit ? (kBlockCount - full) * static_cast<int>(kBlockBytes) : 0;
}

void BridgeRing::Flush(int ms) {
    if (buffer_)
        buffer_->OutputPosSet(ms);
    std::lock_guard<std::mutex> g(resetLock_);
    ended_.store(false);
    EmptyAll();
    read_.store(write_);
}

void BridgeRing::SetChannels(int channels) {
    if (channels != -1)
        defaultChunk_.store(channels * kChunkPerChannel);
}

uint32_t BridgeRing::BytesAvailable() const {
    // Once the end is flagged a read never waits: report the whole ring, so a reader that only
    // reads when a full block of its own is available still comes to see the end.
    if (ended_.load())
        return kBlockCount * kBlockBytes;
    return static_cast<uint32_t>(full_.load()) * kBlockBytes;
}

bool BridgeRing::Fill(uint32_t* length, uint8_t* destination) {
    std::unique_lock<std::mutex> g(resetLock_, std::try_to_lock);
    if (!g.owns_lock()) {
        *length = 0; // the writer is resetting the ring: nothing ready yet
        return true;
    }
    uint32_t want = *length;
    uint32_t delivered = 0;
    int read = read_.load();
    bool more = true;
    while (true) {
        DataBuffer& r = blocks_[read];
        // The flag first: the writer closes the last block before it raises the flag, so a
        // flag seen here means that block is seen closed too.
        const bool ended = ended_.load();
        if (r.evFree.IsSet()) {
            more = !ended;
            break;
        }
        const uint32_t room = want - delivered;
        if (room < r.length) {
            std::memcpy(destination + delivered, r.current, room);
            r.current += room;
            r.length -= room;
            delivered += room;
            break;
        }
        const uint32_t n = r.length;
        if (n > 0)
            std::memcpy(destination + delivered, r.current, n);
        delivered += n;
        r.current = r.start;
        r.length = 0;
        r.isFree = true;
        r.evFree.Set();
        full_.fetch_sub(1);
        read = (read + 1) % kBlockCount;
        read_.store(read);
    }
    *length = delivered;
    return more;
}
