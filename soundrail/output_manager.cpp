// OutputManager: the cards, the modules they come from and the creation of output groups.
// Every call runs on the user-interface thread.
#include "soundrail/device_core.h"
#include "soundrail/input_device.h"
#include "soundrail/master_capture.h"
#include "soundrail/module_backend.h"
#include "soundrail/output_module.h"
#include "soundrail/resampler.h"
#include "soundrail/silent_backend.h"
#include "soundrail/stream_gate.h"
#include "soundrail/watchdog.h"

#include "platform/library.h"

#include <atomic>
#include <memory>
#include <vector>

using soundrail::DeviceCore;

struct ManualOutputClock::Impl {
    DeviceCore* core;
    std::vector<int16_t> out;
    unsigned long long frames = 0;
};

struct OutputManager::Impl {
    struct Module {
        zem::LibraryHandle handle;
        const SoundrailOutputModule* desc;
    };
    std::vector<Module> modules;
    std::vector<std::unique_ptr<DeviceCore>> devices;
    std::vector<std::unique_ptr<ManualOutputClock>> manual;
    std::vector<std::unique_ptr<InputDevice>> inputs;
    std::unique_ptr<OutputCapture> capture; // the master mix's copy, while a recorder has it
    soundrail::Watchdog watchdog;           // declared after devices: it ends before they go
    bool finalized = false;

    DeviceCore* AddDevice(const std::string& name, int channels, unsigned rate,
                          std::unique_ptr<soundrail::Backend> backend, bool candidate,
                          bool watched = false) {
        if (devices.size() >= static_cast<size_t>(soundrail::kMaxDevices))
            return nullptr;
        auto d = std::make_unique<DeviceCore>(static_cast<int>(devices.size()), name, channels,
                                              rate, std::move(backend), candidate, watched);
        soundrail::LoadDeviceSettings(*d);
        devices.push_back(std::move(d));
        return devices.back().get();
    }

    // Settles the card list once the modules are in: a silent card when nothing else can play,
    // and the first-start assignments when no present card has any.
    void Finalize() {
        for (auto& d : devices)
            soundrail::FlushDeviceSettings(*d);
        if (finalized)
            return;
        finalized = true;
        soundrail::KernelTable();
        auto candidates = [this] {
            std::vector<DeviceCore*> list;
            for (auto& d : devices)
                if (d->defaultCandidate && !d->disabled.load())
                    list.push_back(d.get());
            return list;
        };
        if (candidates().empty())
            AddDevice("Silent output", 2, 44100, soundrail::MakeSilentBackend(), true);
        bool anyAssigned = false;
        for (auto& d : devices) {
            if (d->disabled.load())
                continue;
            anyAssigned = anyAssigned || d->headphones.load() || d->sfx.load() || d->master.load();
            for (auto& a : d->assignment)
                anyAssigned = anyAssigned || a.load() != 0;
        }
        if (anyAssigned)
            return;
        const std::vector<DeviceCore*> list = candidates();
        if (list.empty())
            return;
        DeviceCore& first = *list[0];
        for (auto& a : first.assignment)
            a.store(1);
        first.sfx.store(1);
        first.master.store(1);
        soundrail::SaveDeviceSettings(first);
        if (list.size() > 1) {
            list[1]->headphones.store(1);
            soundrail::SaveDeviceSettings(*list[1]);
        }
    }
};

ManualOutputClock::ManualOutputClock(Impl* impl) : impl_(impl) {}
ManualOutputClock::~ManualOutputClock() {
    delete impl_;
}

const short* ManualOutputClock::Advance(unsigned long frames) {
    impl_->out.resize(static_cast<size_t>(frames) * impl_->core->channels);
    impl_->core->Render(impl_->out.data(), frames);
    impl_->frames += frames;
    return impl_->out.data();
}

unsigned long long ManualOutputClock::GetFramesRendered() {
    return impl_->frames;
}
int ManualOutputClock::GetChannels() {
    return impl_->core->channels;
}
unsigned long ManualOutputClock::GetSampleRate() {
    return impl_->core->rate.load();
}
OutputDevice* ManualOutputClock::GetDevice() {
    return impl_->core->api.get();
}

OutputManager::OutputManager() : impl_(new Impl) {}

OutputManager::~OutputManager() {
    CloseMasterCapture(impl_->capture.get());
    impl_->watchdog.Stop();
    for (auto& d : impl_->devices)
        d->StopBackend();
    // Groups the caller has not deleted yet outlive their cards: cut them loose, so deleting
    // them later touches nothing that is gone.
    for (auto& d : impl_->devices) {
        for (auto& slot : d->slots) {
            OutputGroup::Impl* g = slot.exchange(nullptr);
            if (!g)
                continue;
            g->owner = nullptr;
            for (auto& feed : g->feedDevices)
                feed = nullptr;
        }
    }
    impl_->inputs.clear();
    impl_->manual.clear();
    impl_->devices.clear();
    // A module still closing a stream of a card that is gone must stay as it is: shutting it
    // down or unloading it would pull the code from under that close.
    if (!soundrail::GatedClosesPending()) {
        for (auto& m : impl_->modules) {
            if (m.desc->shutdown)
                m.desc->shutdown();
            zem::FreeLibraryHandle(m.handle);
        }
    }
    delete impl_;
}

bool OutputManager::LoadOutputModule(char* path) {
    if (!path)
        return false;
    zem::LibraryHandle handle = zem::LoadLibraryPath(path);
    if (!handle)
        return false;
    auto get = reinterpret_cast<SoundrailGetOutputModuleFn>(
        zem::GetLibrarySymbol(handle, kOutputModuleSymbol));
    const SoundrailOutputModule* desc = get ? get() : nullptr;
    bool known = false;
    for (auto& m : impl_->modules)
        known = known || m.desc == desc;
    if (!desc || known || desc->magic != SOUNDRAIL_MODULE_MAGIC ||
        desc->version != SOUNDRAIL_MODULE_VERSION || !desc->deviceCount || !desc->deviceInfo ||
        !desc->openStream || !desc->closeStream) {
        zem::FreeLibraryHandle(handle);
        return false;
    }
    impl_->modules.push_back({handle, desc});
    const int count = desc->deviceCount();
    for (int i = 0; i < count; ++i) {
        SoundrailDeviceInfo info{};
        if (!desc->deviceInfo(i, &info))
            continue;
        info.name[sizeof info.name - 1] = 0;
        const unsigned rate =
            info.defaultRate >= 8000 && info.defaultRate <= 192000 ? info.defaultRate : 44100;
        if (info.outputChannels >= 2)
            impl_->AddDevice(info.name, info.outputChannels, rate,
                             soundrail::MakeModuleBackend(desc, i), info.defaultCandidate != 0,
                             info.defaultCandidate != 0);
        if (info.inputChannels > 0) {
            auto core = std::make_unique<soundrail::InputCore>(desc, i, info.name,
                                                               info.inputChannels, rate);
            impl_->inputs.push_back(
                std::make_unique<InputDevice>(new InputDevice::Impl{std::move(core)}));
        }
    }
    return true;
}

ManualOutputClock* OutputManager::AddManualDevice(const char* name, int channels,
                                                  unsigned long samplesPerSecond) {
    if ((channels != 2 && channels != 4) || samplesPerSecond < 8000 || samplesPerSecond > 192000)
        return nullptr;
    DeviceCore* core = impl_->AddDevice(name ? name : "Manual", channels,
                                        static_cast<unsigned>(samplesPerSecond), nullptr, true);
    if (!core)
        return nullptr;
    impl_->manual.push_back(
        std::make_unique<ManualOutputClock>(new ManualOutputClock::Impl{core, {}, 0}));
    return impl_->manual.back().get();
}

OutputGroup* OutputManager::CreateOutputGroup(int channel, WAVEFORMATEX* format,
                                              unsigned long bufferBytes) {
    impl_->Finalize();
    if (!format || format->wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 16 ||
        (format->nChannels != 1 && format->nChannels != 2) ||
        format->nBlockAlign != 2 * format->nChannels || format->nSamplesPerSec < 1000 ||
        format->nSamplesPerSec > 768000)
        return nullptr;
    if (channel < -1 || channel >= soundrail::kDeckChannels)
        return nullptr;
    // At least one frame, at most a quarter of a gigabyte.
    if (bufferBytes < format->nBlockAlign || bufferBytes > (1UL << 28))
        return nullptr;
    // A card that stopped responding takes no new groups: the deck gets a card that plays,
    // or none and the engine's message.
    auto usable = [](const DeviceCore& d) { return !d.disabled.load() && !d.failed.load(); };
    DeviceCore* owner = nullptr;
    for (auto& d : impl_->devices) {
        if (!usable(*d) || d->SubChannelFor(channel) == 0)
            continue;
        if (d->EnsureStarted()) {
            impl_->watchdog.Watch(d.get());
            owner = d.get();
            break;
        }
    }
    if (!owner)
        return nullptr;
    auto* g = new OutputGroup::Impl(channel, *format, bufferBytes);
    g->owner = owner;
    for (auto& d : impl_->devices) {
        if (d.get() == owner || !usable(*d))
            continue;
        if (d->SubChannelFor(channel) == 0 && d->headphones.load() == 0)
            continue;
        if (!d->EnsureStarted())
            continue;
        impl_->watchdog.Watch(d.get());
        g->taps[d->index] = std::make_unique<soundrail::Tap>();
        g->feedDevices[d->index] = d.get();
    }
    bool ok = owner->AddGroup(g);
    for (DeviceCore* d : g->feedDevices)
        if (ok && d)
            ok = d->AddGroup(g);
    if (!ok) {
        if (soundrail::DetachGroup(g))
            delete g;
        return nullptr;
    }
    return new OutputGroup(g);
}

InputDevice* OutputManager::GetInputDevice(int index) {
    impl_->Finalize();
    if (index < 0 || index >= static_cast<int>(impl_->inputs.size()))
        return nullptr;
    return impl_->inputs[index].get();
}

void OutputManager::GetOutputDevicesList(std::vector<OutputDevice*>& devices) {
    impl_->Finalize();
    devices.clear();
    for (auto& d : impl_->devices)
        devices.push_back(d->api.get());
}

void OutputManager::GetInputDevicesList(std::vector<InputDevice*>& devices) {
    impl_->Finalize();
    devices.clear();
    for (auto& i : impl_->inputs)
        devices.push_back(i.get());
}

OutputCapture* OutputManager::OpenMasterCapture() {
    impl_->Finalize();
    if (impl_->capture)
        return nullptr;
    for (auto& d : impl_->devices) {
        if (d->disabled.load() || d->master.load() == 0)
            continue;
        if (!d->EnsureStarted())
            return nullptr;
        impl_->watchdog.Watch(d.get());
        impl_->capture = std::make_unique<OutputCapture>(
            new OutputCapture::Impl{d.get(), soundrail::CaptureRing(d->rate.load())});
        d->capture.store(&impl_->capture->GetImpl()->ring, std::memory_order_seq_cst);
        return impl_->capture.get();
    }
    return nullptr;
}

void OutputManager::CloseMasterCapture(OutputCapture* capture) {
    if (!capture || capture != impl_->capture.get())
        return;
    DeviceCore* core = capture->GetImpl()->core;
    core->capture.store(nullptr, std::memory_order_seq_cst);
    // A card stuck in its callback may still hold the ring: better leak it than free it.
    if (!core->WaitOutCallback()) {
        (void)impl_->capture.release();
        return;
    }
    impl_->capture.reset();
}

namespace {
std::atomic<unsigned long> g_syncTime{5000};
}

unsigned long GetSyncTime() {
    return g_syncTime.load();
}
void SetSyncTime(unsigned long value) {
    g_syncTime.store(value);
}
