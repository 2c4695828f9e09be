// The order in which the program builds itself and tears itself down. The steps are calls on
// an interface, so that the order can be checked without a display, and the application
// object carries them out.
#pragma once

namespace zem::shell {

class StartupSteps {
public:
    virtual ~StartupSteps();
    // False ends start-up; the program then exits.
    virtual bool InitFramework() = 0;
    // The profile store and the recent-file list.
    virtual void LoadProfile() = 0;
    virtual void RemoveTempFiles() = 0;
    virtual void ApplyThreadPriority() = 0;
    virtual void LoadSkin() = 0;
    virtual void SetOutputConfigPath() = 0;
    virtual void RegisterInputModules() = 0;
    virtual void AddDocTemplates() = 0;
    // False ends start-up.
    virtual bool CreateMainFrame() = 0;
    // Parent handle and sound start; an engine exception is shown and start-up goes on.
    virtual void StartSound() = 0;
    // Command table, sound-effect table and key map.
    virtual void LoadKeyboardAndPads() = 0;
    virtual void ApplyLogOption() = 0;
    // Opens the files named, or the mixer board when none is; false ends start-up.
    virtual bool ProcessCommandLine() = 0;
    virtual void ShowMainWindow() = 0;
    virtual void LoadInterfacePlugins() = 0;
    virtual void ShowSplash() = 0;
    virtual void ApplySyncTime() = 0;
    virtual void ReopenLastFiles() = 0;
    virtual void AskFirstRun() = 0;
    virtual void OfferNewInterfacePlugins() = 0;
    virtual void StoreVersion() = 0;
    virtual void ShowTipOfTheDay() = 0;
};

// Runs the steps in their fixed order; false as soon as a step that can fail fails.
bool RunStartup(StartupSteps& steps);

class ShutdownSteps {
public:
    virtual ~ShutdownSteps();
    // Closing the main window.
    virtual void SetAppClosing() = 0;
    virtual void ClosePluginViews() = 0;
    // Documents asked to save; every template's Close all documents records "Open files".
    // False when the user cancelled a save question: the window stays open.
    virtual bool CloseAllDocuments() = 0;
    // The window stays open after all; the closing flag goes back.
    virtual void CancelClose() = 0;
    virtual void DestroyMainWindow() = 0;
    // The shutdown entry.
    virtual void SaveInterfaceModules() = 0;
    virtual void DestroyInterfaceModules() = 0;
    // False: the key map could not be written (the user is told, shutdown goes on).
    virtual bool SaveKeyMap() = 0;
    virtual void ReportKeyMapFailure() = 0;
    // Destroying the application object.
    virtual void WriteSoundEffects() = 0;
    virtual void UnloadSkin() = 0;
    virtual void DeleteMixer() = 0;
};

// The main window's close, in order: closing flag, plug-in views, documents, window. False
// when the user kept the window open.
bool RunMainWindowClose(ShutdownSteps& steps);
// What follows once the message loop has ended: the shutdown entry, then the application
// object's own teardown.
void RunShutdown(ShutdownSteps& steps);

} // namespace zem::shell
