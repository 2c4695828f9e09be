// An output module for tests whose one card plays and records in real time until the test
// makes it vanish: from then on its streams stay open but never call back, as a card does
// when it is unplugged or its sound server dies. It can also make closing hang, as PortAudio
// does for a JACK server that died.
#include "soundrail/output_module.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

std::atomic<bool> g_vanished{false};
std::atomic<bool> g_closeHangs{false};

struct Stream {
    SoundrailStreamRequest request{};
    std::atomic<bool> quit{false};
    std::thread thread;

    void Run() {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        std::vector<int16_t> block(request.framesPerBuffer * request.channels);
        uint64_t frames = 0;
        while (!quit.load()) {
            if (!g_vanished.load()) {
                if (request.render)
                    request.render(request.context, block.data(), request.framesPerBuffer);
                if (request.capture)
                    request.capture(request.context, block.data(), request.framesPerBuffer);
            }
            frames += request.framesPerBuffer;
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                            static_cast<double>(frames) / request.rate)));
        }
    }
};

int DeviceCount() {
    return 1;
}

int DeviceInfo(int index, SoundrailDeviceInfo* info) {
    if (index != 0 || !info)
        return 0;
    *info = {};
    std::snprintf(info->name, sizeof info->name, "Vanishing card");
    info->outputChannels = 2;
    info->inputChannels = 2;
    info->defaultRate = 44100;
    info->defaultCandidate = 1;
    return 1;
}

void* OpenStream(int index, const SoundrailStreamRequest* request, char* error, int size) {
    if (index != 0 || !request || g_vanished.load()) {
        std::snprintf(error, static_cast<size_t>(size), "The device is no longer present.");
        return nullptr;
    }
    auto* s = new Stream;
    s->request = *request;
    s->thread = std::thread([s] { s->Run(); });
    return s;
}

void CloseStream(void* stream) {
    auto* s = static_cast<Stream*>(stream);
    while (g_closeHangs.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    s->quit.store(true);
    s->thread.join();
    delete s;
}

const SoundrailOutputModule kModule = {
    SOUNDRAIL_MODULE_MAGIC,
    SOUNDRAIL_MODULE_VERSION,
    "Vanishing",
    DeviceCount,
    DeviceInfo,
    OpenStream,
    CloseStream,
    nullptr,
};

} // namespace

extern "C" __attribute__((visibility("default"))) const SoundrailOutputModule*
SoundrailGetOutputModule() {
    return &kModule;
}

// The test's switch: 1 makes the card vanish, 2 also makes closing its streams hang until the
// next call; 0 brings it back.
extern "C" __attribute__((visibility("default"))) void ZemTestVanish(int how) {
    g_closeHangs.store(how == 2);
    g_vanished.store(how != 0);
}
