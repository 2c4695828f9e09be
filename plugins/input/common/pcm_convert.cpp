#include "plugins/input/common/pcm_convert.h"

#include <cmath>

namespace zemin {

namespace {

// Channels beyond the first two (centre, surrounds, LFE) go to both sides at half weight; the
// sum is scaled back so a full-scale signal on every channel does not clip.
constexpr float kExtraWeight = 0.5f;

template <class T> void MixDown(const T* frame, int channels, float scale, float& l, float& r) {
    float extra = 0.0f;
    for (int c = 2; c < channels; ++c)
        extra += static_cast<float>(frame[c]) * scale;
    const float norm = 1.0f / (1.0f + kExtraWeight * static_cast<float>(channels - 2));
    l = (static_cast<float>(frame[0]) * scale + kExtraWeight * extra) * norm;
    r = (static_cast<float>(frame[1]) * scale + kExtraWeight * extra) * norm;
}

} // namespace

float Dither::Uniform() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) * (1.0f / 16777216.0f) - 0.5f;
}

int16_t Dither::Quantize(float x) {
    const float y = std::nearbyint(x + Uniform() + Uniform());
    if (!(y > -32768.0f)) // also catches NaN
        return -32768;
    if (y > 32767.0f)
        return 32767;
    return static_cast<int16_t>(y);
}

void ShortToStereo(const int16_t* in, std::size_t frames, int channels, int16_t* out,
                   Dither& dither) {
    if (channels == 2) {
        for (std::size_t i = 0; i < frames * 2; ++i)
            out[i] = in[i];
    } else if (channels == 1) {
        for (std::size_t i = 0; i < frames; ++i)
            out[2 * i] = out[2 * i + 1] = in[i];
    } else {
        for (std::size_t i = 0; i < frames; ++i) {
            float l, r;
            MixDown(in + i * channels, channels, 1.0f, l, r);
            out[2 * i] = dither.Quantize(l);
            out[2 * i + 1] = dither.Quantize(r);
        }
    }
}

void FloatToStereo(const float* in, std::size_t frames, int channels, int16_t* out,
                   Dither& dither) {
    constexpr float kScale = 32768.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        float l, r;
        if (channels == 1) {
            l = r = in[i] * kScale;
        } else if (channels == 2) {
            l = in[2 * i] * kScale;
            r = in[2 * i + 1] * kScale;
        } else {
            MixDown(in + i * channels, channels, kScale, l, r);
        }
        out[2 * i] = dither.Quantize(l);
        out[2 * i + 1] = dither.Quantize(r);
    }
}

} // namespace zemin
