// The advanced audio settings' behaviour: a working copy of every card's switches, rate, speed
// offset and assignments that the pages edit; Apply writes only what differs from the card,
// and nothing reaches a card before that. User-interface thread.
#pragma once

#include "app/audio_settings/audio_texts.h"

#include <array>
#include <string>
#include <vector>

class OutputDevice;

namespace zem::audio {

struct CardSettings {
    bool enabled = true;
    bool softwarePlayback = false;
    unsigned long sampleRate = 44100;
    float speedOffset = 0.f;
    std::array<int, kDeckChannelCount> decks{}; // sub-channel per deck channel, 0 = not here
    int headphones = 0;
    int master = 0;
    int sfx = 0;

    bool operator==(const CardSettings&) const = default;
};

// The rates offered in the sample-rate choice.
const std::vector<unsigned long>& OfferedSampleRates();

class AdvancedAudioSettings {
public:
    explicit AdvancedAudioSettings(std::vector<OutputDevice*> devices);

    int CardCount() const { return static_cast<int>(m_devices.size()); }
    std::string CardName(int card) const;
    // "Not on this card" first, then the card's own sub-channel labels (sub-channel 1 first).
    std::vector<std::string> SubChannelChoices(int card) const;

    CardSettings& Edited(int card) { return m_edited[card]; }
    const CardSettings& Edited(int card) const { return m_edited[card]; }
    // Sets deck channels first..last (inclusive, clipped to 0..255) to subChannel.
    void AssignDecks(int card, int first, int last, int subChannel);

    // Writes every changed value through the cards. Refused, with the range message and
    // nothing written, when speedOffsetTexts (one per card) holds an offset out of range.
    bool Apply(const std::vector<std::string>& speedOffsetTexts);
    // Cards whose rate could not change at the last Apply because they were open.
    const std::vector<std::string>& RateRefusals() const { return m_rateRefusals; }

private:
    static CardSettings Read(OutputDevice& device);
    void Write(int card);

    std::vector<OutputDevice*> m_devices;
    std::vector<CardSettings> m_original;
    std::vector<CardSettings> m_edited;
    std::vector<std::string> m_rateRefusals;
};

} // namespace zem::audio
