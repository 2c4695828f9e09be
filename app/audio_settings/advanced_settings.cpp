#include "app/audio_settings/advanced_settings.h"

#include "app/audio_settings/number_text.h"
#include "contracts/soundrail.h"
#include "platform/ui_hooks.h"

#include <algorithm>

namespace zem::audio {

const std::vector<unsigned long>& OfferedSampleRates() {
    static const std::vector<unsigned long> rates{22050, 32000, 44100,  48000,
                                                  88200, 96000, 176400, 192000};
    return rates;
}

AdvancedAudioSettings::AdvancedAudioSettings(std::vector<OutputDevice*> devices)
    : m_devices(std::move(devices)) {
    for (OutputDevice* d : m_devices)
        m_original.push_back(Read(*d));
    m_edited = m_original;
}

CardSettings AdvancedAudioSettings::Read(OutputDevice& device) {
    CardSettings s;
    s.enabled = !device.GetDisabled();
    s.softwarePlayback = device.GetSoftwarePlayback();
    WAVEFORMATEX format{};
    device.GetWaveFormat(&format);
    s.sampleRate = format.nSamplesPerSec;
    s.speedOffset = device.GetSpeedOffset();
    for (int c = 0; c < kDeckChannelCount; ++c)
        s.decks[c] = device.GetChannelAssignment(c);
    s.headphones = device.GetHeadphoneAssignment();
    s.master = device.GetMasterChannel();
    s.sfx = device.GetSFXAssignment();
    return s;
}

std::string AdvancedAudioSettings::CardName(int card) const {
    return m_devices[card]->GetOutputDeviceName();
}

std::vector<std::string> AdvancedAudioSettings::SubChannelChoices(int card) const {
    std::vector<std::string> labels;
    m_devices[card]->GetSubChannelLabels(labels);
    labels.insert(labels.begin(), "Not on this card");
    return labels;
}

void AdvancedAudioSettings::AssignDecks(int card, int first, int last, int subChannel) {
    first = std::max(first, 0);
    last = std::min(last, kDeckChannelCount - 1);
    for (int c = first; c <= last; ++c)
        m_edited[card].decks[c] = subChannel;
}

bool AdvancedAudioSettings::Apply(const std::vector<std::string>& speedOffsetTexts) {
    std::vector<float> offsets(m_devices.size());
    for (size_t i = 0; i < m_devices.size(); ++i) {
        if (i < speedOffsetTexts.size() && !ParseSpeedOffset(speedOffsetTexts[i], offsets[i])) {
            ShowMessageBox(kSpeedOffsetRange);
            return false;
        }
        if (i >= speedOffsetTexts.size())
            offsets[i] = m_edited[i].speedOffset;
    }
    m_rateRefusals.clear();
    for (size_t i = 0; i < m_devices.size(); ++i) {
        // The field shows two decimals: an untouched field must not round the card's value.
        if (FormatSpeedOffset(offsets[i]) != FormatSpeedOffset(m_original[i].speedOffset))
            m_edited[i].speedOffset = offsets[i];
        Write(static_cast<int>(i));
    }
    return true;
}

void AdvancedAudioSettings::Write(int card) {
    OutputDevice& d = *m_devices[card];
    const CardSettings& was = m_original[card];
    CardSettings& now = m_edited[card];
    if (now.enabled != was.enabled)
        d.SetDisabled(!now.enabled);
    if (now.softwarePlayback != was.softwarePlayback)
        d.SetSoftwarePlayback(now.softwarePlayback);
    if (now.sampleRate != was.sampleRate) {
        WAVEFORMATEX format{};
        d.GetWaveFormat(&format);
        format.nSamplesPerSec = now.sampleRate;
        format.nAvgBytesPerSec = now.sampleRate * format.nBlockAlign;
        d.SetWaveFormat(&format);
        d.GetWaveFormat(&format);
        if (format.nSamplesPerSec != now.sampleRate) {
            m_rateRefusals.push_back(CardName(card));
            now.sampleRate = format.nSamplesPerSec;
        }
    }
    if (now.speedOffset != was.speedOffset)
        d.SetSpeedOffset(now.speedOffset);
    for (int c = 0; c < kDeckChannelCount; ++c)
        if (now.decks[c] != was.decks[c])
            d.SetChannelAssignment(c, now.decks[c]);
    if (now.headphones != was.headphones)
        d.SetHeadphoneAssignment(now.headphones);
    if (now.master != was.master)
        d.SetMasterChannel(now.master);
    if (now.sfx != was.sfx)
        d.SetSFXAssignment(now.sfx);
    m_original[card] = Read(d);
    now = m_original[card];
}

} // namespace zem::audio
