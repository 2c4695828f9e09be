// A locked region of a buffer: where it starts and how many bytes it holds.
#pragma once

#include <cstdint>

struct InputLockBuffer {
    uint32_t position = 0;
    uint32_t length = 0;
};
