#include "engine/mixer/mixer.h"

#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/device_module_loader.h"
#include "engine/input_modules/dll_input_buffer.h"
#include "engine/input_modules/dll_input_buffer_winamp.h"
#include "engine/mixer/capture_input_buffer.h"
#include "platform/files.h"
#include "platform/library.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>

namespace {

const char kNoDeckGroupMessage[] =
    "Unable to create output group...\n\nMake sure this channel is assigned to a soundcard under "
    "Settings | Audio settings | Advanced settings... or rerun the Audio Setup Wizard (Settings | "
    "Audio settings | Audio setup wizard...)";
const char kNoSfxGroupMessage[] =
    "Unable to create output group...\n\nMake sure SFX is assigned to a soundcard under Settings "
    "| Audio settings | Advanced settings... or rerun the Audio Setup Wizard (Settings | Audio "
    "settings | Audio setup wizard...)";

// True when the ";"-separated list holds the dotted extension, ignoring case. Empty tokens
// (the list usually ends in ";") match nothing.
bool ListHoldsExtension(const char* list, const char* extension) {
    const std::string text = list;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(';', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string token = text.substr(at, end - at);
        if (!token.empty() && strcasecmp(token.c_str(), extension) == 0)
            return true;
        at = end + 1;
    }
    return false;
}

template <typename T> void EraseFirst(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}

} // namespace

Mixer::Mixer(HWND parent) : m_parent(parent), m_outputManager(new OutputManager) {}

void Mixer::Prepare() {}

Mixer::~Mixer() {
    while (!m_channels.empty()) {
        MixerDevice* device = m_channels.front();
        try {
            RemoveDevice(device);
        } catch (const ZEMException&) {
            // A deck whose thread would not end is logged; the others still go.
        }
        delete device;
    }
    while (!m_effects.empty())
        RemoveEffect(m_effects.front());
    for (DeviceModuleInfo* info : m_modules) {
        FreeDeviceModule(*info);
        delete info;
    }
    m_modules.clear();
    delete m_outputManager;
    m_outputManager = nullptr;
}

void Mixer::InitSound() {
    const char* folder = ZEM_GetZEMPath(2);
    if (!folder)
        return;
    const std::string pattern = std::string("*") + zem::kPluginSuffix;
    for (const std::string& name : zem::ScanDirectory(folder, pattern)) {
        std::string path = zem::JoinPath(folder, name);
        m_outputManager->LoadOutputModule(path.data());
    }
}

int Mixer::AddInputBufferModule(char* path) {
    auto* info = new DeviceModuleInfo;
    ClearDeviceModuleInfo(*info);
    info->hInstance = nullptr;
    if (!path || !LoadDeviceModule(path, *info, false)) {
        delete info;
        return 0;
    }
    m_modules.push_back(info);
    return 1;
}

int Mixer::RemoveInputBufferModule(char* path) {
    if (!path)
        return 1;
    for (auto it = m_modules.begin(); it != m_modules.end(); ++it) {
        if (std::strcmp((*it)->path, path) != 0)
            continue;
        FreeDeviceModule(**it);
        delete *it;
        m_modules.erase(it);
        return 0;
    }
    return 1;
}

void Mixer::GetDeviceModuleInfos(std::vector<DeviceModuleInfo*>& infos) const {
    infos.assign(m_modules.begin(), m_modules.end());
}

DeviceInputBuffer* Mixer::GetInputBufferType(char* extension) {
    if (!extension)
        return nullptr;
    for (DeviceModuleInfo* info : m_modules)
        if (ListHoldsExtension(info->extensions, extension))
            return CreateDeviceInputBuffer(info);
    return nullptr;
}

DeviceInputBuffer* Mixer::CreateDeviceInputBuffer(DeviceModuleInfo* info) {
    if (!info)
        return nullptr;
    switch (info->type) {
    case kModuleTypeNative:
        return new DLLInputBuffer(info->path);
    case kModuleTypeWinamp:
        return new DLLInputBuffer_WinAMP(info->path);
    default:
        return nullptr;
    }
}

MixerDevice* Mixer::GetDeviceType(char* extension) {
    DeviceInputBuffer* buffer = GetInputBufferType(extension);
    if (!buffer)
        return nullptr;
    auto* device = new StreamDevice;
    device->SetMainInputBuffer(buffer);
    return device;
}

void Mixer::AttachOutput(MixerDevice* device, int channel, unsigned long bufferBytes,
                         const char* failureMessage) {
    OutputGroup* group =
        m_outputManager->CreateOutputGroup(channel, device->GetWaveFormatEx(), bufferBytes);
    if (!group)
        throw ZEMException(failureMessage, false, 0);
    device->SetOutputGroup(group);
    try {
        device->Prepare();
    } catch (...) {
        device->SetOutputGroup(nullptr);
        delete group;
        throw;
    }
    device->SetMixer(this);
}

int Mixer::AddDevice(MixerDevice* device, unsigned long bufferBytes) {
    int n = 0;
    while (n < GetNumDevices() && GetChannelIndex(n) != -1)
        ++n;
    device->SetChannel(n);
    AttachOutput(device, n, bufferBytes, kNoDeckGroupMessage);
    m_channels.push_back(device);
    UpdateVolumes();
    return n;
}

void Mixer::RemoveDevice(MixerDevice* device) {
    if (!device)
        return;
    const bool listed = std::find(m_channels.begin(), m_channels.end(), device) != m_channels.end();
    // A device that was never attached has nothing to stop or release.
    if (!listed && !device->GetOutputGroup())
        return;
    EraseFirst(m_channels, device);
    device->Stop();
    device->UnPrepare();
    device->SetMixer(nullptr);
    delete device->GetOutputGroup();
    device->SetOutputGroup(nullptr);
}

int Mixer::AddEffect(MixerDevice* device) {
    // Two seconds of buffer.
    AttachOutput(device, -1, 2 * device->GetWaveFormatEx()->nAvgBytesPerSec, kNoSfxGroupMessage);
    device->SetChannel(-1);
    m_effects.push_back(device);
    return -1;
}

void Mixer::RemoveEffect(MixerDevice* device) {
    // Only listed devices are the mixer's to delete.
    if (std::find(m_effects.begin(), m_effects.end(), device) == m_effects.end())
        return;
    EraseFirst(m_effects, device);
    device->UnPrepare();
    device->SetMixer(nullptr);
    delete device->GetOutputGroup();
    device->SetOutputGroup(nullptr);
    delete device;
}

MixerDevice* Mixer::GetDevice(int index) const {
    if (index < 0 || index >= GetNumDevices())
        return nullptr;
    return m_channels[static_cast<size_t>(index)];
}

MixerDevice* Mixer::GetChannel(int channel) const {
    const int index = GetChannelIndex(channel);
    return index == -1 ? nullptr : m_channels[static_cast<size_t>(index)];
}

MixerDevice* Mixer::GetEffect(int index) const {
    if (index < 0 || index >= GetNumEffects())
        return nullptr;
    return m_effects[static_cast<size_t>(index)];
}

int Mixer::GetChannelIndex(int channel) const {
    for (size_t i = 0; i < m_channels.size(); ++i)
        if (m_channels[i]->GetChannel() == channel)
            return static_cast<int>(i);
    return -1;
}

InputBuffer* Mixer::CreateCaptureBuffer(WAVEFORMATEX&) {
    InputDevice* input = m_outputManager->GetInputDevice(0);
    return input ? new CaptureInputBuffer(input) : nullptr;
}

void Mixer::SetFaderType(int type) {
    m_faderType = type;
    SetFaderPercent(m_faderPercent);
}

void Mixer::SetFaderChannels(int channelA, int channelB) {
    if (channelA != -1)
        m_faderChannelA = channelA;
    if (channelB != -1)
        m_faderChannelB = channelB;
    SetFaderPercent(m_faderPercent);
}

void Mixer::SetFaderPercent(int percent) {
    m_faderPercent = percent;
    MixerDevice* a = GetChannel(m_faderChannelA);
    MixerDevice* b = GetChannel(m_faderChannelB);
    if (a == b)
        return;
    // The last unit of each share comes from these exact roundings: A in double, B through a
    // single-precision float (centre 0.75 at +16 gives 62 and 87).
    const double base = 100.0 / static_cast<double>(m_faderCenterVolume);
    const double p = static_cast<double>(percent) + 100.0;
    const int valueA = static_cast<int>(100.0 * (base - (p - (200.0 - base))) / base);
    const float shareB = static_cast<float>(100.0 * (base - ((200.0 - p) - (200.0 - base))) / base);
    const int valueB = static_cast<int>(shareB);
    if (a)
        a->SetFaderPercent(valueA);
    if (b)
        b->SetFaderPercent(valueB);
}

void Mixer::SetHeadphoneMute(int channel, bool mute) {
    if (MixerDevice* device = GetChannel(channel))
        device->SetHeadphoneMute(mute);
}

bool Mixer::GetHeadphoneMute(int channel) {
    MixerDevice* device = GetChannel(channel);
    return device ? device->GetHeadphoneMute() : true;
}

void Mixer::UpdateVolumes() {
    for (MixerDevice* device : m_channels) {
        device->SetRelativeVolume(100, kVChannelAll);
        device->SetHeadphoneMute(device->GetStoredHeadphoneMute());
    }
    SetFaderPercent(m_faderPercent);
}
