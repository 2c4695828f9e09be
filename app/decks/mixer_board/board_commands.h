// The commands the application routes to the mixer board, with their menu texts, and the
// board's fixed texts and control identifiers (skins find the board's controls by them).
#pragma once

#include <array>

namespace zem::board {

// The nine fixed crossfader positions, left to right.
inline constexpr int kCmdCrossfader100_0 = 32775;
inline constexpr int kCmdCrossfader100_25 = 32776;
inline constexpr int kCmdCrossfader100_50 = 32777;
inline constexpr int kCmdCrossfader100_75 = 32778;
inline constexpr int kCmdCrossfader100_100 = 32779;
inline constexpr int kCmdCrossfader75_100 = 32780;
inline constexpr int kCmdCrossfader50_100 = 32781;
inline constexpr int kCmdCrossfader25_100 = 32782;
inline constexpr int kCmdCrossfader0_100 = 32783;
inline constexpr int kCmdMoveFaderLeft = 32792;
inline constexpr int kCmdMoveFaderRight = 32793;
inline constexpr int kCmdToggleFaderType = 32846;
inline constexpr int kCmdFadeFaderToLeft = 32847;
inline constexpr int kCmdFadeFaderToRight = 32848;
inline constexpr int kCmdStopFaderFading = 32850;
// Headphone cue of channels 0 to 4.
inline constexpr int kCmdHeadphoneChannel0 = 32905;
inline constexpr int kCmdHeadphoneChannel4 = 32909;
inline constexpr int kCmdToggleLeftMixerChannel = 32910;
inline constexpr int kCmdToggleRightMixerChannel = 32911;
// Handled by the application, which opens the settings sheet over the board.
inline constexpr int kCmdMixerSettings = 32917;

struct BoardCommand {
    int id;
    const char* menuText;
};

inline constexpr std::array<BoardCommand, 23> kBoardCommands{{
    {kCmdCrossfader100_0, "L: 100% / R: 0%\t1"},
    {kCmdCrossfader100_25, "L: 100% / R: 25%\t2"},
    {kCmdCrossfader100_50, "L: 100% / R: 50%\t3"},
    {kCmdCrossfader100_75, "L: 100% / R: 75%\t4"},
    {kCmdCrossfader100_100, "L: 100% / R: 100%\t5"},
    {kCmdCrossfader75_100, "L: 75% / R: 100%\t7"},
    {kCmdCrossfader50_100, "L: 50% / R: 100%\t8"},
    {kCmdCrossfader25_100, "L: 25% / R: 100%\t9"},
    {kCmdCrossfader0_100, "L: 0% / R: 100%\t0"},
    {kCmdMoveFaderLeft, "Move fader Left\t-"},
    {kCmdMoveFaderRight, "Move fader Right\t="},
    {kCmdToggleFaderType, "Toggle fader type\t`"},
    {kCmdFadeFaderToLeft, "Fade fader to left channel\tNumPad /"},
    {kCmdFadeFaderToRight, "Fade fader to right channel\tNumPad *"},
    {kCmdStopFaderFading, "STOP fader fading\tFade twice"},
    {kCmdHeadphoneChannel0, "Channel &0"},
    {kCmdHeadphoneChannel0 + 1, "Channel &1"},
    {kCmdHeadphoneChannel0 + 2, "Channel &2"},
    {kCmdHeadphoneChannel0 + 3, "Channel &3"},
    {kCmdHeadphoneChannel4, "Channel &4"},
    {kCmdToggleLeftMixerChannel, "Toggle &left mixer channel"},
    {kCmdToggleRightMixerChannel, "Toggle &right mixer channel"},
    {kCmdMixerSettings, "Mixer settings..."},
}};

// The menu text of a board command, or null.
inline const char* MenuText(int id) {
    for (const BoardCommand& c : kBoardCommands)
        if (c.id == id)
            return c.menuText;
    return nullptr;
}

inline constexpr char kBoardTitle[] = "ZEM - Main Mixer Board";
inline constexpr char kCenterTextFormat[] = "%d%% in center";
inline constexpr char kHeadphoneItemFormat[] = "Channel %d";
inline constexpr char kSettingsSheetTitle[] = "Mixer settings...";
inline constexpr char kDevCapsError[] = "Error on mixerGetDevCaps";
inline constexpr char kUnknownDevice[] = "Unknown";

// Control identifiers of the board.
inline constexpr int kIdCrossfader = 101;
inline constexpr std::array<int, 3> kIdStripSliders{102, 103, 104};
inline constexpr std::array<int, 3> kIdStripSelectors{112, 113, 105};
inline constexpr int kIdHeadphoneList = 106;
inline constexpr int kIdFaderSelectorB = 107;
inline constexpr int kIdFaderSelectorA = 108;
inline constexpr int kIdMasterSlider = 109;

// Profile sections and keys.
inline constexpr char kMixerSection[] = "General mixer settings";
inline constexpr char kCrossfaderTypeKey[] = "Crossfader type";
inline constexpr char kMasterDeviceKey[] = "Master Volume device";
inline constexpr char kPlacementSection[] = "Desktop placement";
inline constexpr char kSkinsSection[] = "Skins";
inline constexpr char kSkinsEnabledKey[] = "Skins enabled";

} // namespace zem::board
