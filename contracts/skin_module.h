// The skin module: a library in a skin folder ("Skinkit.so") that the program loads beside the
// skin's "skin.cfg". The program fills the handle and the path; the library's
// DllGetSkinModuleInfo fills the rest and returns non-zero.
//
// What the module gives is the layout of the two skinned windows: where each control of the
// deck window and of the mixer board sits, in the pixels of the window's background bitmap.
// "skin.cfg" says how a control looks; the module says where it is. A control of a skinned
// window that the layout does not place is not shown (its commands and keys still work).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int32_t kSkinModuleVersion = 1;

// Which window a place belongs to.
inline constexpr int32_t kSkinWindowDeck = 0;
inline constexpr int32_t kSkinWindowMixer = 1;

// Control identifiers of the deck window. The first group is the deck window's dialog items,
// the numbers "skin.cfg" elements skin; the second names controls and places of our own.
namespace SkinDeckControl {
inline constexpr int32_t kPlay = 1; // play/pause; drawn with D_PLAY, or D_PAUSE while playing
inline constexpr int32_t kFinePitchUp = 7;
inline constexpr int32_t kFinePitchDown = 8;
inline constexpr int32_t kStop = 9;
inline constexpr int32_t kToStart = 10;
inline constexpr int32_t kBendDown = 16;
inline constexpr int32_t kBendUp = 17;
inline constexpr int32_t kPositionSlider = 101;
inline constexpr int32_t kPitchSlider = 102;
inline constexpr int32_t kVolumeSlider = 103;
inline constexpr int32_t kClearLoop = 200;
inline constexpr int32_t kCue0 = 201; // cues 0-9: 201-210
inline constexpr int32_t kSettings = 1008;
inline constexpr int32_t kEqualizer = 1009;
inline constexpr int32_t kStatusWindow = 1015; // the readout; a click toggles the time mode
inline constexpr int32_t kNotes = 1021;
inline constexpr int32_t kNudgeBack = 1034;
inline constexpr int32_t kNudgeForward = 1035;
inline constexpr int32_t kBendSwitch = 1048;
inline constexpr int32_t kLoad = 1085;
inline constexpr int32_t kCaptionText = 1086;
inline constexpr int32_t kCaption = 1110; // the title bar: drag moves the window
// Ours.
inline constexpr int32_t kJogWheel = 1100;
inline constexpr int32_t kDeckMenu = 1101;
inline constexpr int32_t kMinimise = 1111; // the system's caption buttons over the title bar
inline constexpr int32_t kClose = 1112;
inline constexpr int32_t kActivityLight = 1113; // drawn with D_ACTIVATED_LED
} // namespace SkinDeckControl

namespace SkinMixerControl {
inline constexpr int32_t kCrossfader = 101;
inline constexpr int32_t kStrip1 = 102; // strips 1-3: 102-104
inline constexpr int32_t kMaster = 109;
inline constexpr int32_t kFaderType = 1079;
// Ours.
inline constexpr int32_t kStrip1Channel = 1001; // the strips' channel selectors: 1001-1003
inline constexpr int32_t kFaderA = 1004;
inline constexpr int32_t kFaderB = 1005;
inline constexpr int32_t kHeadphones = 1006;
inline constexpr int32_t kCentreText = 1007;
} // namespace SkinMixerControl

// The Qt property by which a control of the plain windows carries its identifier, so that the
// skinned windows find it.
inline constexpr char kSkinControlProperty[] = "skinControl";

struct SkinControlPlace {
    int32_t window; // kSkinWindowDeck or kSkinWindowMixer
    int32_t control;
    int32_t x, y, width, height;
};

struct SkinModuleInfo {
    void* module;   // the library's handle (the program)
    char path[256]; // where it was loaded from (the program, on success)
    // Filled by DllGetSkinModuleInfo.
    int32_t version; // kSkinModuleVersion
    char description[128];
    const SkinControlPlace* places; // owned by the library, valid while it is loaded
    int32_t placeCount;
};

extern "C" {
typedef int (*DllGetSkinModuleInfoFunc)(SkinModuleInfo* info);
}
