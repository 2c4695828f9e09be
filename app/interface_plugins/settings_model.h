// What the "Interface plugin settings..." dialog does to the module list, apart from its
// widgets: list the loaded modules, describe one, add, remove, show a module's settings, and
// on closing save "ControlModules.cfg" and update every module.
#pragma once

#include <string>
#include <vector>

namespace zem::interface_plugins {

class CInterfaceModules;

class InterfaceSettingsModel {
public:
    explicit InterfaceSettingsModel(CInterfaceModules& modules) : m_modules(modules) {}

    // The loaded modules by file name, in list order.
    std::vector<std::string> Names() const;
    // Empty for no such index.
    std::string Description(int index) const;
    // Appends a constructed module from path. On failure the exception's text is shown through
    // the list's message function, nothing is added and the answer is false.
    bool Add(const std::string& path);
    bool Remove(int index);
    bool ShowSettings(int index);
    // After the dialog: the list is saved and every module updated.
    void Finish();

private:
    CInterfaceModules& m_modules;
};

} // namespace zem::interface_plugins
