// A library that answers its entry point with 0: not an interface plug-in after all.
#include "plugin_log.h"

#include "contracts/interface_module.h"

namespace {

int Initialise(InterfaceModuleFunctionTable**) {
    PluginLog("refusing initialise");
    return 1;
}

} // namespace

PLUGIN_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    info->initialise = Initialise;
    return 0;
}
