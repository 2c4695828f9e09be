// Start-up's offer of plug-ins never seen before (after the first-run question): scan the
// plug-ins folder, ask the user which of the new ones to load, load those.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class ZemProfile;

namespace zem::interface_plugins {

class CInterfaceModules;

// The new paths in; the chosen ones out, or nothing for cancel.
using NewPluginsQuestion =
    std::function<std::optional<std::vector<std::string>>(const std::vector<std::string>& paths)>;

// With nothing new, nothing is asked or saved and the answer is false. Otherwise, on OK each
// chosen plug-in is constructed and appended (a failure is shown and the rest go on) and every
// module is updated; after OK or cancel "ControlModules.cfg" is saved. True when asked.
bool OfferNewPlugins(CInterfaceModules& modules, ZemProfile& profile,
                     const NewPluginsQuestion& ask);

} // namespace zem::interface_plugins
