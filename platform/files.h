// Files and folders: temporary files, copies, deletion, folder scans, the working directory.
#pragma once

#include <string>
#include <vector>

namespace zem {

// The system's temporary directory ($TMPDIR, else /tmp), without a trailing separator.
std::string TempDirectory();
// Creates a new empty file named prefix + a unique suffix in dir and returns its full path;
// empty when it cannot be created.
std::string CreateUniqueFile(const std::string& dir, const std::string& prefix);
// Copies src over dst (replacing dst). False when src cannot be read or dst not written.
bool CopyFileOverwrite(const std::string& src, const std::string& dst);
bool DeleteFilePath(const std::string& path);
bool FileExists(const std::string& path);
// Names (not paths) of the regular files in dir matching a wildcard pattern such as "*.so",
// in the order the file system returns them. Empty when dir cannot be read.
std::vector<std::string> ScanDirectory(const std::string& dir, const std::string& pattern);
// The process's current working directory; empty when it cannot be read.
std::string CurrentDirectory();
// Joins a folder and a name with one "/".
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace zem
