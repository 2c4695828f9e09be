#include "app/decks/deck_window/deck_commands.h"

#include <iterator>

namespace zem::deckwin {

namespace {

constexpr DeckMenuCommand kCommands[] = {
    {kCmdPlayPause, "&Play/Pause\tZ"},
    {kCmdStop, "&Stop\tX"},
    {kCmdPitchDown, "Pitch &down\t["},
    {kCmdPitchUp, "Pitch &up\t]"},
    {kCmdPitchDownMore, "Pitch down more\tCtrl+["},
    {kCmdPitchUpMore, "Pitch up more\tCtrl+]"},
    {kCmdPitchBendOn, "Pitch bend on\t\\"},
    {kCmdSmoothBendOn, "Smooth bend on\tCtrl+\\"},
    {kCmdPitchTo100, "Pitch to 100%\tBackspc"},
    {kCmdFadePitchTo0, "Fade pitch to &0%\tEnd"},
    {kCmdFadePitchTo100, "Fade pitch to &100%\tHome"},
    {kCmdFadePitchTo, "&Fade pitch to..."},
    {kCmdStopFadingPitch, "&STOP fading pitch\tFade twice"},
    {kCmdMatchLeft, "Match pitch to left fader channel\tR"},
    {kCmdMatchRight, "Match pitch to right fader channel\tF"},
    {kCmdMatchNext, "Match pitch to next channel\tV"},
    {kCmdRestoreCue, "&Restore cue position\tNumPad 0-9"},
    {kCmdStoreCue, "Store &cue position\tCtrl + NumPad 0-9"},
    {kCmdClearLoop, "Clear/&Stop looping\t."},
    {kCmdReadOnly, "This file's settings are READ-ONLY\tCtrl+R"},
    {kCmdSaveNow, "Save settings to .zec now\tCtrl+W"},
    {kCmdEnableEffects, "E&nable DSP Effects"},
    {kCmdEffectsDialog, "&DSP Plugins..."},
    {kCmdEqualizer, "&Equalizer..."},
    {kCmdWaveEditor, "&Wave editor..."},
    {kCmdDeckSettings, nullptr},
};

const DeckMenuCommand* Find(int command) {
    for (const DeckMenuCommand& c : kCommands)
        if (c.command == command)
            return &c;
    return nullptr;
}

} // namespace

std::span<const DeckMenuCommand> DeckMenuCommands() {
    return {kCommands, std::size(kCommands)};
}

const char* DeckMenuText(int command) {
    const DeckMenuCommand* c = Find(command);
    return c ? c->text : nullptr;
}

bool IsDeckCommand(int command) {
    return Find(command) != nullptr;
}

} // namespace zem::deckwin
