// The crossfader centre-volume list: how loud each deck plays with the fader in the middle,
// in percent. The board cycles through it with "Toggle fader type"; it lives in
// "CFCenterVolumes.ini" of the INI folder.
#pragma once

#include <string>
#include <vector>

namespace zem::board {

inline constexpr char kCentreVolumeFileName[] = "CFCenterVolumes.ini";
inline constexpr char kCentreVolumeSection[] = "Mixer CF Volumes";
inline constexpr char kCentreVolumeCountKey[] = "CF Volume count";
inline constexpr char kCentreVolumeKeyFormat[] = "Volume %d";
// A damaged count must not make loading read keys for ever.
inline constexpr int kMaxCentreVolumes = 256;

// 100, 75, 50: full level in the middle, then two softer curves.
std::vector<int> BuiltInCentreVolumes();

// iniFolder + "/CFCenterVolumes.ini".
std::string CentreVolumeFilePath(const std::string& iniFolder);
// The file in the engine's INI folder.
std::string DefaultCentreVolumeFilePath();

// The list the file holds; the built-in list when the file, its count or every usable entry is
// missing. Entries of 0 or below are dropped: a centre volume of 0 gives the engine's fader
// curve no level at all to work from.
std::vector<int> ReadCentreVolumes(const std::string& path);
// Rewrites the count and one key per entry; false when the file cannot be written.
bool WriteCentreVolumes(const std::string& path, const std::vector<int>& volumes);

} // namespace zem::board
