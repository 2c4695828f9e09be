// A lockable byte block handed between a producer and a consumer thread, used in rings of
// blocks (the Winamp output bridge, the recorder). A plain record: its users work on the
// fields directly, under its lock where they share it.
#pragma once

#include "contracts/export.h"
#include "platform/event.h"
#include "platform/mutex.h"

#include <cstdint>

class ZEM_EXPORT DataBuffer {
public:
    DataBuffer();
    // A fresh record (own lock and events) holding a copy of other's data, as assignment does.
    DataBuffer(const DataBuffer& other);
    ~DataBuffer();

    // Frees the old block and allocates size bytes; start and current point at the new block.
    // The length is left as it was. Always returns false.
    bool ResizeBuffer(unsigned long size);

    // Copies the length, the valid bytes at other's current (to the same offset from the start
    // of a new block, where current then points), the counter and the flag; releases the old
    // block. The lock and the events stay this record's own. Returns 1.
    int operator=(const DataBuffer& other);

    unsigned char* start = nullptr;   // the owned block
    unsigned char* current = nullptr; // read/write position inside the block
    uint32_t capacity = 0;            // bytes in the block
    zem::CriticalSection lock;
    uint32_t length = 0;  // valid bytes from current on
    zem::Event evFree;    // manual-reset, signalled while the block may be (re)filled
    bool isFree = true;   // companion of evFree
    zem::Event evData;    // auto-reset: new data for a waiting consumer
    uint32_t counter = 0; // for the user
    bool flag = false;    // for the user
};
