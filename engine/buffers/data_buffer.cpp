#include "engine/buffers/data_buffer.h"

#include <cstring>

DataBuffer::DataBuffer() : evFree(true, true), evData(false, false) {}

DataBuffer::DataBuffer(const DataBuffer& other) : DataBuffer() {
    *this = other;
}

DataBuffer::~DataBuffer() {
    delete[] start;
}

bool DataBuffer::ResizeBuffer(unsigned long size) {
    delete[] start;
    start = new unsigned char[size];
    current = start;
    capacity = static_cast<uint32_t>(size);
    return false;
}

int DataBuffer::operator=(const DataBuffer& other) {
    if (&other == this)
        return 1;
    // Only bytes that lie inside the source's block are copied: a length left over from before
    // a smaller ResizeBuffer, or set without a block, must not read past it.
    uint32_t offset = 0;
    uint32_t valid = 0;
    if (other.start && other.current >= other.start &&
        other.current <= other.start + other.capacity) {
        offset = static_cast<uint32_t>(other.current - other.start);
        valid = other.length < other.capacity - offset ? other.length : other.capacity - offset;
    }
    delete[] start;
    start = nullptr;
    current = nullptr;
    capacity = 0;
    length = valid;
    if (valid != 0) {
        start = new unsigned char[offset + valid]();
        capacity = offset + valid;
        current = start + offset;
        std::memcpy(current, other.current, valid);
    }
    counter = other.counter;
    flag = other.flag;
    return 1;
}
