#include "app/pads/pad_table.h"

#include "engine/deck/mixer_device.h"
#include "engine/deck/playback_sizes.h"
#include "engine/foundations/zem_exception.h"
#include "engine/mixer/mixer.h"
#include "platform/profile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace zem::pads {

PadHost::~PadHost() = default;

std::string PadCommandName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return kCommandPrefix + (slash == std::string::npos ? path : path.substr(slash + 1));
}

MixerDevice* AddPadDevice(Mixer& mixer, const std::string& path) {
    if (path.empty())
        return nullptr;
    const size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot);
    std::unique_ptr<MixerDevice> device(extension.empty() ? nullptr
                                                          : mixer.GetDeviceType(extension.data()));
    if (!device)
        return nullptr;
    std::string file = path;
    device->LoadFile(file.data());
    // The decks' block size, raised as theirs is when it is too small to play without gaps.
    const int blockKiB = zem::profile::GetInt("Playback", "Block size (k)", 60);
    const PlaybackSizes sizes = ChoosePlaybackSizes(*device->GetWaveFormatEx(), 1500, blockKiB);
    device->SetOutputBlockSize(sizes.blockBytes);
    // The mixer takes the device only when adding succeeds.
    mixer.AddEffect(device.get());
    return device.release();
}

CPadTable::CPadTable(Mixer& mixer, PadHost& host) : m_mixer(mixer), m_host(host) {}

CPadTable::~CPadTable() {
    for (PadRecord& pad : m_pads)
        Unload(pad);
}

void CPadTable::ReadFile(const std::string& path) {
    std::vector<PadRecord> records;
    if (ReadSfxFile(path, records) == SfxReadResult::PreviousVersion) {
        m_host.ShowMessage(kPreviousVersionText);
        return;
    }
    for (const PadRecord& record : records)
        Add(record);
}

bool CPadTable::WriteFile(const std::string& path) const {
    return WriteSfxFile(path, m_pads);
}

uint16_t CPadTable::LowestFreeCommand() const {
    for (uint32_t command = kFirstPadCommand; command <= kLastPadCommand; ++command)
        if (!Find(static_cast<uint16_t>(command)))
            return static_cast<uint16_t>(command);
    return 0;
}

void CPadTable::Add(PadRecord record) {
    record.device = nullptr;
    record.path[kPathSize - 1] = '\0';
    record.volume = std::clamp(record.volume, 0, 100);
    record.stopIfPlaying = record.stopIfPlaying ? 1 : 0;
    // A number outside the pads' range would take over another command's keys, and a second
    // pad on one number could never fire: both get a free number instead.
    if (record.command < kFirstPadCommand || record.command > kLastPadCommand ||
        Find(record.command))
        record.command = LowestFreeCommand();
    if (record.command == 0)
        return; // every number is taken: no key could reach the pad
    Load(record);
    m_host.RegisterPadCommand(record.command, PadCommandName(record.Path()));
    m_pads.push_back(record);
}

void CPadTable::Unload(PadRecord& pad) {
    if (pad.device)
        m_mixer.RemoveEffect(pad.device);
    pad.device = nullptr;
}

void CPadTable::Load(PadRecord& pad) {
    try {
        MixerDevice* device = AddPadDevice(m_mixer, pad.Path());
        if (!device)
            return;
        Unload(pad);
        pad.device = device;
    } catch (ZEMException& e) {
        m_host.ShowMessage(e.GetMessage());
    }
}

const PadRecord* CPadTable::Find(uint16_t command) const {
    for (const PadRecord& pad : m_pads)
        if (pad.command == command)
            return &pad;
    return nullptr;
}

void CPadTable::Fire(uint16_t command) {
    const PadRecord* pad = Find(command);
    if (!pad) {
        m_host.ShowMessage(kPadNotFoundText);
        return;
    }
    if (!pad->device) {
        char text[512];
        std::snprintf(text, sizeof text, kPadNotLoadedFormat, pad->Path().c_str());
        m_host.ShowMessage(text);
        return;
    }
    MixerDevice& device = *pad->device;
    device.SetVolume(pad->volume, kVChannel0);
    if (device.IsPlaying() && pad->stopIfPlaying) {
        device.Stop();
        return;
    }
    device.SetPosition(0, false);
    if (!device.IsPlaying())
        device.Play();
}

void CPadTable::Remove(size_t index) {
    if (index >= m_pads.size())
        return;
    Unload(m_pads[index]);
    m_host.UnregisterPadCommand(m_pads[index].command);
    m_pads.erase(m_pads.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace zem::pads
