#include "app/decks/deck_view/deck_settings_model.h"

#include "engine/deck/mixer_device.h"
#include "engine/mixer/mixer.h"

#include <cstdio>

namespace zem::deckview {

std::string DeckSettingsModel::TempoText(MixerDevice& deck) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f(%.2f)", static_cast<double>(deck.GetCurrentTempo()),
                  static_cast<double>(deck.GetBPMInfo()->baseTempo));
    return text;
}

std::vector<OtherDeck> DeckSettingsModel::OtherDecks() const {
    std::vector<OtherDeck> decks;
    Mixer* mixer = m_deck.GetMixer();
    if (!mixer)
        return decks;
    for (int i = 0; i < mixer->GetNumDevices(); ++i) {
        MixerDevice* d = mixer->GetDevice(i);
        if (!d || d == &m_deck)
            continue;
        char name[MixerDevice::kPathSize];
        d->GetFilename(name);
        char label[MixerDevice::kPathSize + 32];
        std::snprintf(label, sizeof label, "Ch %d: %s", d->GetChannel(), name);
        decks.push_back({d, label});
    }
    return decks;
}

std::string DeckSettingsModel::MatchText(MixerDevice& other) const {
    const double mine = m_deck.GetCurrentTempo();
    if (mine == 0)
        return std::string();
    const double change = (other.GetCurrentTempo() - mine) / mine * 100.0;
    char text[64];
    std::snprintf(text, sizeof text, change > 0 ? "+%.2f" : "%.2f", change);
    return text;
}

void DeckSettingsModel::ResetToOwnRate() {
    m_deck.SetPitch(m_deck.GetOriginalPitch());
}

bool DeckSettingsModel::MatchThisTo(MixerDevice& other) {
    if (m_deck.GetCurrentTempo() == 0 || other.GetCurrentTempo() == 0)
        return false;
    m_deck.PitchMatchTo(&other);
    return true;
}

bool DeckSettingsModel::MatchOtherToThis(MixerDevice& other) {
    if (m_deck.GetCurrentTempo() == 0 || other.GetCurrentTempo() == 0)
        return false;
    other.PitchMatchTo(&m_deck);
    return true;
}

} // namespace zem::deckview
