// The identity of a plug-in file for the "Interface Plugins scanned" memory: its name and its
// creation time, so that a new copy of the same file is offered again.
#pragma once

#include <cstdint>
#include <string>

namespace zem::interface_plugins {

inline constexpr const char kScannedSection[] = "Interface Plugins scanned";

// The file's birth time where the file system reports one, else its last status change, in
// nanoseconds since the epoch; false when the file cannot be examined.
bool FileCreationTime(const std::string& path, int64_t& nanoseconds);

// "name|high|low": the file name, then the two 32-bit halves of the time as signed decimals.
std::string FormatScanKey(const std::string& fileName, int64_t creationTime);
// The key of the file at path (time 0 when it cannot be examined).
std::string ScanKey(const std::string& path);

} // namespace zem::interface_plugins
