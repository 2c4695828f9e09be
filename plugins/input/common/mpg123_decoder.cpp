#include "plugins/input/common/mpg123_decoder.h"

#include <mpg123.h>

#include <algorithm>

namespace zemin {

namespace {

class Mpg123Decoder final : public Decoder {
public:
    Mpg123Decoder(mpg123_handle* handle, uint32_t rate, uint64_t frames)
        : handle_(handle), rate_(rate), frames_(frames) {}
    ~Mpg123Decoder() override {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }

    uint32_t SampleRate() const override { return rate_; }
    uint64_t TotalFrames() const override { return frames_; }
    // A decoder that starts cold fades in over its first frame (no overlap, no bit reservoir),
    // so seeks land a few MPEG frames early and decode up to the target.
    bool SeekFrame(uint64_t frame) override {
        const uint64_t from = frame > kWarmUpFrames ? frame - kWarmUpFrames : 0;
        if (mpg123_seek(handle_, static_cast<off_t>(from), SEEK_SET) < 0)
            return false;
        uint64_t skip = frame - from;
        int16_t scratch[2 * 1152];
        while (skip > 0) {
            const std::size_t n = ReadFrames(scratch, std::min<uint64_t>(skip, 1152));
            if (n == 0)
                return false;
            skip -= n;
        }
        return true;
    }
    std::size_t Read(int16_t* out, std::size_t frames) override { return ReadFrames(out, frames); }

private:
    static constexpr uint64_t kWarmUpFrames = 3 * 1152;

    std::size_t ReadFrames(int16_t* out, std::size_t frames) {
        auto* bytes = reinterpret_cast<unsigned char*>(out);
        const std::size_t want = frames * 4;
        std::size_t have = 0;
        while (have < want) {
            std::size_t done = 0;
            const int rc = mpg123_read(handle_, bytes + have, want - have, &done);
            have += done;
            // A new format mid-stream keeps the output format we fixed at open.
            if (rc == MPG123_NEW_FORMAT || (rc == MPG123_OK && done > 0))
                continue;
            break; // done, an error that ends the stream, or nothing more
        }
        return have / 4;
    }

    mpg123_handle* handle_;
    uint32_t rate_;
    uint64_t frames_;
};

} // namespace

std::unique_ptr<Decoder> OpenMpg123Decoder(const char* path) {
    int err = MPG123_OK;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    if (!h)
        return nullptr;
    mpg123_param(h, MPG123_FLAGS, MPG123_FORCE_STEREO | MPG123_GAPLESS | MPG123_QUIET, 0.0);
    // Output at the file's own rate: every rate allowed, always 16-bit stereo.
    mpg123_format_none(h);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(h, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_open(h, path) != MPG123_OK) {
        mpg123_delete(h);
        return nullptr;
    }
    // The scan reads every frame header once: exact length and an index for exact seeks.
    if (mpg123_scan(h) != MPG123_OK ||
        mpg123_getformat(h, &rate, &channels, &encoding) != MPG123_OK || rate <= 0) {
        mpg123_close(h);
        mpg123_delete(h);
        return nullptr;
    }
    const off_t length = mpg123_length(h);
    if (length < 0) {
        mpg123_close(h);
        mpg123_delete(h);
        return nullptr;
    }
    return std::make_unique<Mpg123Decoder>(h, static_cast<uint32_t>(rate),
                                           static_cast<uint64_t>(length));
}

} // namespace zemin
