// Where recordings go and what they are called: "ZEM 2026-12-09 21-30-05.wav" in the
// recording folder, with " (2)", " (3)"... added when that name is taken.
#pragma once

#include <ctime>
#include <string>

class ZemProfile;

namespace zem::rec {

inline constexpr const char kProfileSection[] = "Recorder";
inline constexpr const char kFolderKey[] = "Folder";
inline constexpr const char kFormatKey[] = "Format";
inline constexpr const char kSourceKey[] = "Source";

// "Recordings" in the program directory.
std::string DefaultRecordingFolder();
// The user's folder from the profile, or the default.
std::string RecordingFolder(ZemProfile* profile);

// "ZEM 2026-12-09 21-30-05" for that local time.
std::string RecordingBaseName(const std::tm& local);
// The first path in folder for that name and extension that no file has yet.
std::string UniqueRecordingPath(const std::string& folder, const std::tm& local,
                                const std::string& extension);

} // namespace zem::rec
