#include "app/shell/shell_extensions.h"

namespace zem::shell {

ShellExtensions::~ShellExtensions() = default;
void ShellExtensions::LoadSkin(const std::string&) {}
void ShellExtensions::UnloadSkin() {}
bool ShellExtensions::HasKeyboardLayout() const {
    return false;
}
void ShellExtensions::OpenKeyboardLayout(QWidget*) {}
void ShellExtensions::RegisterCommands(QMainWindow&) {}
void ShellExtensions::ReadSoundEffects() {}
void ShellExtensions::WriteSoundEffects() {}
void ShellExtensions::LoadKeyMap() {}
bool ShellExtensions::SaveKeyMap() {
    return true;
}
void ShellExtensions::MainFrameCreated(CZEMApp&) {}
void ShellExtensions::LoadInterfacePlugins() {}
void ShellExtensions::SaveInterfaceModules() {}
void ShellExtensions::DestroyInterfaceModules() {}
void ShellExtensions::ClosePluginViews() {}
void ShellExtensions::OfferNewInterfacePlugins() {}
bool ShellExtensions::ShowSplash() {
    return true;
}
bool ShellExtensions::HasAudioWizard() const {
    return false;
}
void ShellExtensions::RunAudioWizard() {}
void ShellExtensions::ShowTipOfTheDay() {}

} // namespace zem::shell
