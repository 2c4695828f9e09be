// The global DSP list: the effects every newly opened deck loads, in the INI folder, read and
// written through PrivateINI. Section "General" key "DSP Count" holds the number of entries;
// section "DSP Effects" keys "DSP 0", "DSP 1", ... hold "library path|effect index".
#pragma once

inline constexpr const char kGlobalDSPFileName[] = "GlobalDSPPlugins.ini";
inline constexpr const char kGlobalDSPGeneralSection[] = "General";
inline constexpr const char kGlobalDSPCountKey[] = "DSP Count";
inline constexpr const char kGlobalDSPEffectsSection[] = "DSP Effects";
inline constexpr const char kGlobalDSPEntryKeyFormat[] = "DSP %d";
inline constexpr const char kGlobalDSPEntryValueFormat[] = "%s|%d";
