// An interface plug-in whose table lacks the constructor it must give.
#include "plugin_log.h"

#include "contracts/interface_module.h"

namespace {

void Destruct(void*) {
    PluginLog("null_ctor destructor");
}

int Initialise(InterfaceModuleFunctionTable** table) {
    (*table)->destructor = Destruct;
    return 1;
}

} // namespace

PLUGIN_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    info->initialise = Initialise;
    return 1;
}
