// The loaded interface plug-ins, in the order "ControlModules.cfg" keeps them. The list owns
// its wrappers: removing one destroys it (the plug-in's destructor runs, the library goes).
//
// Threads: the user-interface thread only.
#pragma once

#include "app/interface_plugins/host_messages.h"
#include "app/interface_plugins/interface_module.h"

#include <memory>
#include <string>
#include <vector>

class ZemProfile;

namespace zem::interface_plugins {

class CInterfaceModules {
public:
    // pluginsDir and iniDir without a trailing separator; message shows load failures and the
    // modules' "No settings...".
    CInterfaceModules(std::string pluginsDir, std::string iniDir, MessageFunction message = {});
    // Destroys what is still loaded, in list order.
    ~CInterfaceModules();
    CInterfaceModules(const CInterfaceModules&) = delete;
    CInterfaceModules& operator=(const CInterfaceModules&) = delete;

    // Start-up: loads and constructs every module "ControlModules.cfg" names, from the plug-ins
    // folder; one that fails is reported as "Error loading <path>\n" and skipped. Then Update
    // on every module.
    void LoadListed();
    void UpdateAll();

    // Loads and constructs the plug-in at path and appends it; throws ZEMException
    // "Unable to initialize DLLInterfaceModule!" and adds nothing when it fails.
    DLLInterfaceModule& Add(const std::string& path);
    // Destroys the module at index and takes it off the list; false for no such index.
    bool Remove(std::size_t index);
    // "ControlModules.cfg" from the list; false when it cannot be written.
    bool Save() const;
    void DestroyAll();

    // The plug-ins of the folder that were never offered (see ScanForNewPlugins).
    std::vector<std::string> ScanForNew(ZemProfile& profile) const;

    std::size_t Count() const { return m_modules.size(); }
    DLLInterfaceModule& At(std::size_t index) { return *m_modules.at(index); }
    std::vector<std::string> Paths() const;
    const std::string& PluginsDir() const { return m_pluginsDir; }
    std::string ConfigPath() const;
    const MessageFunction& Message() const { return m_message; }

private:
    std::string m_pluginsDir;
    std::string m_iniDir;
    MessageFunction m_message;
    std::vector<std::unique_ptr<DLLInterfaceModule>> m_modules;
};

} // namespace zem::interface_plugins
