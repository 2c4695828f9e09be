// The state behind one InputDevice (see input_device.cpp).
#pragma once

#include "contracts/soundrail.h"
#include "soundrail/output_module.h"
#include "soundrail/stream_gate.h"

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
    // Reader's thread: an input whose card has stopped calling back for a while (unplugged,
    // its server gone) is closed with a reason, so the reader learns it is not recording.
    void CheckAlive();

    const SoundrailOutputModule* module;
    const int index;
    const std::string name;
    const int channels;
    const unsigned rate;
    void* stream = nullptr;
    std::shared_ptr<StreamGate> gate; // the stream's way in, while it is open
    std::string lastError;
    std::vector<uint8_t> ring; // two seconds
    std::atomic<uint64_t> write{0};
    std::atomic<uint64_t> read{0};
    uint64_t seenCalls = 0; // reader's: the stream's call count it last saw change, and when
    unsigned long seenAt = 0;
};

} // namespace soundrail

struct InputDevice::Impl {
    std::unique_ptr<soundrail::InputCore> core;
};
