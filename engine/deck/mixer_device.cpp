#include "engine/deck/mixer_device.h"

#include "contracts/private_ini.h"
#include "engine/effects/effects_module.h"
#include "engine/effects/global_dsp_list.h"
#include "engine/foundations/standard_dirs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

MixerDeviceParent::~MixerDeviceParent() = default;

namespace {

void setupEqualizer(Equalizer& eq, const float (*bands)[2], int count) {
    eq.setSR(44100.f);
    for (int i = 0; i < count; ++i)
        eq.setFreqBoostAndBandWidth(i, bands[i][0], 1.0f, bands[i][1]);
    eq.SetNumBands(count);
}

const float kTenBands[10][2] = {{60, 0.4f},     {100, 0.3f},    {250, 0.2f},  {500, 0.1f},
                                {1000, 0.1f},   {2000, 0.1f},   {5000, 0.1f}, {10000, 0.07f},
                                {14000, 0.02f}, {18000, 0.055f}};
const float kThreeBands[3][2] = {{100, 0.4f}, {1500, 0.3f}, {14000, 0.2f}};

} // namespace

MixerDevice::MixerDevice() : m_tempo(new BPMInfo) {
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.nChannels = 2;
    m_format.nSamplesPerSec = 22050;
    m_format.nAvgBytesPerSec = 88200;
    m_format.nBlockAlign = 4;
    m_format.wBitsPerSample = 16;
    m_format.cbSize = 0;
    setupEqualizer(m_eq10, kTenBands, 10);
    setupEqualizer(m_eq3, kThreeBands, 3);
    m_eqFile[0] = '\0';
    m_eqEnabled = true;
    m_effectsEnabled = true;
    SetActiveEqualizer(10);
    m_readOnly = 0;
    SetOutputBlockSize(15000);
}

MixerDevice::~MixerDevice() {
    // The stream device has already stopped itself; this only reaches the output group.
    if (m_outputGroup)
        MixerDevice::Stop();
    delete m_tempo;
    std::lock_guard<std::recursive_mutex> lock(m_effectsLock);
    for (DLLEffectsModule* m : m_effects)
        delete m;
    m_effects.clear();
}

void MixerDevice::Prepare() {
    GetActiveEqualizer()->setSR(static_cast<float>(m_format.nSamplesPerSec));
    SetOutputBlockSize(m_blockSize.load());
}

void MixerDevice::UnPrepare() {}

void MixerDevice::DSProcessSample(char* data, unsigned long& length) {
    short* samples = reinterpret_cast<short*>(data);
    GetActiveEqualizer()->tickVectorStereo(samples, samples, length / 2);
    std::lock_guard<std::recursive_mutex> lock(m_effectsLock);
    if (!m_effectsEnabled.load(std::memory_order_relaxed) || m_format.nBlockAlign == 0)
        return;
    uint32_t frames = static_cast<uint32_t>(length / m_format.nBlockAlign);
    for (DLLEffectsModule* m : m_effects)
        m->ProcessSamples(reinterpret_cast<int16_t*>(data), frames);
    length = static_cast<unsigned long>(frames) * m_format.nBlockAlign;
}

void MixerDevice::LoadFile(char* path) {
    std::snprintf(m_path, sizeof m_path, "%s", path ? path : "");
    m_blockSize.store(0);
}

void MixerDevice::Play() {
    DoPlay();
}

void MixerDevice::Stop() {
    DoStop();
}

void MixerDevice::DoPlay() {
    if (!m_outputGroup || GetPlayStatus() != 0)
        return;
    m_outputGroup->Play();
    SetPlayStatus(1);
    SetFoundEndFlag(false);
    if (m_parentDoc)
        m_parentDoc->OnDevicePlay(this);
}

void MixerDevice::DoStop() {
    if (!m_outputGroup)
        return;
    m_outputGroup->Stop();
    SetPlayStatus(0);
    if (m_parentDoc)
        m_parentDoc->OnDeviceStop(this);
}

void MixerDevice::SetPosition(long, bool) {}
void MixerDevice::NudgePosition(long) {}
unsigned long MixerDevice::GetPosition() {
    return 0;
}

unsigned long MixerDevice::GetLength() {
    return m_outputGroup ? m_outputGroup->GetBufferBytes() : 0;
}

unsigned long MixerDevice::GetTickCount() {
    if (m_format.nAvgBytesPerSec == 0)
        return 0;
    return GetPosition() / m_format.nAvgBytesPerSec;
}

unsigned long MixerDevice::GetTotalTime() {
    return 0;
}

void MixerDevice::StoreStoredPosition(int slot, unsigned long position, int which) {
    if (slot < 0 || slot >= kStoredPositions)
        return;
    if (which != 0)
        m_stored[slot].end.store(static_cast<long>(position));
    else
        m_stored[slot].start.store(static_cast<long>(position));
}

void MixerDevice::RestoreStoredPosition(int slot, int which, bool seamless) {
    if (slot < 0 || slot >= kStoredPositions)
        return;
    long value = which != 0 ? m_stored[slot].end.load() : m_stored[slot].start.load();
    if (value == -1)
        value = 0;
    SetPosition(value, seamless);
}

StoredPosition* MixerDevice::GetStoredPosition(int slot) {
    if (slot < 0 || slot > 9)
        return nullptr;
    return &m_stored[slot];
}

void MixerDevice::SetLoopSlot(int slot) {
    m_loopSlot.store(slot == -1 ? kNoLoopSlot : slot);
}

void MixerDevice::DisplayMessage(char*) {}

bool MixerDevice::ShowSettings() {
    return false;
}

char* MixerDevice::GetFilename(char* buffer) const {
    const char* sep = std::strrchr(m_path, '/');
    const char* back = std::strrchr(m_path, '\\');
    if (!sep || (back && back > sep))
        sep = back;
    std::strcpy(buffer, sep ? sep + 1 : m_path);
    return buffer;
}

char* MixerDevice::GetFullPath(char* buffer) const {
    std::strcpy(buffer, m_path);
    return buffer;
}

void MixerDevice::SetPitch(unsigned long rate) {
    if (m_outputGroup)
        m_outputGroup->SetPitch(rate);
    const float own = static_cast<float>(m_format.nSamplesPerSec);
    // The tempo record keeps its plain layout; its current tempo is written atomically because
    // a pitch ramp calls this on its own thread while the window reads it.
    std::atomic_ref<float> current(m_tempo->currentTempo);
    if (current.load(std::memory_order_relaxed) == 0.f)
        current.store(m_tempo->baseTempo, std::memory_order_relaxed);
    else if (own != 0.f)
        current.store(static_cast<float>(rate) / own * m_tempo->baseTempo,
                      std::memory_order_relaxed);
    if (own != 0.f)
        m_pitchChange.store((static_cast<float>(rate) / own - 1.f) * 100.f,
                            std::memory_order_relaxed);
}

float MixerDevice::GetCurrentTempo() const {
    return std::atomic_ref<float>(m_tempo->currentTempo).load(std::memory_order_relaxed);
}

unsigned long MixerDevice::GetPitch() {
    return m_outputGroup ? m_outputGroup->GetPitch() : 0;
}

float MixerDevice::PitchMatchTo(MixerDevice* other) {
    const float mine = m_tempo->currentTempo;
    const float ratio = (other->m_tempo->currentTempo - mine) / mine;
    const unsigned long pitch = GetPitch();
    const unsigned long rate =
        static_cast<unsigned long>(static_cast<float>(pitch) + static_cast<float>(pitch) * ratio);
    SetPitch(rate);
    return ratio;
}

void MixerDevice::SetVolume(long value, VChannel channel) {
    switch (channel) {
    case kVChannel0:
        m_volume[0] = value;
        if (m_volume[2] < m_volume[1])
            m_volume[1] = value;
        else if (m_volume[2] > m_volume[1])
            m_volume[2] = value;
        else
            m_volume[1] = m_volume[2] = value;
        break;
    case kVChannel1:
        m_volume[1] = value;
        if (value >= m_volume[2])
            m_volume[0] = value;
        break;
    case kVChannel2:
        m_volume[2] = value;
        if (value >= m_volume[1])
            m_volume[0] = value;
        break;
    default:
        break;
    }
    DoSetVolume();
}

long MixerDevice::GetVolume(VChannel channel) const {
    if (channel >= kVChannel0 && channel <= kVChannel2)
        return m_volume[channel];
    return channel;
}

void MixerDevice::DoSetVolume() {
    if (!m_outputGroup)
        return;
    // The single-precision 0.01 is slightly below 0.01 and the product is taken in double,
    // so volume 70 at full share gives 69 %, not 70 %.
    const long percent = static_cast<long>(static_cast<double>(m_volume[0] * m_relativeVolume[0]) *
                                           static_cast<double>(0.01f));
    m_outputGroup->SetVolume((percent - 100) * 100, false);
    m_outputGroup->SetHeadphoneVolume((m_volume[0] - 100) * 100);
}

void MixerDevice::SetRelativeVolume(int percent, VChannel channel) {
    if (percent < 0 || percent > 100)
        percent = 100;
    if (channel >= kVChannel0 && channel <= kVChannel2)
        m_relativeVolume[channel] = percent;
    else if (channel == kVChannelAll)
        m_relativeVolume[0] = m_relativeVolume[1] = m_relativeVolume[2] = percent;
    DoSetVolume();
}

int MixerDevice::GetRelativeVolume(VChannel channel) const {
    if (channel >= kVChannel0 && channel <= kVChannel2)
        return m_relativeVolume[channel];
    return 0;
}

void MixerDevice::SetFaderPercent(int percent) {
    SetRelativeVolume(std::clamp(percent, 0, 100), kVChannelAll);
}

void MixerDevice::SetHeadphoneMute(bool mute) {
    m_headphoneMute = mute;
    if (m_outputGroup)
        m_outputGroup->SetHeadphoneMute(mute);
}

bool MixerDevice::GetHeadphoneMute() {
    return m_outputGroup ? m_outputGroup->GetHeadphoneMute() : m_headphoneMute;
}

void MixerDevice::PausedLoopingUpdate(double seconds) {
    unsigned long length;
    if (seconds != 0)
        length = static_cast<unsigned long>(seconds * m_format.nAvgBytesPerSec);
    else
        length = m_pausedLoopEnd.load() - m_pausedLoopStart.load();
    unsigned long start = 0;
    if (m_outputGroup) {
        m_outputGroup->UpdatePositions();
        start = m_outputGroup->GetLogicalReadPosition();
    }
    m_pausedLoopStart.store(start);
    m_pausedLoopEnd.store(start + length);
}

void MixerDevice::PausedLoopingBegin(double seconds) {
    PausedLoopingUpdate(seconds);
    Play();
    SetPlayStatus(2);
}

void MixerDevice::PausedLoopingEnd() {
    Stop();
    if (m_outputGroup)
        m_outputGroup->SetLogicalReadPosition(m_pausedLoopStart.load());
}

void MixerDevice::SetNotesText(char* text) {
    std::snprintf(m_notes, kNotesSize, "%s", text ? text : "");
}

unsigned long MixerDevice::GetUnderrunFrames() const {
    return m_outputGroup ? m_outputGroup->GetUnderrunFrames() : 0;
}

void MixerDevice::SetOutputBlockSize(unsigned long size) {
    if (m_outputGroup && m_outputGroup->GetBufferBytes() < 2 * size)
        size = m_outputGroup->GetBufferBytes() / 2;
    const unsigned long align = m_format.nBlockAlign ? m_format.nBlockAlign : 1;
    m_blockSize.store(align * (size / align));
}

bool MixerDevice::SetActiveEqualizer(int bands) {
    Equalizer* eq = GetEqualizer(bands);
    if (!eq)
        return false;
    m_activeEq.store(eq);
    eq->SetEnable(m_eqEnabled);
    return true;
}

Equalizer* MixerDevice::GetEqualizer(int bands) {
    if (bands == 3)
        return &m_eq3;
    if (bands == 10)
        return &m_eq10;
    return nullptr;
}

void MixerDevice::SetEqualizerEnabled(bool on) {
    m_eqEnabled = on;
    GetActiveEqualizer()->SetEnable(on);
}

void MixerDevice::SetEqualizerFilename(const char* name) {
    std::snprintf(m_eqFile, kEqualizerFileSize, "%s", name ? name : "");
}

bool MixerDevice::AddDSPEffect(DLLEffectsModule* module, bool global) {
    if (!module)
        return false;
    if (module->GetEffectIndex() == -1)
        module->SetEffectIndex(0);
    module->Init();
    module->SetFormat(&m_format, static_cast<uint32_t>(m_blockSize.load()));
    module->SetGlobalStatus(global);
    std::lock_guard<std::recursive_mutex> lock(m_effectsLock);
    m_effects.push_back(module);
    return true;
}

bool MixerDevice::LoadDSPEffect(char* path, int effect, bool global) {
    DLLEffectsModule* module = LoadEffectsModule(path);
    if (!module)
        return false;
    module->SetEffectIndex(effect);
    return AddDSPEffect(module, global);
}

bool MixerDevice::RemoveDSPEffect(DLLEffectsModule* module) {
    std::lock_guard<std::recursive_mutex> lock(m_effectsLock);
    auto it = std::find(m_effects.begin(), m_effects.end(), module);
    if (it == m_effects.end())
        return false;
    delete *it;
    m_effects.erase(it);
    return true;
}

bool MixerDevice::LoadGlobalDSPEffects() {
    for (GlobalDSPEntry& entry : ReadGlobalDSPList())
        LoadDSPEffect(entry.first.data(), entry.second, true);
    return true;
}
