// The deck window's command numbers with their exact menu texts, the dialog items of the
// window, and the play button's images. One table lists every deck-menu command so that the
// menu, the key map and the tests read the same numbers and texts.
#pragma once

#include <cstddef>
#include <span>

namespace zem::deckwin {

// Deck menu and keyboard commands.
inline constexpr int kCmdPlayPause = 32820;
inline constexpr int kCmdStop = 32822;
inline constexpr int kCmdPitchDown = 32823;
inline constexpr int kCmdPitchUp = 32824;
inline constexpr int kCmdPitchDownMore = 32915;
inline constexpr int kCmdPitchUpMore = 32916;
inline constexpr int kCmdPitchBendOn = 32827;
inline constexpr int kCmdSmoothBendOn = 32894;
inline constexpr int kCmdPitchTo100 = 32830;
inline constexpr int kCmdFadePitchTo0 = 32810;
inline constexpr int kCmdFadePitchTo100 = 32811;
inline constexpr int kCmdFadePitchTo = 32813;
inline constexpr int kCmdStopFadingPitch = 32814;
inline constexpr int kCmdMatchLeft = 32879;
inline constexpr int kCmdMatchRight = 32880;
inline constexpr int kCmdMatchNext = 32881;
inline constexpr int kCmdRestoreCue = 32836;
inline constexpr int kCmdStoreCue = 32914;
inline constexpr int kCmdClearLoop = 32837;
inline constexpr int kCmdReadOnly = 32886;
inline constexpr int kCmdSaveNow = 32885;
inline constexpr int kCmdEnableEffects = 32805;
inline constexpr int kCmdEffectsDialog = 32878;
inline constexpr int kCmdEqualizer = 32860;
// The deck's wave editor window.
inline constexpr int kCmdWaveEditor = 32808;
inline constexpr int kCmdDeckSettings = 32843;

// Bend messages of the skinned bend buttons and of the pitch keys.
inline constexpr int kBendDown = 16;
inline constexpr int kBendUp = 17;

// Dialog items of the deck window.
inline constexpr int kItemPlayPause = 1;
inline constexpr int kItemStop = 9;
inline constexpr int kItemToStart = 10;
inline constexpr int kItemFinePitchUp = 7;
inline constexpr int kItemFinePitchDown = 8;
inline constexpr int kItemNudgeBack = 1034;
inline constexpr int kItemNudgeForward = 1035;
inline constexpr int kItemTimeMode = 1015;
inline constexpr int kItemClearLoop = 200;
inline constexpr int kItemFirstCue = 201; // 201-210: cue buttons 0-9
inline constexpr int kItemPositionSlider = 101;
inline constexpr int kItemPitchSlider = 102;
inline constexpr int kItemVolumeSlider = 103;
inline constexpr int kItemDeckSettings = 1008;
inline constexpr int kItemEqualizer = 1009;
inline constexpr int kItemNotes = 1021;
inline constexpr int kItemLoadSong = 1085;
inline constexpr int kItemTempoEdit = 1014; // tempo dialog

// Play button images: pause while playing, play otherwise.
inline constexpr int kBitmapPlay = 146;
inline constexpr int kBitmapPause = 148;

struct DeckMenuCommand {
    int command;
    const char* text; // null: no menu entry of its own
};

// Every deck command in menu order.
std::span<const DeckMenuCommand> DeckMenuCommands();
// The menu text of a deck command, or null when it has none or is not a deck command.
const char* DeckMenuText(int command);
bool IsDeckCommand(int command);

} // namespace zem::deckwin
