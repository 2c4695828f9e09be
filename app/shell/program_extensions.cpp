#include "app/shell/program_extensions.h"

#include "app/shell/zem_app.h"

#include "app/audio_settings/audio_wizard_sheet.h"
#include "app/decks/app_context.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/keys/command_table.h"
#include "app/keys/key_bindings.h"
#include "app/keys/key_file.h"
#include "app/keys/key_layout_dialog.h"
#include "app/pads/pad_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_texts.h"
#include "app/skins/active_skin.h"
#include "app/skins/skin_module.h"
#include "app/small_windows/splash_dialog.h"
#include "app/small_windows/tip_dialog.h"
#include "engine/foundations/standard_dirs.h"
#include "platform/ui_hooks.h"

#include <QPointer>

namespace zem::shell {

ProgramExtensions::ProgramExtensions() = default;

ProgramExtensions::~ProgramExtensions() {
    m_map.SetTableBuilder({});
}

void ProgramExtensions::ReadSoundEffects() {
    AppMixer* mixer = AppContext().mixer;
    if (!mixer)
        return;
    if (m_sfxFile.empty())
        m_sfxFile = std::string(ZEM_GetZEMPath(4)) + "/" + zem::pads::kSfxFileName;
    zem::pads::PadHost& host = *this;
    m_pads = std::make_unique<zem::pads::CPadTable>(*mixer, host);
    m_pads->ReadFile(m_sfxFile);
}

void ProgramExtensions::WriteSoundEffects() {
    if (!m_pads)
        return;
    m_pads->WriteFile(m_sfxFile);
    // The pads' devices are the mixer's, which goes next.
    m_pads.reset();
}

void ProgramExtensions::RegisterPadCommand(uint16_t command, const std::string& name) {
    // Two pads of the same file name still get a command each.
    if (!m_map.AddCommand(command, name))
        m_map.AddCommand(command, name + " " + std::to_string(command));
}

void ProgramExtensions::UnregisterPadCommand(uint16_t command) {
    if (m_map.RemoveCommand(command))
        m_map.CreateAcceleratorTable();
}

void ProgramExtensions::ShowMessage(const std::string& text) {
    zem::ShowMessageBox(text.c_str());
}

bool ProgramExtensions::IsPadCommand(int id) const {
    return m_pads && id > 0 && id <= 0xFFFF && m_pads->IsPadCommand(static_cast<uint16_t>(id));
}

bool ProgramExtensions::OnCommand(int id) {
    if (id == kCmdSoundFxSettings) {
        OpenPadDialog();
        return true;
    }
    if (IsPadCommand(id)) {
        m_pads->Fire(static_cast<uint16_t>(id));
        return true;
    }
    return false;
}

bool ProgramExtensions::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id == kCmdSoundFxSettings) {
        state.Enable(m_pads != nullptr);
        return true;
    }
    return IsPadCommand(id);
}

void ProgramExtensions::OpenPadDialog() {
    AppMixer* mixer = AppContext().mixer;
    if (!m_pads || !mixer)
        return;
    zem::pads::PadDialogHooks hooks;
    hooks.chooseFile = m_chooseFile;
    hooks.keyText = [this](uint16_t command) {
        const zem::keys::CommandKeys* keys = m_map.Find(command);
        return keys ? keys->FirstKeyText() : std::string();
    };
    hooks.openKeyMap = [this](QWidget* parent) { OpenKeyboardLayout(parent); };
    zem::pads::PadHost& host = *this;
    zem::pads::PadDialog dialog(*m_pads, *mixer, host, std::move(hooks), m_frame);
    dialog.exec();
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
        m_frame = frame;
        frame->AddCommandTarget(this);
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

void ProgramExtensions::MainFrameCreated(CZEMApp& app) {
    m_app = &app;
    m_plugins.Attach(app);
}

void ProgramExtensions::LoadInterfacePlugins() {
    m_plugins.LoadListed();
}

void ProgramExtensions::SaveInterfaceModules() {
    m_plugins.Save();
}

void ProgramExtensions::DestroyInterfaceModules() {
    m_plugins.DestroyAll();
}

void ProgramExtensions::ClosePluginViews() {
    m_plugins.CloseViews();
}

void ProgramExtensions::OfferNewInterfacePlugins() {
    if (m_app)
        m_plugins.OfferNew(m_app->Profile());
}

bool ProgramExtensions::ShowSplash() {
    return m_startupWindows ? zem::small::ShowSplashDialog(m_frame) : true;
}

void ProgramExtensions::ShowTipOfTheDay() {
    if (m_startupWindows && m_app && !m_app->GetCommandLine().automation)
        zem::small::ShowTipOfTheDay(m_frame, m_app->Profile());
}

void ProgramExtensions::RunAudioWizard() {
    if (m_app && m_app->Mixer().GetOutputManager())
        ::RunAudioWizard(m_frame, *m_app->Mixer().GetOutputManager());
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
