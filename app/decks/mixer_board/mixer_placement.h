// Where the board's frame sits on the desktop: restored (top-left corner only, keeping its
// size) when it is first shown, stored (the whole rectangle) when it is destroyed, under
// "Desktop placement".
#pragma once

namespace zem::board {

class SettingsStore;

struct PlacementPoint {
    int x = 0;
    int y = 0;
};

struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline constexpr char kMixerLeftKey[] = "Mixer left";
inline constexpr char kMixerTopKey[] = "Mixer top";
inline constexpr char kMixerRightKey[] = "Mixer right";
inline constexpr char kMixerBottomKey[] = "Mixer bottom";

// The saved top-left corner; current where nothing is saved.
PlacementPoint RestoredMixerPosition(SettingsStore& store, PlacementPoint current);
// frame: the frame's rectangle in the main window's client coordinates. It is stored moved by
// -2, -2, the width of the workspace's sunken edge, so that restoring puts the frame back
// where it was.
void StoreMixerPlacement(SettingsStore& store, PlacementRect frame);

} // namespace zem::board
