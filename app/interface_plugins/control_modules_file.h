// "ControlModules.cfg" in the INI folder: the interface plug-ins to load at start, one file name
// a line, in module-list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zem::interface_plugins {

inline constexpr const char kControlModulesFile[] = "ControlModules.cfg";
// The longest line read at once; the rest of a longer line reads as the next line.
inline constexpr std::size_t kControlModulesLine = 259;

// The file names in text: a full path gives its part after the last "/" or "\", empty lines
// (and lines left empty by that) are skipped, line ends and carriage returns dropped.
std::vector<std::string> ParseControlModules(std::string_view text);
// Each name ended by "\n".
std::string FormatControlModules(const std::vector<std::string>& names);

// False when the file cannot be read (names is then empty).
bool ReadControlModules(const std::string& path, std::vector<std::string>& names);
bool WriteControlModules(const std::string& path, const std::vector<std::string>& names);

} // namespace zem::interface_plugins
