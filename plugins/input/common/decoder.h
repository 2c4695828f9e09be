// A file decoder as our input plug-ins use it: whole files in, 16-bit interleaved stereo out
// at the file's own sample rate. One thread at a time (the plug-in's decoding thread).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zemin {

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual uint32_t SampleRate() const = 0;
    // Exact length in frames.
    virtual uint64_t TotalFrames() const = 0;
    // Moves to a frame; the next Read starts there. False when the file cannot seek there.
    virtual bool SeekFrame(uint64_t frame) = 0;
    // Decodes up to frames stereo frames into out (2 x frames samples); 0 at the end or on an
    // error that ends the stream.
    virtual std::size_t Read(int16_t* out, std::size_t frames) = 0;
};

using OpenDecoderFn = std::unique_ptr<Decoder> (*)(const char* path);

} // namespace zemin
