// What the "Fader sides" window shows, read from the host without any widget: the decks on the
// crossfader's two sides and which way the fade button goes. The view calls Refresh on its timer
// and draws the texts; tests drive the same class against a fake host.
//
// Thread: the interface thread only (the view's timer and button).
#pragma once

#include <string>

namespace fader_sides {

// Hostlink's channel codes for the crossfader's sides.
inline constexpr int kLeftSide = -4;
inline constexpr int kRightSide = -5;
inline constexpr unsigned long kFadeMs = 3000;

// One side as last read.
struct DeckSide {
    int channel = -1; // the deck's ID; -1 when no deck sits on that side
    std::string file; // the song's file name without its folder
    unsigned long positionMs = 0;
    unsigned long totalMs = 0;
    bool playing = false;
};

// The texts of one side's labels.
struct SideTexts {
    std::string channel; // "Deck 2", or "No deck"
    std::string file;
    std::string time;  // "1:05 / 3:20"
    std::string state; // "Playing", "Stopped", or empty without a deck
};

// m:ss, minutes not wrapped at an hour.
std::string FormatTime(unsigned long ms);
// What follows the last "/" or "\" of path (songs loaded from Windows playlists use "\").
std::string FileName(const std::string& path);
SideTexts TextsOf(const DeckSide& side);
// What the plug-in's settings entry shows.
std::string AboutText();

class FaderSidesModel {
public:
    // Reads both sides from the host.
    void Refresh();
    const DeckSide& Left() const { return m_left; }
    const DeckSide& Right() const { return m_right; }

    // The side the button fades to: away from the one deck that plays; when both or neither
    // play, the other side from the last fade.
    int FadeTarget() const;
    std::string FadeButtonText() const;
    // Starts the fade and returns the host's answer.
    int Fade();

private:
    static DeckSide ReadSide(int side);

    DeckSide m_left;
    DeckSide m_right;
    int m_lastFade = kLeftSide; // so that the first unclear fade goes right
};

} // namespace fader_sides
