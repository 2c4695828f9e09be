// The host's wrapper of one interface plug-in: the loaded library, the module's info record and
// the host's own copy of the function table the plug-in filled.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/interface_plugins/host_messages.h"

#include "contracts/interface_module.h"

#include <string>

namespace zem::interface_plugins {

inline constexpr const char kUnableToInitialize[] = "Unable to initialize DLLInterfaceModule!";
inline constexpr const char kNoSettings[] = "No settings...";

class DLLInterfaceModule {
public:
    // An empty wrapper, for Load (the scans load without constructing).
    explicit DLLInterfaceModule(MessageFunction message = {});
    // Loads path and constructs the plug-in; throws ZEMException kUnableToInitialize when the
    // file is not a usable interface plug-in.
    explicit DLLInterfaceModule(const std::string& path, MessageFunction message = {});
    // A constructed plug-in gets its destructor call; a loaded library is released.
    virtual ~DLLInterfaceModule();
    DLLInterfaceModule(const DLLInterfaceModule&) = delete;
    DLLInterfaceModule& operator=(const DLLInterfaceModule&) = delete;

    virtual void Update();
    // The plug-in's settings, or the message kNoSettings when it has none.
    virtual void ShowSettings();

    // Loads the library and fills info and table; with construct set, builds the plug-in. On
    // false nothing stays loaded (a wrapper loads once; a second call answers false).
    bool Load(const std::string& path, bool construct);

    bool IsLoaded() const { return m_info.path[0] != '\0'; }
    bool IsConstructed() const { return m_constructed; }
    const InterfaceModuleInfo& GetInfo() const { return m_info; }
    const InterfaceModuleFunctionTable& GetFunctionTable() const { return m_table; }
    std::string GetPath() const { return m_info.path; }
    std::string GetDescription() const;

private:
    void release();

    InterfaceModuleFunctionTable m_table;
    bool m_constructed = false;
    InterfaceModuleInfo m_info;
    MessageFunction m_message;
};

} // namespace zem::interface_plugins
