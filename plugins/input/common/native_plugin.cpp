#include "plugins/input/common/native_plugin.h"

#include "plugins/input/common/read_ahead.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <new>

namespace zemin {

namespace {

struct Instance {
    InstanceLink link; // first: the host writes these words after creation
    OpenDecoderFn open = nullptr;
    ReadAhead ahead;
    std::atomic<bool> loaded{false};
    uint64_t frames = 0;
    uint32_t rate = 0;
};

Instance* Of(void* instance) {
    return static_cast<Instance*>(instance);
}

void Prepare(void*) {}
void UnPrepare(void*) {} // the worker ends by itself once the want-stop event is set

uint32_t GetBytesAvailable(void* instance) {
    Instance* self = Of(instance);
    return self->loaded.load(std::memory_order_acquire) ? self->ahead.Available() : 0;
}

bool FillBuffer(void* instance, uint32_t* length, uint8_t* destination) {
    Instance* self = Of(instance);
    if (!self->loaded.load(std::memory_order_acquire)) {
        *length = 0;
        return false;
    }
    return self->ahead.Fill(*length, destination);
}

bool DoSetPosition(void* instance, uint32_t position) {
    Instance* self = Of(instance);
    if (!self->loaded.load(std::memory_order_acquire))
        return false;
    self->ahead.Seek(position);
    return true;
}

int Initialize(void*) {
    return 0;
}

void Destroy(void* instance) {
    delete Of(instance);
}

void ReportFormat(Instance* self, uint16_t channels, uint32_t rate) {
    WAVEFORMATEX* f = self->link.waveFormat;
    if (!f)
        return;
    f->wFormatTag = WAVE_FORMAT_PCM;
    f->nChannels = channels;
    f->nSamplesPerSec = rate;
    f->nBlockAlign = static_cast<uint16_t>(channels * 2);
    f->nAvgBytesPerSec = rate * f->nBlockAlign;
    f->wBitsPerSample = 16;
    f->cbSize = 0;
}

void LoadFile(void* instance, char* path) {
    Instance* self = Of(instance);
    self->loaded.store(false, std::memory_order_release);
    self->ahead.Stop();
    std::unique_ptr<Decoder> decoder = path ? self->open(path) : nullptr;
    if (!decoder || decoder->SampleRate() == 0) {
        self->frames = 0;
        ReportFormat(self, 0, 0); // no channels: the file could not be opened
        return;
    }
    self->rate = decoder->SampleRate();
    // Lengths are 32-bit byte counts; longer streams are cut there.
    self->frames = std::min<uint64_t>(decoder->TotalFrames(), UINT32_MAX / ReadAhead::kFrameBytes);
    ReportFormat(self, 2, self->rate);
    self->ahead.Start(std::move(decoder), self->link.wantStop);
    self->loaded.store(true, std::memory_order_release);
}

void Play(void*) {}
void Stop(void*) {}

uint32_t GetLength(void* instance) {
    return static_cast<uint32_t>(Of(instance)->frames * ReadAhead::kFrameBytes);
}

uint32_t GetTotalTime(void* instance) {
    const Instance* self = Of(instance);
    return self->rate ? static_cast<uint32_t>(self->frames / self->rate) : 0;
}

bool ShowSettings(void*) {
    return false;
}

void CopyText(char* to, const char* from) {
    std::snprintf(to, kModuleTextSize, "%s", from);
}

} // namespace

bool FillNativeModuleInfo(DeviceModuleInfo* info, const char* description, const char* extensions,
                          CreateInstanceFn create) {
    CopyText(info->description, description);
    CopyText(info->extensions, extensions);
    info->type = kModuleTypeNative;
    info->createInstance = create;
    return true;
}

void CreateNativeInstance(InputModuleTable** tablePtr, OpenDecoderFn open) {
    if (!tablePtr || !*tablePtr)
        return;
    InputModuleTable* t = *tablePtr;
    auto* self = new (std::nothrow) Instance();
    if (!self) {
        t->instance = nullptr;
        return;
    }
    self->open = open;
    t->instance = self;
    t->Prepare = Prepare;
    t->UnPrepare = UnPrepare;
    t->GetBytesAvailable = GetBytesAvailable;
    t->FillBuffer = FillBuffer;
    t->DoSetPosition = DoSetPosition;
    t->Initialize = Initialize;
    t->Destroy = Destroy;
    t->LoadFile = LoadFile;
    t->Play = Play;
    t->Stop = Stop;
    t->GetLength = GetLength;
    t->GetTotalTime = GetTotalTime;
    t->ShowSettings = ShowSettings;
}

} // namespace zemin
