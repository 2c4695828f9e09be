#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/control_modules_file.h"
#include "app/interface_plugins/plugin_scan.h"

#include "platform/files.h"

namespace zem::interface_plugins {

CInterfaceModules::CInterfaceModules(std::string pluginsDir, std::string iniDir,
                                     MessageFunction message)
    : m_pluginsDir(std::move(pluginsDir)), m_iniDir(std::move(iniDir)),
      m_message(MessageOrDefault(std::move(message))) {}

CInterfaceModules::~CInterfaceModules() {
    DestroyAll();
}

void CInterfaceModules::LoadListed() {
    std::vector<std::string> names;
    ReadControlModules(ConfigPath(), names);
    for (const std::string& name : names) {
        const std::string path = JoinPath(m_pluginsDir, name);
        auto module = std::make_unique<DLLInterfaceModule>(m_message);
        if (module->Load(path, true)) {
            m_modules.push_back(std::move(module));
        } else {
            m_message("Error loading " + path + "\n");
        }
    }
    UpdateAll();
}

void CInterfaceModules::UpdateAll() {
    for (const auto& module : m_modules)
        module->Update();
}

DLLInterfaceModule& CInterfaceModules::Add(const std::string& path) {
    m_modules.push_back(std::make_unique<DLLInterfaceModule>(path, m_message));
    return *m_modules.back();
}

bool CInterfaceModules::Remove(std::size_t index) {
    if (index >= m_modules.size())
        return false;
    // Off the list before its destructor runs, so the plug-in never sees itself listed.
    std::unique_ptr<DLLInterfaceModule> module = std::move(m_modules[index]);
    m_modules.erase(m_modules.begin() + static_cast<std::ptrdiff_t>(index));
    module.reset();
    return true;
}

bool CInterfaceModules::Save() const {
    std::vector<std::string> names;
    for (const auto& module : m_modules)
        names.push_back(FileNamePart(module->GetPath()));
    return WriteControlModules(ConfigPath(), names);
}

void CInterfaceModules::DestroyAll() {
    while (!m_modules.empty())
        Remove(0);
}

std::vector<std::string> CInterfaceModules::ScanForNew(ZemProfile& profile) const {
    return ScanForNewPlugins(m_pluginsDir, profile, Paths());
}

std::vector<std::string> CInterfaceModules::Paths() const {
    std::vector<std::string> paths;
    for (const auto& module : m_modules)
        paths.push_back(module->GetPath());
    return paths;
}

std::string CInterfaceModules::ConfigPath() const {
    return JoinPath(m_iniDir, kControlModulesFile);
}

} // namespace zem::interface_plugins
