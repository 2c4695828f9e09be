// The global DSP list: the effects every newly opened deck loads, in the INI folder, read and
// written through PrivateINI. Section "General" key "DSP Count" holds the number of entries;
// section "DSP Effects" keys "DSP 0", "DSP 1", ... hold "library path|effect index".
#pragma once

#include "contracts/export.h"

#include <string>
#include <utility>
#include <vector>

inline constexpr const char kGlobalDSPFileName[] = "GlobalDSPPlugins.ini";
inline constexpr const char kGlobalDSPGeneralSection[] = "General";
inline constexpr const char kGlobalDSPCountKey[] = "DSP Count";
inline constexpr const char kGlobalDSPEffectsSection[] = "DSP Effects";
inline constexpr const char kGlobalDSPEntryKeyFormat[] = "DSP %d";
inline constexpr const char kGlobalDSPEntryValueFormat[] = "%s|%d";

using GlobalDSPEntry = std::pair<std::string, int>; // library path, effect index

// The list in its order (entries with an empty path left out); empty without an INI folder.
ZEM_EXPORT std::vector<GlobalDSPEntry> ReadGlobalDSPList();
// Rewrites the whole list; false when the file cannot be written.
ZEM_EXPORT bool WriteGlobalDSPList(const std::vector<GlobalDSPEntry>& entries);
// True once the entry is in the list (also when it was already).
ZEM_EXPORT bool AddToGlobalDSPList(const std::string& file, int effect);
// True once the entry is out of the list (also when it never was).
ZEM_EXPORT bool RemoveFromGlobalDSPList(const std::string& file, int effect);
