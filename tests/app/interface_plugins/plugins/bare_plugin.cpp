// An interface plug-in with only the two calls it must have: no update, no settings.
#include "plugin_log.h"

#include "contracts/interface_module.h"

#include <cstring>

namespace {

void Construct(void*) {
    PluginLog("bare constructor");
}
void Destruct(void*) {
    PluginLog("bare destructor");
}

int Initialise(InterfaceModuleFunctionTable** table) {
    (*table)->constructor = Construct;
    (*table)->destructor = Destruct;
    return 1;
}

} // namespace

PLUGIN_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    std::strcpy(info->description, "Bare");
    info->initialise = Initialise;
    return 1;
}
