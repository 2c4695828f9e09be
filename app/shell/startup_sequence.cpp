#include "app/shell/startup_sequence.h"

namespace zem::shell {

StartupSteps::~StartupSteps() = default;
ShutdownSteps::~ShutdownSteps() = default;

bool RunStartup(StartupSteps& s) {
    if (!s.InitFramework())
        return false;
    s.LoadProfile();
    s.RemoveTempFiles();
    s.ApplyThreadPriority();
    s.LoadSkin();
    s.SetOutputConfigPath();
    s.RegisterInputModules();
    s.AddDocTemplates();
    if (!s.CreateMainFrame())
        return false;
    s.StartSound();
    s.LoadKeyboardAndPads();
    s.ApplyLogOption();
    if (!s.ProcessCommandLine())
        return false;
    s.ShowMainWindow();
    s.LoadInterfacePlugins();
    s.ShowSplash();
    s.ApplySyncTime();
    s.ReopenLastFiles();
    s.AskFirstRun();
    s.OfferNewInterfacePlugins();
    s.StoreVersion();
    s.ShowTipOfTheDay();
    return true;
}

bool RunMainWindowClose(ShutdownSteps& s) {
    s.SetAppClosing();
    s.ClosePluginViews();
    if (!s.CloseAllDocuments()) {
        s.CancelClose();
        return false;
    }
    s.DestroyMainWindow();
    return true;
}

void RunShutdown(ShutdownSteps& s) {
    s.SaveInterfaceModules();
    s.DestroyInterfaceModules();
    if (!s.SaveKeyMap())
        s.ReportKeyMapFailure();
    s.WriteSoundEffects();
    s.UnloadSkin();
    s.DeleteMixer();
}

} // namespace zem::shell
