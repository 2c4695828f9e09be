// The equalizer window's control identifiers, command numbers and fixed texts. The control
// identifiers double as the widgets' object names, so outside code finds a control by number.
#pragma once

namespace zem::eqwin {

// Band faders: 2000 is flat, 0 the top (+20 dB), 4000 the bottom (-20 dB).
inline constexpr int kFaderMin = 0;
inline constexpr int kFaderMax = 4000;
inline constexpr int kFaderPage = 500;
inline constexpr int kFaderFlat = 2000;

inline constexpr int kBandCount = 10;
inline constexpr int kGroupCount = 3;

// Band k's kill button; the two buttons of bands 7 and 8 swapped places on the form.
inline constexpr int kBandKillIds[kBandCount] = {1088, 1089, 1090, 1091, 1092,
                                                 1093, 1094, 1096, 1095, 1097};
// Group kill buttons: low (bands 0-2), mid (3-6), high (7-9).
inline constexpr int kGroupKillIds[kGroupCount] = {1102, 1103, 1104};
inline constexpr int kGroupFirstBand[kGroupCount] = {0, 3, 7};
inline constexpr int kGroupLastBand[kGroupCount] = {2, 6, 9};

inline constexpr int kEnableBoxId = 1087;
inline constexpr int kThreeBandBoxId = 1098;
inline constexpr int kResetButtonId = 7;
inline constexpr int kMenuButtonId = 1113;

// The two layouts and the preset menu.
inline constexpr int kTenBandForm = 172;
inline constexpr int kThreeBandForm = 181;
inline constexpr int kPresetMenuId = 173;

// Commands.
inline constexpr int kCmdLoadPreset = 32888;
inline constexpr int kCmdLoadDefault = 32864;
inline constexpr int kCmdSavePreset = 32889;
inline constexpr int kCmdSaveAutoLoad = 32862;
inline constexpr int kCmdSaveDefault = 32861;
inline constexpr int kCmdRemoveAutoLoad = 32867;
inline constexpr int kCmdAbout = 32863;
inline constexpr int kCmdToggleThreeBand = 32876;

// Where presets live (program folder entry 4) and the default preset's name.
inline constexpr int kPresetFolderIndex = 4;
inline constexpr const char* kDefaultPresetName = "default.eq";
inline constexpr const char* kPresetExtension = ".eq";
inline constexpr const char* kPresetFilterName = "Equalizer settings (*.eq)";
inline constexpr const char* kAllFilesFilterName = "All Files (*.*)";

inline constexpr const char* kProfileSection = "Equalizer";
inline constexpr const char* kProfileThreeBandKey = "Use three channel EQ";

inline constexpr const char* kSaveDefaultQuestion =
    "Set as default equalizer settings.  Are you sure?";
inline constexpr const char* kSaveAutoLoadQuestion =
    "This command will set an auto-loading preset for this file.\nThis file will load with the "
    "current settings in the future.\n\nAre you sure you want to do this?";
inline constexpr const char* kRemoveAutoLoadQuestion =
    "This command will remove the auto-loading preset for this file.\nThis file will load with "
    "default settings in the future.\n\nAre you sure you want to do this?";

inline constexpr const char* kAboutText =
    "ZEM deck equalizer\n\nTen parametric bands (or three broad ones) per deck, each with a "
    "boost or cut of up to 20 dB and a kill switch.\n\nPart of ZEM.";

// Messages about preset files (the file name is put in with %s).
inline constexpr const char* kPresetMissingMessage =
    "The equalizer preset \"%s\" could not be opened. The equalizer settings were not changed.";
inline constexpr const char* kPresetInvalidMessage =
    "\"%s\" is not an equalizer settings file. The equalizer settings were not changed.";
inline constexpr const char* kPresetWriteMessage =
    "The equalizer settings could not be written to \"%s\".";
inline constexpr const char* kNoSongMessage =
    "This deck has no song, so it cannot have an auto-loading preset.";

} // namespace zem::eqwin
