// What the program adds to the shell's start-up and shutdown beyond the defaults: the keyboard
// command map, its bindings on the main window and "zemkeys.cfg".
#pragma once

#include "app/framework/command_target.h"
#include "app/keys/accelerator_map.h"
#include "app/pads/pad_table.h"
#include "app/shell/interface_plugin_host.h"
#include "app/shell/shell_extensions.h"

#include <functional>
#include <memory>
#include <string>

namespace zem::shell {

class CMainFrame;

class ProgramExtensions : public ShellExtensions,
                          public ZemCommandTarget,
                          private zem::pads::PadHost {
public:
    ProgramExtensions();
    ~ProgramExtensions() override;

    // The skin of skinFolder and its module; without any module (its own or the "Jog Wheel"
    // one) the program says so and its windows are the plain ones.
    void LoadSkin(const std::string& skinFolder) override;
    void UnloadSkin() override;

    // The command table, the accelerator table built from it, then the default copy.
    void RegisterCommands(QMainWindow& mainWindow) override;
    // "./zemkeys.cfg" of the program directory.
    void LoadKeyMap() override;
    bool SaveKeyMap() override;
    bool HasKeyboardLayout() const override { return true; }
    // The dialog on a copy of the map; OK puts the keys in force at once.
    void OpenKeyboardLayout(QWidget* parent) override;

    // The interface plug-ins: "ControlModules.cfg", their view types and dialogs.
    void MainFrameCreated(CZEMApp& app) override;
    void LoadInterfacePlugins() override;
    void SaveInterfaceModules() override;
    void DestroyInterfaceModules() override;
    void ClosePluginViews() override;
    void OfferNewInterfacePlugins() override;
    InterfacePluginHost& Plugins() { return m_plugins; }

    // The splash and the tip of the day show only in a run someone watches (not in tests or a
    // screenshot run, where nobody would close them).
    void SetStartupWindows(bool on) { m_startupWindows = on; }
    bool ShowSplash() override;
    void ShowTipOfTheDay() override;

    // Over the program's sound cards; it may change the global DSP list too.
    bool HasAudioWizard() const override { return true; }
    void RunAudioWizard() override;

    // "sfx.cfg" of the SFX folder: the pads on the program's mixer, each a keyboard command.
    void ReadSoundEffects() override;
    void WriteSoundEffects() override;

    // The pads' commands and "Sound FX | Settings...".
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

    // How the pads' dialog chooses a file to add (the program's open-file prompt).
    void SetFileChooser(std::function<std::string(QWidget*)> chooser) {
        m_chooseFile = std::move(chooser);
    }
    zem::pads::CPadTable* Pads() { return m_pads.get(); }
    void SetSoundEffectsFile(std::string path) { m_sfxFile = std::move(path); }

    zem::keys::CAcceleratorManager& KeyMap() { return m_map; }
    void SetKeyFile(std::string path) { m_keyFile = std::move(path); }

private:
    // PadHost.
    void RegisterPadCommand(uint16_t command, const std::string& name) override;
    void UnregisterPadCommand(uint16_t command) override;
    void ShowMessage(const std::string& text) override;
    void OpenPadDialog();
    bool IsPadCommand(int id) const;

    zem::keys::CAcceleratorManager m_map;
    CMainFrame* m_frame = nullptr;
    std::unique_ptr<zem::pads::CPadTable> m_pads;
    std::function<std::string(QWidget*)> m_chooseFile;
    std::string m_sfxFile; // empty: "sfx.cfg" in the SFX folder
    std::string m_keyFile = "./zemkeys.cfg";
    CZEMApp* m_app = nullptr;
    bool m_startupWindows = false;
    // Last: its plug-ins go first, while the keys and pads they may know are still there.
    InterfacePluginHost m_plugins;
};

} // namespace zem::shell
