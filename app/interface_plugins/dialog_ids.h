// The dialogs of the interface plug-in host, by their resource numbers.
#pragma once

namespace zem::interface_plugins {

inline constexpr int kDialogInterfaceSettings = 174;
inline constexpr int kDialogPluginChooser = 175;
inline constexpr int kDialogNewPlugins = 202;

} // namespace zem::interface_plugins
