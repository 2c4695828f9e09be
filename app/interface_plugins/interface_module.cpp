#include "app/interface_plugins/interface_module.h"

#include "engine/foundations/zem_exception.h"
#include "platform/library.h"

#include <cstring>

namespace zem::interface_plugins {

DLLInterfaceModule::DLLInterfaceModule(MessageFunction message)
    : m_message(MessageOrDefault(std::move(message))) {
    std::memset(&m_table, 0, sizeof m_table);
    std::memset(&m_info, 0, sizeof m_info);
}

DLLInterfaceModule::DLLInterfaceModule(const std::string& path, MessageFunction message)
    : DLLInterfaceModule(std::move(message)) {
    if (!Load(path, true))
        throw ZEMException(kUnableToInitialize, false, 0);
}

DLLInterfaceModule::~DLLInterfaceModule() {
    if (m_constructed && IsLoaded())
        m_table.destructor(m_table.data);
    if (IsLoaded())
        FreeLibraryHandle(m_info.module);
}

void DLLInterfaceModule::Update() {
    if (m_table.update)
        m_table.update(m_table.data);
}

void DLLInterfaceModule::ShowSettings() {
    if (m_table.settings)
        m_table.settings(m_table.data);
    else
        m_message(kNoSettings);
}

bool DLLInterfaceModule::Load(const std::string& path, bool construct) {
    // The info record holds the path; one that does not fit could not be told apart later.
    if (m_info.module || path.empty() || path.size() >= sizeof m_info.path)
        return false;
    LibraryHandle handle = LoadLibraryPath(path.c_str());
    if (!handle)
        return false;
    m_info.module = handle;
    const auto getInfo = reinterpret_cast<InterfaceModuleInfoFunc>(
        GetLibrarySymbol(handle, kInterfaceModuleInfoExport));
    const bool isPlugin = getInfo && getInfo(&m_info) != 0;
    // The record is the plug-in's to fill; the handle stays the host's whatever it wrote.
    m_info.module = handle;
    if (!isPlugin || !m_info.initialise) {
        release();
        return false;
    }
    std::memcpy(m_info.path, path.c_str(), path.size() + 1);
    InterfaceModuleFunctionTable* table = &m_table;
    m_info.initialise(&table);
    // Both are called unconditionally later; a plug-in that left one out is refused now.
    if (!m_table.constructor || !m_table.destructor) {
        release();
        return false;
    }
    m_constructed = construct;
    if (construct)
        m_table.constructor(m_table.data);
    return true;
}

std::string DLLInterfaceModule::GetDescription() const {
    return std::string(m_info.description, strnlen(m_info.description, sizeof m_info.description));
}

void DLLInterfaceModule::release() {
    FreeLibraryHandle(m_info.module);
    std::memset(&m_info, 0, sizeof m_info);
    std::memset(&m_table, 0, sizeof m_table);
}

} // namespace zem::interface_plugins
