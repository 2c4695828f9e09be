#include "app/shell/program_extensions.h"

#include "app/keys/command_table.h"
#include "app/keys/key_bindings.h"
#include "app/keys/key_file.h"
#include "app/keys/key_layout_dialog.h"
#include "app/shell/main_frame.h"
#include "app/skins/active_skin.h"
#include "app/skins/skin_module.h"
#include "platform/ui_hooks.h"

#include <QPointer>

namespace zem::shell {

ProgramExtensions::ProgramExtensions() = default;

ProgramExtensions::~ProgramExtensions() {
    m_map.SetTableBuilder({});
}

void ProgramExtensions::LoadSkin(const std::string& skinFolder) {
    if (!zem::skins::TheSkin().Load(skinFolder))
        zem::ShowMessageBox(zem::skins::kDefaultModuleFailedText);
}

void ProgramExtensions::UnloadSkin() {
    zem::skins::TheSkin().Unload();
}

void ProgramExtensions::RegisterCommands(QMainWindow& mainWindow) {
    // Keys act on the program's own main window; on another the map is kept without them.
    if (auto* frame = dynamic_cast<CMainFrame*>(&mainWindow)) {
        // Owned by the main window, which may go before the map.
        QPointer<zem::keys::CKeyBindings> bindings(
            new zem::keys::CKeyBindings(*frame, *frame->Workspace(), *frame->Router()));
        m_map.SetTableBuilder([bindings](const zem::keys::CAcceleratorManager& map) {
            if (bindings)
                bindings->Build(map);
        });
    }
    zem::keys::RegisterCommandTable(m_map);
    m_map.CreateAcceleratorTable();
    m_map.CreateDefaultTable();
}

void ProgramExtensions::LoadKeyMap() {
    zem::keys::ReadKeyFile(m_map, m_keyFile);
}

void ProgramExtensions::OpenKeyboardLayout(QWidget* parent) {
    zem::keys::RunKeyLayoutDialog(parent, m_map);
}

bool ProgramExtensions::SaveKeyMap() {
    return zem::keys::WriteKeyFile(m_map, m_keyFile);
}

} // namespace zem::shell
