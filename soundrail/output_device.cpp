// OutputDevice: the settings pages' and the wizard's view of one card. User-interface thread;
// the mixing callback reads the same values through atomics.
#include "soundrail/device_core.h"

#include <algorithm>
#include <cmath>

using soundrail::DeviceCore;

namespace {

int8_t ClampSub(int subChannel) {
    return static_cast<int8_t>(subChannel >= 0 && subChannel <= 3 ? subChannel : 0);
}

} // namespace

OutputDevice::OutputDevice(Impl* impl) : impl_(impl) {}
OutputDevice::~OutputDevice() {
    delete impl_;
}

const char* OutputDevice::GetOutputDeviceName() {
    return impl_->core->name.c_str();
}

void OutputDevice::SetChannelAssignment(int channel, int subChannel) {
    if (channel < 0 || channel >= soundrail::kDeckChannels)
        return;
    impl_->core->assignment[channel].store(ClampSub(subChannel));
    impl_->core->channelsDirty = true;
}

int OutputDevice::GetChannelAssignment(int channel) {
    if (channel < 0 || channel >= soundrail::kDeckChannels)
        return 0;
    return impl_->core->assignment[channel].load();
}

void OutputDevice::SetHeadphoneAssignment(int subChannel) {
    impl_->core->headphones.store(ClampSub(subChannel));
    soundrail::SaveDeviceSettings(*impl_->core, "Headphones");
}

int OutputDevice::GetHeadphoneAssignment() {
    return impl_->core->headphones.load();
}

void OutputDevice::SetMasterChannel(int subChannel) {
    impl_->core->master.store(ClampSub(subChannel));
    soundrail::SaveDeviceSettings(*impl_->core, "Master");
}

int OutputDevice::GetMasterChannel() {
    return impl_->core->master.load();
}

void OutputDevice::SetSFXAssignment(int subChannel) {
    impl_->core->sfx.store(ClampSub(subChannel));
    soundrail::SaveDeviceSettings(*impl_->core, "SFX");
}

int OutputDevice::GetSFXAssignment() {
    return impl_->core->sfx.load();
}

void OutputDevice::ResetAssignments() {
    DeviceCore& d = *impl_->core;
    for (auto& a : d.assignment)
        a.store(0);
    d.headphones.store(0);
    d.master.store(0);
    d.sfx.store(0);
    soundrail::SaveDeviceSettings(d);
    d.channelsDirty = false;
}

void OutputDevice::SetDisabled(bool disabled) {
    impl_->core->disabled.store(disabled);
    soundrail::SaveDeviceSettings(*impl_->core, "Disabled");
}

bool OutputDevice::GetDisabled() {
    return impl_->core->disabled.load();
}

void OutputDevice::SetSoftwarePlayback(bool on) {
    impl_->core->softwarePlayback.store(on);
    soundrail::SaveDeviceSettings(*impl_->core, "Software Playback");
}

bool OutputDevice::GetSoftwarePlayback() {
    return impl_->core->softwarePlayback.load();
}

// Only the rate can be chosen (8000 to 192000); channels and sample size belong to the card.
// A card that is already open keeps its rate (the call is refused with a reason).
void OutputDevice::SetWaveFormat(const WAVEFORMATEX* format) {
    if (!format || format->nSamplesPerSec < 8000 || format->nSamplesPerSec > 192000)
        return;
    if (impl_->core->started) {
        impl_->core->lastError = "The rate of an open device cannot change.";
        return;
    }
    impl_->core->rate.store(format->nSamplesPerSec);
    soundrail::SaveDeviceSettings(*impl_->core, "Samples Per Second");
}

void OutputDevice::GetWaveFormat(WAVEFORMATEX* format) {
    if (!format)
        return;
    const DeviceCore& d = *impl_->core;
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = static_cast<uint16_t>(d.channels);
    format->nSamplesPerSec = d.rate.load();
    format->wBitsPerSample = 16;
    format->nBlockAlign = static_cast<uint16_t>(2 * d.channels);
    format->nAvgBytesPerSec = format->nSamplesPerSec * format->nBlockAlign;
    format->cbSize = 0;
}

// Percent added to the rate of every group on this card, within +-10 (corrects a card whose
// clock runs off). Values outside are clamped; not-a-number counts as 0.
void OutputDevice::SetSpeedOffset(float offset) {
    if (!std::isfinite(offset))
        offset = 0.f;
    impl_->core->speedOffset.store(std::clamp(offset, -10.f, 10.f));
    soundrail::SaveDeviceSettings(*impl_->core, "Speed Offset");
}

float OutputDevice::GetSpeedOffset() {
    return impl_->core->speedOffset.load();
}

void OutputDevice::GetSubChannelLabels(std::vector<std::string>& labels) {
    labels.clear();
    labels.push_back("Stereo (1/2)");
    if (impl_->core->channels >= 4) {
        labels.push_back("Pair A (1/2)");
        labels.push_back("Pair B (3/4)");
    }
}

const char* OutputDevice::GetLastError() {
    return impl_->core->LastError();
}
