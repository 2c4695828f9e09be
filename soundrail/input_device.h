// The state behind one InputDevice (see input_device.cpp).
#pragma once

#include "contracts/soundrail.h"
#include "soundrail/output_module.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace soundrail {

struct InputCore {
    InputCore(const SoundrailOutputModule* module, int index, std::string name, int channels,
              unsigned rate);
    ~InputCore();

    // Reader's thread (the user-interface thread starts and stops).
    bool Start();
    void Stop();
    uint64_t Available() const;
    uint64_t Read(uint8_t* out, uint64_t bytes);
    // Card's thread.
    void Push(const int16_t* in, unsigned long frames);

    const SoundrailOutputModule* module;
    const int index;
    const std::string name;
    const int channels;
    const unsigned rate;
    void* stream = nullptr;
    std::string lastError;
    std::vector<uint8_t> ring; // two seconds
    std::atomic<uint64_t> write{0};
    std::atomic<uint64_t> read{0};
};

} // namespace soundrail

struct InputDevice::Impl {
    std::unique_ptr<soundrail::InputCore> core;
};
