// What the program adds to the shell's start-up and shutdown beyond the defaults: the keyboard
// command map, its bindings on the main window and "zemkeys.cfg".
#pragma once

#include "app/keys/accelerator_map.h"
#include "app/shell/shell_extensions.h"

#include <memory>
#include <string>

namespace zem::shell {

class ProgramExtensions : public ShellExtensions {
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

    zem::keys::CAcceleratorManager& KeyMap() { return m_map; }
    void SetKeyFile(std::string path) { m_keyFile = std::move(path); }

private:
    zem::keys::CAcceleratorManager m_map;
    std::string m_keyFile = "./zemkeys.cfg";
};

} // namespace zem::shell
