// Test audio generated on the spot, run through an effect the way a deck runs it: in blocks of
// the deck's output block size, and measured afterwards.
#pragma once

#include "engine/effects/effects_module.h"
#include "tests/engine/effects/effects_test_support.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

using Module = std::unique_ptr<DLLEffectsModule>;
using Stereo = std::vector<int16_t>; // interleaved left, right

constexpr uint32_t kDeckBlockBytes = 15000;

// Loads, selects, initialises and formats an effect as a deck adds it.
inline Module Ready(const char* path, int index = 0, uint32_t rate = 44100) {
    Module m(LoadEffectsModule(path));
    if (!m || !m->SetEffectIndex(index) || !m->Init())
        return nullptr;
    WAVEFORMATEX format = StereoFormat(rate);
    if (!m->SetFormat(&format, kDeckBlockBytes))
        return nullptr;
    return m;
}

inline Stereo Sine(double hz, double amplitude, double seconds, uint32_t rate = 44100) {
    const auto frames = static_cast<size_t>(seconds * rate);
    Stereo s(2 * frames);
    for (size_t f = 0; f < frames; ++f) {
        const auto v = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2.0 * std::numbers::pi * hz * f / rate)));
        s[2 * f] = v;
        s[2 * f + 1] = v;
    }
    return s;
}

// Runs the audio through the chain block by block, in a buffer with the deck's room for twice
// a block; every module must keep the frame count here.
inline Stereo RunBlocks(const std::vector<DLLEffectsModule*>& chain, const Stereo& in) {
    constexpr uint32_t kFramesPerBlock = kDeckBlockBytes / 4;
    Stereo out;
    out.reserve(in.size());
    std::vector<int16_t> block(2 * kDeckBlockBytes / 2);
    for (size_t at = 0; at < in.size(); at += 2 * kFramesPerBlock) {
        const size_t samples = std::min<size_t>(2 * kFramesPerBlock, in.size() - at);
        std::copy(in.begin() + static_cast<long>(at), in.begin() + static_cast<long>(at + samples),
                  block.begin());
        uint32_t frames = static_cast<uint32_t>(samples / 2);
        for (DLLEffectsModule* m : chain)
            m->ProcessSamples(block.data(), frames);
        if (frames != samples / 2)
            return {};
        out.insert(out.end(), block.begin(), block.begin() + static_cast<long>(samples));
    }
    return out;
}

inline Stereo RunBlocks(DLLEffectsModule* m, const Stereo& in) {
    return RunBlocks(std::vector<DLLEffectsModule*>{m}, in);
}

// RMS of one channel (0 left, 1 right) over frames [from, to).
inline double Rms(const Stereo& s, int channel, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t f = from; f < to; ++f) {
        const double v = s[2 * f + static_cast<size_t>(channel)];
        sum += v * v;
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

inline double Db(double ratio) {
    return 20.0 * std::log10(ratio);
}
