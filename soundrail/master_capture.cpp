// OutputCapture: the reader's side of the master mix's copy (see master_capture.h).
#include "soundrail/master_capture.h"
#include "soundrail/device_core.h"

#include <algorithm>
#include <cstring>

OutputCapture::OutputCapture(Impl* impl) : impl_(impl) {}
OutputCapture::~OutputCapture() {
    delete impl_;
}

const char* OutputCapture::GetOutputDeviceName() {
    return impl_->core->name.c_str();
}

unsigned long OutputCapture::GetCaptureBytesAvailable() {
    return static_cast<unsigned long>(impl_->ring.AvailableFrames() * 4);
}

unsigned long OutputCapture::ReadCapture(unsigned char* data, unsigned long bytes) {
    if (!data)
        return 0;
    // The ring holds aligned 16-bit samples; the caller's bytes need not be.
    int16_t chunk[2048];
    unsigned long done = 0;
    while (bytes - done >= 4) {
        const uint64_t want = std::min<uint64_t>((bytes - done) / 4, 1024);
        const uint64_t got = impl_->ring.Read(chunk, want);
        if (got == 0)
            break;
        std::memcpy(data + done, chunk, got * 4);
        done += static_cast<unsigned long>(got * 4);
    }
    return done;
}

void OutputCapture::GetWaveFormat(WAVEFORMATEX* format) {
    if (!format)
        return;
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = 2;
    format->nSamplesPerSec = impl_->core->rate.load();
    format->wBitsPerSample = 16;
    format->nBlockAlign = 4;
    format->nAvgBytesPerSec = format->nSamplesPerSec * 4;
    format->cbSize = 0;
}

unsigned long long OutputCapture::GetDroppedFrames() {
    return impl_->ring.Dropped();
}
