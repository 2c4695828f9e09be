// What the deck settings dialog shows and does, without its widgets: this deck's tempo, the
// other decks on the mixer, the pitch change that would match one of them, resetting the rate
// and matching either way.
#pragma once

#include <string>
#include <vector>

class MixerDevice;

namespace zem::deckview {

struct OtherDeck {
    MixerDevice* deck;
    std::string label; // "Ch %d: %s"
};

class DeckSettingsModel {
public:
    explicit DeckSettingsModel(MixerDevice& deck) : m_deck(deck) {}

    MixerDevice& GetDeck() const { return m_deck; }
    // "%.2f(%.2f)": current tempo, base tempo.
    static std::string TempoText(MixerDevice& deck);
    // Every deck on the mixer but this one, in the mixer's order.
    std::vector<OtherDeck> OtherDecks() const;
    // The pitch change in percent that would match other ("+%.2f" above 0, "%.2f" otherwise);
    // empty while this deck has no tempo to compare with.
    std::string MatchText(MixerDevice& other) const;

    void ResetToOwnRate();
    // PitchMatchTo one way or the other; false, and nothing changes, while either tempo is 0
    // (the match would divide by zero or stop the deck).
    bool MatchThisTo(MixerDevice& other);
    bool MatchOtherToThis(MixerDevice& other);

private:
    MixerDevice& m_deck;
};

} // namespace zem::deckview
