// Turns decoded samples of any channel count and width into 16-bit interleaved stereo: mono
// is doubled, more channels are mixed down, wider samples are rounded with TPDF dither.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zemin {

// Triangular dither of +-1 LSB from a small fast generator; one per stream.
class Dither {
public:
    explicit Dither(uint32_t seed = 0x9E3779B9u) : state_(seed ? seed : 1) {}
    // x is a sample scaled to 16-bit units; returns it dithered, rounded and clipped.
    int16_t Quantize(float x);

private:
    float Uniform(); // [-0.5, 0.5)
    uint32_t state_;
};

// in: frames x channels samples. out: frames x 2.
void ShortToStereo(const int16_t* in, std::size_t frames, int channels, int16_t* out,
                   Dither& dither);
// in: floats with full scale at +-1.0.
void FloatToStereo(const float* in, std::size_t frames, int channels, int16_t* out, Dither& dither);

} // namespace zemin
