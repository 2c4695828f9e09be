// The PCM format record shared by the engine, the sound library and the plug-ins: the Win32
// WAVEFORMATEX layout (18 bytes, 2-byte packing), kept so that plug-in records keep it too.
#pragma once

#include <cstdint>

#pragma pack(push, 2)
struct WAVEFORMATEX {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize;
};
#pragma pack(pop)

static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

inline constexpr uint16_t WAVE_FORMAT_PCM = 1;
