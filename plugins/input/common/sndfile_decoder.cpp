#include "plugins/input/common/sndfile_decoder.h"

#include "plugins/input/common/pcm_convert.h"

#include <sndfile.h>

#include <vector>

namespace zemin {

namespace {

// Formats whose samples fit 16 bits exactly are read as shorts; everything else as floats and
// dithered down.
bool FitsSixteenBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return true;
    default:
        return false;
    }
}

class SndfileDecoder final : public Decoder {
public:
    SndfileDecoder(SNDFILE* file, const SF_INFO& info)
        : file_(file), info_(info), shorts_(FitsSixteenBits(info.format)) {}
    ~SndfileDecoder() override { sf_close(file_); }

    uint32_t SampleRate() const override { return static_cast<uint32_t>(info_.samplerate); }
    uint64_t TotalFrames() const override {
        return info_.frames > 0 ? static_cast<uint64_t>(info_.frames) : 0;
    }
    bool SeekFrame(uint64_t frame) override {
        return sf_seek(file_, static_cast<sf_count_t>(frame), SEEK_SET) >= 0;
    }
    std::size_t Read(int16_t* out, std::size_t frames) override {
        const std::size_t samples = frames * static_cast<std::size_t>(info_.channels);
        sf_count_t got;
        if (shorts_) {
            if (shortBuf_.size() < samples)
                shortBuf_.resize(samples);
            got = sf_readf_short(file_, shortBuf_.data(), static_cast<sf_count_t>(frames));
            if (got > 0)
                ShortToStereo(shortBuf_.data(), static_cast<std::size_t>(got), info_.channels, out,
                              dither_);
        } else {
            if (floatBuf_.size() < samples)
                floatBuf_.resize(samples);
            got = sf_readf_float(file_, floatBuf_.data(), static_cast<sf_count_t>(frames));
            if (got > 0)
                FloatToStereo(floatBuf_.data(), static_cast<std::size_t>(got), info_.channels, out,
                              dither_);
        }
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

private:
    SNDFILE* file_;
    SF_INFO info_;
    bool shorts_;
    Dither dither_;
    std::vector<int16_t> shortBuf_;
    std::vector<float> floatBuf_;
};

} // namespace

std::unique_ptr<Decoder> OpenSndfileDecoder(const char* path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (!file)
        return nullptr;
    if (info.channels < 1 || info.channels > 64 || info.samplerate < 1 ||
        info.samplerate > 768000) {
        sf_close(file);
        return nullptr;
    }
    return std::make_unique<SndfileDecoder>(file, info);
}

} // namespace zemin
