// The audio setup wizard's decisions: how many cards, which layout, which card plays what, and
// the complete assignment those answers give. The pages only show this state and forward the
// user's choices; refusals are shown as message boxes from here. User-interface thread.
#pragma once

#include <string>
#include <vector>

class OutputDevice;

namespace zem::audio {

class GlobalDspEditor;

class AudioWizard {
public:
    int CardCount() const { return m_cardCount; }
    bool FaderLayout() const { return m_faderLayout; }
    bool SharedHeadphones() const { return m_sharedHeadphones; }
    int FirstCard() const { return m_firstCard; }
    int SecondCard() const { return m_secondCard; }

    // Card-count page: option 1, 2 or 3 (three or more). Three is refused with its message
    // and the page stays.
    bool LeaveCardCountPage(int option);

    // Layout page. Shared headphones can only be chosen with one card and the
    // speaker/headphones layout; two cards force it off.
    void SetFaderLayout(bool fader);
    void SetSharedHeadphones(bool shared);
    bool SharedHeadphonesEnabled() const;

    // Card page: the roles, the two list labels and whether the second list is used.
    std::string FirstRole() const;
    std::string SecondRole() const;
    std::string FirstListLabel() const;
    std::string SecondListLabel() const;
    bool SecondListEnabled() const { return m_cardCount == 2; }
    // Takes the two list choices (-1 = none); with one card the second is ignored. Refused,
    // with its message, when a needed choice is missing or both name the same card, and when a
    // layout that needs a four-channel card gets one with fewer outputs (firstCardOutputs: the
    // first card's sub-channels, -1 when not known).
    bool LeaveCardPage(int first, int second, int firstCardOutputs = -1);

    // Writes the assignment the answers describe into the cards (devices in the order the
    // card lists showed them) and sets up the down-mixer for a single four-channel card.
    // False only when the chosen cards are not in devices (nothing is changed then).
    bool Finish(const std::vector<OutputDevice*>& devices, GlobalDspEditor& dsp) const;

private:
    void FinishTwoCards(OutputDevice& a, OutputDevice& b) const;
    void FinishOneCard(OutputDevice& a, GlobalDspEditor& dsp) const;

    int m_cardCount = 1;
    bool m_faderLayout = false;
    bool m_sharedHeadphones = false;
    int m_firstCard = -1;
    int m_secondCard = -1;
};

} // namespace zem::audio
