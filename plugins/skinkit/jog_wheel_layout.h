// Where the "Jog Wheel" skin puts every control of the deck window and of the mixer board, in
// the pixels of the two background bitmaps. The module hands this table to the program, and
// the skin generator draws its art around the same numbers, so the two cannot drift apart.
#pragma once

#include "contracts/skin_module.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace jog_wheel {

inline constexpr int32_t kDeckWidth = 600;
inline constexpr int32_t kDeckHeight = 240;
inline constexpr int32_t kMixerWidth = 560;
inline constexpr int32_t kMixerHeight = 300;

namespace detail {
constexpr SkinControlPlace Deck(int32_t control, int32_t x, int32_t y, int32_t w, int32_t h) {
    return {kSkinWindowDeck, control, x, y, w, h};
}
constexpr SkinControlPlace Mixer(int32_t control, int32_t x, int32_t y, int32_t w, int32_t h) {
    return {kSkinWindowMixer, control, x, y, w, h};
}
} // namespace detail

// The title bar's own items (text, light, system buttons) lie inside kCaption and are drawn
// over it; every other place stands alone.
inline constexpr std::array kPlaces = {
    // Title bar.
    detail::Deck(SkinDeckControl::kCaption, 0, 0, 600, 20),
    detail::Deck(SkinDeckControl::kActivityLight, 6, 4, 12, 12),
    detail::Deck(SkinDeckControl::kCaptionText, 24, 2, 320, 16),
    detail::Deck(SkinDeckControl::kMinimise, 562, 2, 16, 16),
    detail::Deck(SkinDeckControl::kClose, 580, 2, 16, 16),
    // Readout and the small buttons beside it.
    detail::Deck(SkinDeckControl::kStatusWindow, 10, 26, 300, 52),
    detail::Deck(SkinDeckControl::kSettings, 318, 28, 56, 22),
    detail::Deck(SkinDeckControl::kEqualizer, 379, 28, 56, 22),
    detail::Deck(SkinDeckControl::kNotes, 440, 28, 56, 22),
    detail::Deck(SkinDeckControl::kDeckMenu, 318, 54, 56, 22),
    // Jog wheel and transport.
    detail::Deck(SkinDeckControl::kJogWheel, 28, 104, 80, 80),
    detail::Deck(SkinDeckControl::kToStart, 136, 90, 48, 40),
    detail::Deck(SkinDeckControl::kPlay, 188, 90, 72, 40),
    detail::Deck(SkinDeckControl::kStop, 264, 90, 56, 40),
    detail::Deck(SkinDeckControl::kNudgeBack, 336, 90, 40, 40),
    detail::Deck(SkinDeckControl::kNudgeForward, 380, 90, 40, 40),
    detail::Deck(SkinDeckControl::kLoad, 428, 90, 68, 40),
    // Cues 0-9 and clear loop.
    detail::Deck(SkinDeckControl::kCue0 + 0, 136, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 1, 169, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 2, 202, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 3, 235, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 4, 268, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 5, 301, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 6, 334, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 7, 367, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 8, 400, 156, 30, 28),
    detail::Deck(SkinDeckControl::kCue0 + 9, 433, 156, 30, 28),
    detail::Deck(SkinDeckControl::kClearLoop, 466, 156, 30, 28),
    // Volume and pitch column.
    detail::Deck(SkinDeckControl::kVolumeSlider, 506, 38, 26, 146),
    detail::Deck(SkinDeckControl::kPitchSlider, 540, 38, 26, 146),
    detail::Deck(SkinDeckControl::kFinePitchUp, 572, 38, 22, 20),
    detail::Deck(SkinDeckControl::kFinePitchDown, 572, 164, 22, 20),
    detail::Deck(SkinDeckControl::kBendSwitch, 504, 190, 32, 20),
    detail::Deck(SkinDeckControl::kBendDown, 540, 190, 26, 20),
    detail::Deck(SkinDeckControl::kBendUp, 570, 190, 26, 20),
    // Song position, the whole width.
    detail::Deck(SkinDeckControl::kPositionSlider, 8, 216, 584, 18),

    // Mixer board.
    detail::Mixer(SkinMixerControl::kCentreText, 180, 6, 200, 18),
    detail::Mixer(SkinMixerControl::kStrip1Channel + 0, 14, 40, 60, 22),
    detail::Mixer(SkinMixerControl::kStrip1Channel + 1, 92, 40, 60, 22),
    detail::Mixer(SkinMixerControl::kStrip1Channel + 2, 170, 40, 60, 22),
    detail::Mixer(SkinMixerControl::kStrip1 + 0, 28, 70, 32, 140),
    detail::Mixer(SkinMixerControl::kStrip1 + 1, 106, 70, 32, 140),
    detail::Mixer(SkinMixerControl::kStrip1 + 2, 184, 70, 32, 140),
    detail::Mixer(SkinMixerControl::kHeadphones, 252, 44, 110, 120),
    detail::Mixer(SkinMixerControl::kMaster, 452, 70, 32, 140),
    detail::Mixer(SkinMixerControl::kFaderA, 14, 244, 60, 22),
    detail::Mixer(SkinMixerControl::kCrossfader, 150, 238, 260, 32),
    detail::Mixer(SkinMixerControl::kFaderB, 486, 244, 60, 22),
    detail::Mixer(SkinMixerControl::kFaderType, 250, 276, 60, 18),
};

// The place of a control, or nullptr when the layout leaves it out.
constexpr const SkinControlPlace* FindPlace(int32_t window, int32_t control) {
    for (const SkinControlPlace& p : kPlaces) {
        if (p.window == window && p.control == control) {
            return &p;
        }
    }
    return nullptr;
}

} // namespace jog_wheel
