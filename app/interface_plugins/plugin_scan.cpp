#include "app/interface_plugins/plugin_scan.h"
#include "app/interface_plugins/interface_module.h"
#include "app/interface_plugins/scan_key.h"

#include "app/framework/zem_profile.h"
#include "platform/files.h"
#include "platform/library.h"

#include <algorithm>

namespace zem::interface_plugins {

namespace {

// Calls found(path, module) for each interface plug-in of dir; the module is released after.
template <typename Found> void ForEachInterfacePlugin(const std::string& dir, Found found) {
    for (const std::string& name : ScanDirectory(dir, kPluginPattern)) {
        const std::string path = JoinPath(dir, name);
        DLLInterfaceModule module;
        if (module.Load(path, false))
            found(path, module);
    }
}

} // namespace

std::vector<InterfacePluginFile> ListInterfacePlugins(const std::string& dir) {
    std::vector<InterfacePluginFile> files;
    ForEachInterfacePlugin(dir, [&](const std::string& path, const DLLInterfaceModule& module) {
        files.push_back({path, FileNamePart(path), module.GetDescription()});
    });
    return files;
}

std::vector<std::string> ScanForNewPlugins(const std::string& dir, ZemProfile& profile,
                                           const std::vector<std::string>& loadedPaths) {
    std::vector<std::string> fresh;
    ForEachInterfacePlugin(dir, [&](const std::string& path, const DLLInterfaceModule&) {
        const std::string key = ScanKey(path);
        const bool loaded =
            std::find(loadedPaths.begin(), loadedPaths.end(), path) != loadedPaths.end();
        if (!loaded && profile.GetProfileInt(kScannedSection, key, 0) == 0)
            fresh.push_back(path);
        profile.WriteProfileInt(kScannedSection, key, 1);
    });
    return fresh;
}

} // namespace zem::interface_plugins
