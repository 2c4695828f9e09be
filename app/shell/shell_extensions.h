// What later parts of the program add to start-up and shutdown: the skin, the keyboard command
// table and key map, the sound-effect pads, the interface plug-ins, the splash, the audio
// set-up wizard and the tip of the day. The application calls these at their places in the
// order; the defaults do nothing, so the program runs without them.
#pragma once

#include <string>

class QMainWindow;
class QWidget;

namespace zem::shell {

class CZEMApp;

class ShellExtensions {
public:
    virtual ~ShellExtensions();
    // The main frame and the interface requests exist from here on.
    virtual void MainFrameCreated(CZEMApp& app);
    // skinFolder: "./skins/" + the skin name.
    virtual void LoadSkin(const std::string& skinFolder);
    virtual void UnloadSkin();
    // The command table, registered with the main window's key handling.
    virtual void RegisterCommands(QMainWindow& mainWindow);
    virtual void ReadSoundEffects();
    virtual void WriteSoundEffects();
    virtual void LoadKeyMap();
    // False when the key map could not be written.
    virtual bool SaveKeyMap();
    // "Keyboard layout...": false when there is no key map to edit (the command stays off).
    virtual bool HasKeyboardLayout() const;
    virtual void OpenKeyboardLayout(QWidget* parent);
    // "ControlModules.cfg": load the listed plug-ins and update each.
    virtual void LoadInterfacePlugins();
    virtual void SaveInterfaceModules();
    virtual void DestroyInterfaceModules();
    virtual void ClosePluginViews();
    virtual void OfferNewInterfacePlugins();
    // The splash; returns whether it should show at the next start.
    virtual bool ShowSplash();
    // The audio setup wizard, modal; without one its command stays off.
    virtual bool HasAudioWizard() const;
    virtual void RunAudioWizard();
    virtual void ShowTipOfTheDay();
};

} // namespace zem::shell
