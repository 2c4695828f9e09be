// What the plug-ins folder holds: each "*.so" there is loaded without being constructed,
// identified and released again.
#pragma once

#include <string>
#include <vector>

class ZemProfile;

namespace zem::interface_plugins {

struct InterfacePluginFile {
    std::string path;
    std::string fileName;
    std::string description;
};

// Every interface plug-in in dir, in directory order (the chooser's list).
std::vector<InterfacePluginFile> ListInterfacePlugins(const std::string& dir);

// The interface plug-ins of dir to offer the user: not loaded already (loadedPaths, compared
// exactly) and not seen before in this file version. Every plug-in found is remembered under
// its scan key in the profile.
std::vector<std::string> ScanForNewPlugins(const std::string& dir, ZemProfile& profile,
                                           const std::vector<std::string>& loadedPaths);

} // namespace zem::interface_plugins
