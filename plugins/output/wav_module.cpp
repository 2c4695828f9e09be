// Output module whose one device writes the mix to a 16-bit PCM WAV file. In real time it keeps
// the pace of a sound card; in render mode ("Render Mode" 1) it writes as fast as the decks
// deliver, for mixing down without a card. The file's sizes are written when it is closed.
#include "module_options.h"
#include "soundrail/output_module.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned long kBlockFrames = 256;

void PutLe(std::vector<uint8_t>& v, uint32_t x, int bytes) {
    for (int i = 0; i < bytes; ++i)
        v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

std::vector<uint8_t> Header(unsigned rate, int channels, uint32_t dataBytes) {
    std::vector<uint8_t> h;
    const uint32_t align = 2u * channels;
    h.insert(h.end(), {'R', 'I', 'F', 'F'});
    PutLe(h, 36 + dataBytes, 4);
    h.insert(h.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(h, 16, 4);
    PutLe(h, 1, 2); // PCM
    PutLe(h, static_cast<uint32_t>(channels), 2);
    PutLe(h, rate, 4);
    PutLe(h, rate * align, 4);
    PutLe(h, align, 2);
    PutLe(h, 16, 2);
    h.insert(h.end(), {'d', 'a', 't', 'a'});
    PutLe(h, dataBytes, 4);
    return h;
}

struct WaveStream {
    SoundrailStreamRequest request{};
    std::FILE* file = nullptr;
    bool renderMode = false;
    std::atomic<bool> quit{false};
    uint64_t dataBytes = 0;
    std::vector<int16_t> block;
    std::thread thread;

    void Run() {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        uint64_t frames = 0;
        while (!quit.load(std::memory_order_acquire)) {
            if (renderMode && !request.ready(request.context, kBlockFrames)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            request.render(request.context, block.data(), kBlockFrames);
            // A WAV file holds at most 4 GiB of data; beyond that the mix is dropped.
            const size_t bytes = block.size() * sizeof(int16_t);
            if (dataBytes + bytes <= 0xFFFFFFFFull - 36 &&
                std::fwrite(block.data(), 1, bytes, file) == bytes)
                dataBytes += bytes;
            frames += kBlockFrames;
            if (!renderMode)
                std::this_thread::sleep_until(
                    start + std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(double(frames) / request.rate)));
        }
    }
};

int DeviceCount() {
    return 1;
}

int DeviceInfo(int index, SoundrailDeviceInfo* info) {
    if (index != 0 || !info)
        return 0;
    std::memset(info, 0, sizeof *info);
    std::snprintf(info->name, sizeof info->name, "WAV file");
    info->outputChannels = 2;
    info->inputChannels = 0;
    info->defaultRate = 44100;
    info->defaultCandidate = 0;
    return 1;
}

void* OpenStream(int index, const SoundrailStreamRequest* request, char* error, int errorSize) {
    auto fail = [&](const std::string& text) -> void* {
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "%s", text.c_str());
        return nullptr;
    };
    if (index != 0 || !request || !request->render || !request->ready)
        return fail("The WAV file device only plays.");
    const std::string path = ModuleOption(request->options, "file");
    if (path.empty())
        return fail("No output file is set for the WAV file device.");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return fail("Unable to open " + path + " for writing.");
    const std::vector<uint8_t> header = Header(request->rate, request->channels, 0);
    if (std::fwrite(header.data(), 1, header.size(), f) != header.size()) {
        std::fclose(f);
        return fail("Unable to write to " + path + ".");
    }
    auto* s = new WaveStream;
    s->request = *request;
    s->file = f;
    s->renderMode = ModuleOption(request->options, "render") == "1";
    s->block.assign(kBlockFrames * static_cast<size_t>(request->channels), 0);
    s->thread = std::thread([s] { s->Run(); });
    return s;
}

void CloseStream(void* stream) {
    auto* s = static_cast<WaveStream*>(stream);
    if (!s)
        return;
    s->quit.store(true, std::memory_order_release);
    s->thread.join();
    const std::vector<uint8_t> header =
        Header(s->request.rate, s->request.channels, static_cast<uint32_t>(s->dataBytes));
    if (std::fseek(s->file, 0, SEEK_SET) == 0)
        std::fwrite(header.data(), 1, header.size(), s->file);
    std::fclose(s->file);
    delete s;
}

void Shutdown() {}

const SoundrailOutputModule kModule = {
    SOUNDRAIL_MODULE_MAGIC,
    SOUNDRAIL_MODULE_VERSION,
    "WAV file writer",
    DeviceCount,
    DeviceInfo,
    OpenStream,
    CloseStream,
    Shutdown,
};

} // namespace

extern "C" __attribute__((visibility("default"))) const SoundrailOutputModule*
SoundrailGetOutputModule() {
    return &kModule;
}
