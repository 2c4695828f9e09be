// InputDevice: one card's capture input. The card's thread writes recorded frames into a
// lock-free single-writer single-reader ring (acquire/release on the two counters); the
// reader takes them with ReadCapture. When the reader falls behind, the newest frames that
// do not fit are dropped rather than overwriting unread ones.
#include "soundrail/input_device.h"
#include "soundrail/watchdog.h"

#include "platform/clock.h"

#include <algorithm>
#include <cstring>

namespace soundrail {

InputCore::InputCore(const SoundrailOutputModule* m, int i, std::string n, int ch, unsigned r)
    : module(m), index(i), name(std::move(n)), channels(ch >= 2 ? 2 : 1), rate(r),
      ring(static_cast<size_t>(r) * 2 * channels * 2) {}

InputCore::~InputCore() {
    Stop();
}

bool InputCore::Start() {
    if (stream)
        return true;
    SoundrailStreamRequest request{};
    request.rate = rate;
    request.channels = channels;
    request.framesPerBuffer = 256;
    request.options = "";
    request.capture = [](void* ctx, const int16_t* in, unsigned long frames) {
        auto* gate = static_cast<StreamGate*>(ctx);
        if (!gate->Enter())
            return;
        static_cast<InputCore*>(gate->target())->Push(in, frames);
        gate->Leave();
    };
    gate = std::make_shared<StreamGate>(this, channels);
    request.context = gate.get();
    char text[256] = {};
    stream = module->openStream(index, &request, text, sizeof text);
    if (!stream) {
        gate.reset();
        lastError = text[0] ? text : "The input could not be opened.";
        return false;
    }
    lastError.clear();
    seenCalls = gate->Calls();
    seenAt = zem::ClockMs();
    return true;
}

void InputCore::CheckAlive() {
    if (!stream)
        return;
    const uint64_t calls = gate->Calls();
    const unsigned long ms = zem::ClockMs();
    if (calls != seenCalls) {
        seenCalls = calls;
        seenAt = ms;
    } else if (ms - seenAt > kStallMs) {
        Stop();
        lastError = "The input stopped recording: its device stopped responding.";
    }
}

void InputCore::Stop() {
    CloseGatedStream(module, stream, std::move(gate));
    stream = nullptr;
    gate.reset();
}

// Card's thread.
void InputCore::Push(const int16_t* in, unsigned long frames) {
    const uint64_t w = write.load(std::memory_order_relaxed);
    const uint64_t r = read.load(std::memory_order_acquire);
    const uint64_t frameBytes = 2u * channels;
    uint64_t bytes = frames * frameBytes;
    const uint64_t room = ring.size() - (w - r);
    bytes = std::min(bytes, room - room % frameBytes);
    const uint8_t* src = reinterpret_cast<const uint8_t*>(in);
    for (uint64_t done = 0; done < bytes;) {
        const uint64_t at = (w + done) % ring.size();
        const uint64_t n = std::min(bytes - done, ring.size() - at);
        std::memcpy(ring.data() + at, src + done, n);
        done += n;
    }
    write.store(w + bytes, std::memory_order_release);
}

uint64_t InputCore::Available() const {
    return write.load(std::memory_order_acquire) - read.load(std::memory_order_relaxed);
}

// Reader's thread.
uint64_t InputCore::Read(uint8_t* out, uint64_t bytes) {
    const uint64_t frameBytes = 2u * channels;
    const uint64_t r = read.load(std::memory_order_relaxed);
    bytes = std::min(bytes, Available());
    bytes -= bytes % frameBytes;
    for (uint64_t done = 0; done < bytes;) {
        const uint64_t at = (r + done) % ring.size();
        const uint64_t n = std::min(bytes - done, ring.size() - at);
        std::memcpy(out + done, ring.data() + at, n);
        done += n;
    }
    read.store(r + bytes, std::memory_order_release);
    return bytes;
}

} // namespace soundrail

InputDevice::InputDevice(Impl* impl) : impl_(impl) {}
InputDevice::~InputDevice() {
    delete impl_;
}

const char* InputDevice::GetInputDeviceName() {
    return impl_->core->name.c_str();
}
bool InputDevice::StartCapture() {
    return impl_->core->Start();
}
void InputDevice::StopCapture() {
    impl_->core->Stop();
}
bool InputDevice::IsCapturing() {
    impl_->core->CheckAlive();
    return impl_->core->stream != nullptr;
}

unsigned long InputDevice::GetCaptureBytesAvailable() {
    impl_->core->CheckAlive();
    return static_cast<unsigned long>(impl_->core->Available());
}

unsigned long InputDevice::ReadCapture(unsigned char* data, unsigned long bytes) {
    if (!data)
        return 0;
    return static_cast<unsigned long>(impl_->core->Read(data, bytes));
}

void InputDevice::GetWaveFormat(WAVEFORMATEX* format) {
    if (!format)
        return;
    const soundrail::InputCore& c = *impl_->core;
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = static_cast<uint16_t>(c.channels);
    format->nSamplesPerSec = c.rate;
    format->wBitsPerSample = 16;
    format->nBlockAlign = static_cast<uint16_t>(2 * c.channels);
    format->nAvgBytesPerSec = c.rate * format->nBlockAlign;
    format->cbSize = 0;
}

const char* InputDevice::GetLastError() {
    return impl_->core->lastError.c_str();
}
