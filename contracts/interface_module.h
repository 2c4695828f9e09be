// The entry points of an interface plug-in: a library in the plug-ins folder that adds whole
// windows (view types) to the program and talks back to it only through Hostlink.
//
// The host loads the library, fills module, calls the exported DllGetInterfaceModuleInfo
// (which fills description and initialise and returns nonzero for an interface plug-in),
// fills path, then calls initialise with the address of a variable holding the address of
// its function table, which the plug-in fills.
#pragma once

#include <cstddef>
#include <cstdint>

// The plug-in's calls, each given data back. constructor and destructor must be set; update
// and settings may stay null and are then skipped.
struct InterfaceModuleFunctionTable {
    void* data;
    void (*constructor)(void* data); // builds the plug-in; it registers its views here
    void (*destructor)(void* data);  // tears it down; it unregisters its views here
    void (*update)(void* data);      // after loading and after the module list changes
    void (*settings)(void* data);    // the plug-in's settings or about box
};

typedef int (*InterfaceModuleInitializer)(InterfaceModuleFunctionTable** table);

struct InterfaceModuleInfo {
    void* module;                          // filled by the host before the entry point is called
    char path[256];                        // filled by the host once the entry point succeeded
    char description[1024];                // filled by the plug-in
    InterfaceModuleInitializer initialise; // filled by the plug-in
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(InterfaceModuleInfo) == 4 + 256 + 1024 + 4, "InterfaceModuleInfo, 32-bit");
#endif
static_assert(offsetof(InterfaceModuleInfo, path) == sizeof(void*), "InterfaceModuleInfo path");

typedef int (*InterfaceModuleInfoFunc)(InterfaceModuleInfo* info);
inline constexpr const char kInterfaceModuleInfoExport[] = "DllGetInterfaceModuleInfo";
// The sample plug-in exports its initialiser under this name as well; the host finds it only
// through the info record.
inline constexpr const char kInterfaceModuleInitializerExport[] =
    "DLLInitializeInterfaceModuleFunctionTable";
