// Output module for every PortAudio device: ALSA, JACK, and PulseAudio or PipeWire through
// ALSA. The system's default output comes first, so that the first-start assignments pick it.
#include "soundrail/output_module.h"

#include <portaudio.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
    PaDeviceIndex index;
    std::string name;
    int outputs;
    int inputs;
    unsigned rate;
};

bool g_initialised = false;
std::vector<Entry> g_devices;

void Scan() {
    if (g_initialised)
        return;
    // Never start a JACK server as a side effect of listing devices.
    setenv("JACK_NO_START_SERVER", "1", 0);
    if (Pa_Initialize() != paNoError)
        return;
    g_initialised = true;
    const PaDeviceIndex count = Pa_GetDeviceCount();
    const PaDeviceIndex preferred = Pa_GetDefaultOutputDevice();
    std::vector<Entry> rest;
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info)
            continue;
        const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
        Entry e;
        e.index = i;
        e.name = std::string(api ? api->name : "Audio") + ": " + info->name;
        e.outputs = info->maxOutputChannels;
        e.inputs = info->maxInputChannels;
        e.rate = static_cast<unsigned>(info->defaultSampleRate);
        if (e.outputs < 2 && e.inputs < 1)
            continue;
        (i == preferred ? g_devices : rest).push_back(e);
    }
    g_devices.insert(g_devices.end(), rest.begin(), rest.end());
}

struct Stream {
    PaStream* pa = nullptr;
    SoundrailStreamRequest request{};
};

int Callback(const void* input, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
             PaStreamCallbackFlags, void* user) {
    auto* s = static_cast<Stream*>(user);
    if (output && s->request.render)
        s->request.render(s->request.context, static_cast<int16_t*>(output), frames);
    if (input && s->request.capture)
        s->request.capture(s->request.context, static_cast<const int16_t*>(input), frames);
    return paContinue;
}

int DeviceCount() {
    Scan();
    return static_cast<int>(g_devices.size());
}

int DeviceInfo(int index, SoundrailDeviceInfo* info) {
    Scan();
    if (!info || index < 0 || index >= static_cast<int>(g_devices.size()))
        return 0;
    const Entry& e = g_devices[index];
    std::memset(info, 0, sizeof *info);
    std::snprintf(info->name, sizeof info->name, "%s", e.name.c_str());
    info->outputChannels = e.outputs >= 4 ? 4 : (e.outputs >= 2 ? 2 : 0);
    info->inputChannels = e.inputs >= 2 ? 2 : e.inputs;
    info->defaultRate = e.rate;
    info->defaultCandidate = 1;
    return 1;
}

void* OpenStream(int index, const SoundrailStreamRequest* request, char* error, int errorSize) {
    auto fail = [&](const char* text) -> void* {
        if (error && errorSize > 0)
            std::snprintf(error, static_cast<size_t>(errorSize), "%s", text);
        return nullptr;
    };
    Scan();
    if (!request || index < 0 || index >= static_cast<int>(g_devices.size()))
        return fail("The device is no longer present.");
    const Entry& e = g_devices[index];
    const PaDeviceInfo* info = Pa_GetDeviceInfo(e.index);
    if (!info)
        return fail("The device is no longer present.");
    PaStreamParameters params{};
    params.device = e.index;
    params.channelCount = request->channels;
    params.sampleFormat = paInt16;
    const bool output = request->render != nullptr;
    params.suggestedLatency = output ? info->defaultLowOutputLatency : info->defaultLowInputLatency;
    auto* s = new Stream;
    s->request = *request;
    PaError err = Pa_OpenStream(&s->pa, output ? nullptr : &params, output ? &params : nullptr,
                                request->rate, request->framesPerBuffer, paClipOff, Callback, s);
    if (err == paNoError) {
        err = Pa_StartStream(s->pa);
        if (err != paNoError)
            Pa_CloseStream(s->pa);
    }
    if (err != paNoError) {
        delete s;
        return fail(Pa_GetErrorText(err));
    }
    return s;
}

void CloseStream(void* stream) {
    auto* s = static_cast<Stream*>(stream);
    if (!s)
        return;
    Pa_StopStream(s->pa);
    Pa_CloseStream(s->pa);
    delete s;
}

void Shutdown() {
    if (g_initialised)
        Pa_Terminate();
    g_initialised = false;
    g_devices.clear();
}

const SoundrailOutputModule kModule = {
    SOUNDRAIL_MODULE_MAGIC,
    SOUNDRAIL_MODULE_VERSION,
    "PortAudio",
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
