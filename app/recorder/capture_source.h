// Where a recording's audio comes from: the master output's copy, or a capture input.
//
// Threads: opened and closed on the user-interface thread; Read and Lost on the recorder's
// writer thread, which runs only in between.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class InputDevice;
class OutputCapture;
class OutputManager;

namespace zem::rec {

class CaptureSource {
public:
    virtual ~CaptureSource() = default;
    virtual unsigned Rate() const = 0;
    virtual int Channels() const = 0;
    // Up to frames interleaved 16-bit frames; returns how many.
    virtual uint64_t Read(int16_t* samples, uint64_t frames) = 0;
    // True, with the reason, once the source has stopped delivering for good.
    virtual bool Lost(std::string& why) = 0;
    // Frames the source had to drop because the writer fell behind.
    virtual uint64_t Dropped() = 0;
};

// Null, with a reason in error, when the source cannot be opened. source 0 is the master
// output; source n is capture input n - 1.
std::unique_ptr<CaptureSource> OpenCaptureSource(OutputManager& outputs, int source,
                                                 std::string& error);

} // namespace zem::rec
