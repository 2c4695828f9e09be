#include "plugins/fader_sides/fader_sides_model.h"

#include "contracts/hostlink.h"

#include <cstdio>

namespace fader_sides {

std::string FormatTime(unsigned long ms) {
    const unsigned long seconds = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lu:%02lu", seconds / 60, seconds % 60);
    return text;
}

std::string FileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

SideTexts TextsOf(const DeckSide& side) {
    if (side.channel < 0)
        return {"No deck", "", "", ""};
    return {"Deck " + std::to_string(side.channel), side.file,
            FormatTime(side.positionMs) + " / " + FormatTime(side.totalMs),
            side.playing ? "Playing" : "Stopped"};
}

std::string AboutText() {
    return "Fader sides 1.0\n\nShows the decks on the crossfader's two sides and fades from one "
           "to the other in 3 seconds.\n\nThe example interface plug-in of ZEM.";
}

DeckSide FaderSidesModel::ReadSide(int side) {
    DeckSide deck;
    deck.channel = ZEM_Device_GetChannelID(side);
    if (deck.channel < 0)
        return deck;
    // The remaining questions name the deck by its ID, not by the side: should the crossfader's
    // assignment change between two calls, all answers still describe the same deck.
    ZEM_FileInfo info{}; // the host expects a zeroed record
    if (ZEM_Interface_GetZECFileInfo(&info, deck.channel)) {
        info.path[sizeof info.path - 1] = '\0';
        deck.file = FileName(info.path);
    }
    ZEM_Device_GetPosition(deck.positionMs, deck.channel);
    ZEM_Device_GetTotalTime(deck.totalMs, deck.channel);
    deck.playing = ZEM_Device_GetPlayStatus(deck.channel) > 0;
    return deck;
}

void FaderSidesModel::Refresh() {
    m_left = ReadSide(kLeftSide);
    m_right = ReadSide(kRightSide);
}

int FaderSidesModel::FadeTarget() const {
    if (m_left.playing != m_right.playing)
        return m_left.playing ? kRightSide : kLeftSide;
    return m_lastFade == kLeftSide ? kRightSide : kLeftSide;
}

std::string FaderSidesModel::FadeButtonText() const {
    return FadeTarget() == kRightSide ? "Fade to right" : "Fade to left";
}

int FaderSidesModel::Fade() {
    m_lastFade = FadeTarget();
    return ZEM_Mixer_FadeFader(m_lastFade, kFadeMs);
}

} // namespace fader_sides
