#include "app/interface_plugins/new_plugins_offer.h"
#include "app/interface_plugins/module_list.h"

#include "engine/foundations/zem_exception.h"

namespace zem::interface_plugins {

bool OfferNewPlugins(CInterfaceModules& modules, ZemProfile& profile,
                     const NewPluginsQuestion& ask) {
    const std::vector<std::string> fresh = modules.ScanForNew(profile);
    if (fresh.empty())
        return false;
    if (const std::optional<std::vector<std::string>> chosen = ask(fresh)) {
        for (const std::string& path : *chosen) {
            try {
                modules.Add(path);
            } catch (const ZEMException& e) {
                modules.Message()(e.GetMessage());
            }
        }
        modules.UpdateAll();
    }
    modules.Save();
    return true;
}

} // namespace zem::interface_plugins
