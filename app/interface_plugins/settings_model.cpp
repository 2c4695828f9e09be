#include "app/interface_plugins/settings_model.h"
#include "app/interface_plugins/module_list.h"

#include "engine/foundations/zem_exception.h"

namespace zem::interface_plugins {

std::vector<std::string> InterfaceSettingsModel::Names() const {
    std::vector<std::string> names;
    for (const std::string& path : m_modules.Paths())
        names.push_back(FileNamePart(path));
    return names;
}

std::string InterfaceSettingsModel::Description(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_modules.Count())
        return {};
    return m_modules.At(static_cast<std::size_t>(index)).GetDescription();
}

bool InterfaceSettingsModel::Add(const std::string& path) {
    try {
        m_modules.Add(path);
        return true;
    } catch (const ZEMException& e) {
        m_modules.Message()(e.GetMessage());
        return false;
    }
}

bool InterfaceSettingsModel::Remove(int index) {
    return index >= 0 && m_modules.Remove(static_cast<std::size_t>(index));
}

bool InterfaceSettingsModel::ShowSettings(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_modules.Count())
        return false;
    m_modules.At(static_cast<std::size_t>(index)).ShowSettings();
    return true;
}

void InterfaceSettingsModel::Finish() {
    m_modules.Save();
    m_modules.UpdateAll();
}

} // namespace zem::interface_plugins
