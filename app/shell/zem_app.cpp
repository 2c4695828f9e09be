#include "app/shell/zem_app.h"

#include "app/audio_settings/advanced_audio_sheet.h"
#include "app/audio_settings/audio_settings_sheet.h"
#include "app/decks/deck_view/deck_factories.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_view/mixer_factories.h"
#include "app/decks/mixer_view/mixer_settings_sheet.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/device_settings/device_settings_sheet.h"
#include "app/effects/deck_effects_dialog.h"
#include "app/equalizer/equalizer_window.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"
#include "app/recorder/recorder_window.h"
#include "app/shell/general_dialog.h"
#include "app/shell/main_frame.h"
#include "app/shell/open_file_prompt.h"
#include "app/shell/program_host.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/shell_settings.h"
#include "app/shell/shell_texts.h"
#include "app/skins/active_skin.h"
#include "app/skins/skin_factories.h"
#include "app/skins/skin_settings_dialog.h"
#include "app/wave_editor/wave_editor_window.h"
#include "app/waveform/wave_summary.h"
#include "contracts/soundrail.h"
#include "engine/foundations/app_closing.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/temp_files.h"
#include "engine/foundations/zem_exception.h"
#include "platform/files.h"
#include "platform/library.h"
#include "platform/thread.h"

#include <QFileDialog>

#include <algorithm>

namespace zem::shell {

namespace {

// The kept templates have no file-new name, so the new-document action never offers them, and
// no filter extension, so they never claim a file.
constexpr char kEqualizerDocString[] =
    "\nEqualizer\n\n\n\nZEM.Equalizer.Document\nZEM Equalizer Document";
constexpr char kWaveEditorDocString[] =
    "\nWave editor\n\n\n\nZEM.WaveEditor.Document\nZEM Wave Editor Document";
constexpr char kRecorderDocString[] =
    "\nRecorder\n\n\n\nZEM.Recorder.Document\nZEM Recorder Document";
constexpr unsigned kEqualizerTemplateId = 135;
constexpr unsigned kWaveEditorTemplateId = 137;
constexpr unsigned kRecorderTemplateId = 136;

} // namespace

CZEMApp::CZEMApp(ZemProfile& profile, ShellDialogs& dialogs, ShellExtensions& extensions,
                 CommandLine commandLine, std::string startDir)
    : m_profile(profile), m_dialogs(dialogs), m_extensions(extensions),
      m_commandLine(std::move(commandLine)), m_startDir(std::move(startDir)),
      m_mixer(std::make_unique<AppMixer>(nullptr)) {
    ZemAppContext& context = AppContext();
    context.mixer = m_mixer.get();
    context.documents = &m_documents;
    context.profile = &m_profile;
    m_documents.SetProfile(&m_profile);
    m_documents.SetRecentFileList(&m_recent);
}

CZEMApp::~CZEMApp() {
    if (!m_shutDown)
        ExitInstance();
    CMixerDeviceView::SetEqualizerOpener({});
    CMixerDeviceView::SetEffectsDialogOpener({});
    CMixerDeviceView::SetWaveEditorOpener({});
    WriteSoundEffects();
    UnloadSkin();
    DeleteMixer();
}

bool CZEMApp::InitInstance() {
    return RunStartup(*this);
}

void CZEMApp::ExitInstance() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // A window the message loop never closed (start-up failed, or the loop was left early)
    // still goes through the close sequence, so the open files are recorded.
    if (m_mainFrame && m_mainFrame->isVisible())
        RunMainWindowClose(*this);
    m_recent.Save(m_profile);
    SaveInterfaceModules();
    DestroyInterfaceModules();
    if (!SaveKeyMap())
        ReportKeyMapFailure();
}

ZemDocument* CZEMApp::OpenDocumentFile(const std::string& path) {
    if (m_mainFrame)
        return m_mainFrame->OpenDocument(path);
    return m_documents.OpenDocumentFile(QString::fromStdString(path));
}

bool CZEMApp::HasMixerBoard() const {
    return AppContext().mixerView != nullptr;
}

// ---- Start-up steps ----

bool CZEMApp::InitFramework() {
    // Qt needs no container or OLE start; the application object exists by now.
    return true;
}

void CZEMApp::LoadProfile() {
    m_recent.Load(m_profile);
}

void CZEMApp::RemoveTempFiles() {
    ZEM_RemoveTempFiles();
}

void CZEMApp::ApplyThreadPriority() {
    ShellSettings settings(m_profile);
    zem::SetCurrentThreadPriority(ThreadPriorityFromSetting(settings.ThreadPrioritySetting()));
}

void CZEMApp::LoadSkin() {
    ShellSettings settings(m_profile);
    m_extensions.LoadSkin("./skins/" + settings.SkinFile());
}

void CZEMApp::SetOutputConfigPath() {
    OutputDevice::SetGeneralConfigPath(ZEM_GetZEMPath(3));
}

void CZEMApp::RegisterInputModules() {
    const std::string plugins = ZEM_GetZEMPath(2);
    std::vector<std::string> names =
        zem::ScanDirectory(plugins, std::string("*") + zem::kPluginSuffix);
    // Directory order is whatever the file system gives; sorted, the first module that claims
    // an extension is the same on every machine.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string path = zem::JoinPath(plugins, name);
        m_mixer->AddInputBufferModule(path.data());
    }
}

void CZEMApp::AddDocTemplates() {
    std::vector<DeviceModuleInfo*> modules;
    m_mixer->GetDeviceModuleInfos(modules);
    // The skinned windows need a skin module for their layout; without one they are plain.
    const bool skinned =
        ShellSettings(m_profile).SkinsEnabled() && zem::skins::TheSkin().HasModule();
    for (DeviceModuleInfo* module : modules) {
        auto deck = std::make_unique<ZemDocTemplate>(
            kDeckTemplateId, kDeckDocString, NewDeckDocument,
            skinned ? NewDeckFrameSkins : NewDeckFrame, skinned ? NewDeckViewSkins : NewDeckView);
        deck->SetDocString(kDocStringFilterName, module->description);
        deck->SetDocString(kDocStringFilterExt, module->extensions);
        m_documents.AddDocTemplate(std::move(deck));
    }
    // Their documents, frames and views come with the parts that build those windows.
    // The equalizer window is a second view of a deck's own document.
    m_equalizerTemplate = m_documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
        kEqualizerTemplateId, kEqualizerDocString, nullptr, MakeEqualizerFrame, MakeEqualizerView));
    CMixerDeviceView::SetEqualizerOpener([this](CMixerDeviceView& view) {
        if (CZEMDoc* deck = view.GetDeckDocument())
            OpenEqualizerWindow(*m_equalizerTemplate, *deck);
    });
    CMixerDeviceView::SetEffectsDialogOpener([](CMixerDeviceView& view) {
        if (MixerDevice* deck = view.GetDevice())
            ShowDeckEffectsDialog(&view, *deck);
    });
    m_waveEditorTemplate = m_documents.AddDocTemplate(
        std::make_unique<ZemDocTemplate>(kWaveEditorTemplateId, kWaveEditorDocString, nullptr,
                                         MakeWaveEditorFrame, MakeWaveEditorView));
    CMixerDeviceView::SetWaveEditorOpener([this](CMixerDeviceView& view) {
        if (CZEMDoc* deck = view.GetDeckDocument())
            OpenWaveEditor(*m_waveEditorTemplate, *deck);
    });
    m_recorderTemplate = m_documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
        kRecorderTemplateId, kRecorderDocString, MakeRecorderDocument, MakeRecorderFrame,
        MakeRecorderView));
    m_documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
        kMixerTemplateId, kMixerDocString, NewMixerDocument, NewMixerFrame,
        skinned ? NewMixerViewSkins : NewMixerView));
}

bool CZEMApp::CreateMainFrame() {
    m_mainFrame = std::make_unique<CMainFrame>(m_documents, m_profile, m_dialogs);
    m_mainFrame->AddCommandTarget(this);
    m_mainFrame->SetCloseHandler([this] { return RunMainWindowClose(*this); });
    m_mainFrame->UpdateRecentFiles(m_recent);
    m_requestHandler = std::make_unique<InterfaceRequests>(*this, *m_mainFrame);
    m_requests = std::make_unique<RequestChannel>(
        [this](int code, const RequestArgs& args) { return m_requestHandler->Handle(code, args); });
    m_host = std::make_unique<ProgramHost>(*this, *m_mainFrame, *m_requests);
    zem::hostlink::InstallHostApi(m_host.get());
    ZemAppContext& context = AppContext();
    context.mainWindow = m_mainFrame.get();
    context.workspace = m_mainFrame->Workspace();
    m_extensions.MainFrameCreated(*this);
    return true;
}

void CZEMApp::StartSound() {
    m_mixer->SetParentHandle(m_mainFrame.get());
    try {
        m_mixer->InitSound();
    } catch (ZEMException& e) {
        e.Display();
    }
}

void CZEMApp::LoadKeyboardAndPads() {
    m_extensions.RegisterCommands(*m_mainFrame);
    m_extensions.ReadSoundEffects();
    m_extensions.LoadKeyMap();
}

void CZEMApp::ApplyLogOption() {
    if (m_commandLine.log)
        ZEMException::SetDebug(true);
}

bool CZEMApp::ProcessCommandLine() {
    // The board is the console: a DJ who starts the program with songs still needs it, and
    // without it nothing would open it later. Opened first, so that it files the decks on its
    // strips and crossfader sides as they come.
    if (m_commandLine.files.empty() || !HasMixerBoard())
        OnFileNew();
    // A file that does not open was reported by its document; the others still open. Files
    // that no template claims yet may be an interface plug-in's (playlists): they open once the
    // plug-ins are loaded.
    for (const std::string& file : m_commandLine.files) {
        if (ClaimedByTemplate(file))
            OpenDocumentFile(file);
        else
            m_filesAfterPlugins.push_back(file);
    }
    return true;
}

bool CZEMApp::ClaimedByTemplate(const std::string& path) const {
    const QString file = QString::fromStdString(path);
    for (ZemDocTemplate* t : m_documents.GetTemplates())
        if (t->MatchDocType(file) >= kConfidenceYesNative)
            return true;
    return false;
}

void CZEMApp::ShowMainWindow() {
    m_mainFrame->show();
    m_mainFrame->update();
}

void CZEMApp::LoadInterfacePlugins() {
    m_extensions.LoadInterfacePlugins();
    std::vector<std::string> files;
    files.swap(m_filesAfterPlugins);
    for (const std::string& file : files)
        OpenDocumentFile(file);
}

void CZEMApp::ShowSplash() {
    ShellSettings settings(m_profile);
    if (settings.ShowSplash())
        settings.SetShowSplash(m_extensions.ShowSplash());
}

void CZEMApp::ApplySyncTime() {
    ::SetSyncTime(ShellSettings(m_profile).SyncTime());
}

void CZEMApp::ReopenLastFiles() {
    ShellSettings settings(m_profile);
    m_openFilesAtStart = settings.OpenFiles();
    for (const std::string& file : SplitOpenFiles(m_openFilesAtStart))
        OpenDocumentFile(file);
    settings.ClearOpenFiles();
}

void CZEMApp::AskFirstRun() {
    if (!ShellSettings(m_profile).Version().empty())
        return;
    if (m_dialogs.AskYesNo(kFirstRunQuestion))
        m_extensions.RunAudioWizard();
    else
        m_dialogs.ShowMessage(kWizardLater);
}

void CZEMApp::OfferNewInterfacePlugins() {
    m_extensions.OfferNewInterfacePlugins();
}

void CZEMApp::StoreVersion() {
    ShellSettings(m_profile).StoreVersion();
}

void CZEMApp::ShowTipOfTheDay() {
    if (ShellSettings(m_profile).TipAtStartUp())
        m_extensions.ShowTipOfTheDay();
}

// ---- Shutdown steps ----

void CZEMApp::SetAppClosing() {
    ::SetAppClosing(true);
}

void CZEMApp::ClosePluginViews() {
    m_extensions.ClosePluginViews();
}

bool CZEMApp::CloseAllDocuments() {
    if (!m_documents.SaveAllModified())
        return false;
    m_documents.CloseAllDocuments(false);
    if (m_keepSession)
        m_profile.WriteProfileString(kStartupSection, kOpenFilesKey, m_openFilesAtStart);
    return true;
}

void CZEMApp::CancelClose() {
    ::SetAppClosing(false);
}

void CZEMApp::DestroyMainWindow() {
    // The window itself goes once the close event is over; the context must not point at it.
    ZemAppContext& context = AppContext();
    context.mainWindow = nullptr;
    context.workspace = nullptr;
}

void CZEMApp::SaveInterfaceModules() {
    m_extensions.SaveInterfaceModules();
}

void CZEMApp::DestroyInterfaceModules() {
    m_extensions.DestroyInterfaceModules();
}

bool CZEMApp::SaveKeyMap() {
    return m_extensions.SaveKeyMap();
}

void CZEMApp::ReportKeyMapFailure() {
    m_dialogs.ShowMessage(kKeyConfigWriteFailed);
}

void CZEMApp::WriteSoundEffects() {
    m_extensions.WriteSoundEffects();
}

void CZEMApp::UnloadSkin() {
    m_extensions.UnloadSkin();
}

void CZEMApp::DeleteMixer() {
    // Windows still holding decks go first: a deck must leave the mixer before it is deleted.
    // Nothing may ask the frame once it goes: Hostlink lets go of the host first (and waits
    // for the calls under way).
    zem::hostlink::InstallHostApi(nullptr);
    m_host.reset();
    m_requests.reset();
    m_requestHandler.reset();
    m_mainFrame.reset();
    m_documents.CloseAllDocuments(true);
    // The waveform worker decodes through the mixer's input modules.
    zem::wave::ShutdownProgramWaveSummaryLoader();
    ZemAppContext& context = AppContext();
    context = ZemAppContext{};
    m_mixer.reset();
}

// ---- Commands ----

std::string CZEMApp::ChooseSongFile(QWidget* parent) {
    const std::vector<std::string> chosen = ChooseSongFiles(parent, false);
    return chosen.empty() ? std::string() : chosen.front();
}

std::vector<std::pair<std::string, std::string>> CZEMApp::InputFileTypes() const {
    std::vector<DeviceModuleInfo*> modules;
    if (m_mixer)
        m_mixer->GetDeviceModuleInfos(modules);
    std::vector<std::pair<std::string, std::string>> types;
    for (DeviceModuleInfo* m : modules)
        types.emplace_back(m->description, m->extensions);
    return types;
}

std::vector<std::pair<std::string, std::string>> CZEMApp::OpenableFileTypes() const {
    std::vector<std::pair<std::string, std::string>> types = InputFileTypes();
    // The songs first, then what interface plug-ins open (playlists), named without the
    // pattern their filter name carries.
    const size_t songs = types.size();
    for (ZemDocTemplate* t : m_documents.GetTemplates()) {
        std::string name = t->GetDocString(kDocStringFilterName);
        const std::string ext = t->GetDocString(kDocStringFilterExt);
        if (const size_t open = name.find(" ("); open != std::string::npos)
            name.erase(open);
        const auto same = [&](const auto& type) { return type.second == ext; };
        if (!name.empty() && !ext.empty() &&
            std::none_of(types.begin(), types.begin() + static_cast<std::ptrdiff_t>(songs), same))
            types.emplace_back(name, ext);
    }
    return types;
}

std::vector<std::string> CZEMApp::ChooseSongFiles(QWidget* parent, bool multiple) {
    return ChooseFiles(parent, multiple, InputFileTypes());
}

std::vector<std::string>
CZEMApp::ChooseFiles(QWidget* parent, bool multiple,
                     const std::vector<std::pair<std::string, std::string>>& types) {
    OpenFilePrompt prompt(parent ? parent : m_mainFrame.get(), m_profile, FileFilters(types),
                          m_startDir);
    if (multiple)
        prompt.setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> chosen;
    prompt.RunMultiple(chosen);
    return chosen;
}

void CZEMApp::OnFileOpen() {
    const std::vector<std::string> chosen =
        ChooseFiles(m_mainFrame.get(), false, OpenableFileTypes());
    if (!chosen.empty())
        OpenDocumentFile(chosen.front());
}

void CZEMApp::OnFileNew() {
    if (!m_fileNewDone) {
        m_fileNewDone = true;
        if (ZemDocument* doc = m_documents.OnFileNew();
            doc && m_mainFrame && !doc->GetViews().empty())
            m_mainFrame->PlaceChildFrame(doc->GetViews().front()->GetParentFrame());
        return;
    }
    for (ZemDocTemplate* t : m_documents.GetTemplates())
        if (t->GetDocString(kDocStringFilterExt) == ".zpl") {
            t->OpenDocumentFile(QString());
            return;
        }
}

void CZEMApp::OnGeneralSettings() {
    ShellSettings settings(m_profile);
    int setting = settings.ThreadPrioritySetting();
    if (!RunGeneralDialog(m_mainFrame.get(), setting))
        return;
    settings.SetThreadPrioritySetting(setting);
    zem::SetCurrentThreadPriority(ThreadPriorityFromSetting(setting));
}

void CZEMApp::OnBackgroundSettings() {
    const QString path = QFileDialog::getOpenFileName(
        m_mainFrame.get(), QString(),
        QString::fromStdString(ShellSettings(m_profile).BackgroundBitmap()), kBackgroundFilter);
    if (path.isEmpty())
        return;
    ShellSettings(m_profile).SetBackgroundBitmap(path.toStdString());
    m_mainFrame->ApplyBackground();
}

bool CZEMApp::OnCommand(int id) {
    ShellSettings settings(m_profile);
    switch (id) {
    case kCommandFileOpen:
        OnFileOpen();
        return true;
    case kCommandFileNew:
        OnFileNew();
        return true;
    case kCmdFileExit:
        m_mainFrame->close();
        return true;
    case zem::board::kCmdMixerSettings:
        ShowMixerSettings(m_mainFrame.get());
        return true;
    case kCmdGeneralSettings:
        OnGeneralSettings();
        return true;
    case kCmdDeviceSettings:
        ShowDeviceSettings(m_mainFrame.get(), *m_mixer, m_profile);
        return true;
    case kCmdRecorder:
        OpenRecorderWindow(*m_recorderTemplate);
        return true;
    case kCmdAudioGeneralSettings:
        ::ShowGeneralAudioSettings(m_mainFrame.get(), *m_mixer->GetOutputManager());
        ShellSettings(m_profile).SetSyncTime(::GetSyncTime());
        return true;
    case kCmdAdvancedSettings:
        ::ShowAdvancedAudioSettings(m_mainFrame.get(), *m_mixer->GetOutputManager());
        m_mixer->UpdateVolumes();
        return true;
    case kCmdAudioSetupWizard:
        m_extensions.RunAudioWizard();
        return true;
    case kCmdSkinsEnabled:
        settings.SetSkinsEnabled(!settings.SkinsEnabled());
        m_dialogs.ShowMessage(kRestartForSkins);
        return true;
    case kCmdKeyboardLayout:
        m_extensions.OpenKeyboardLayout(m_mainFrame.get());
        return true;
    case kCmdSkinSettings: {
        zem::skins::SkinSettingsDialog dialog(zem::skins::ListSkinFolders("."), settings.SkinFile(),
                                              m_mainFrame.get());
        if (dialog.exec() == QDialog::Accepted && !dialog.Chosen().empty()) {
            settings.SetSkinFile(dialog.Chosen());
            m_dialogs.ShowMessage(zem::skins::kNewSkinText);
        }
        return true;
    }
    case kCmdBackgroundEnabled:
        settings.SetBackgroundEnabled(!settings.BackgroundEnabled());
        m_mainFrame->ApplyBackground();
        return true;
    case kCmdBackgroundSettings:
        OnBackgroundSettings();
        return true;
    default:
        break;
    }
    if (id >= kCmdRecentFileFirst && id < kCmdRecentFileFirst + ZemRecentFileList::kDefaultSize) {
        const size_t index = static_cast<size_t>(id - kCmdRecentFileFirst);
        if (index < m_recent.Entries().size()) {
            const std::string path = m_recent.Entries()[index];
            OpenDocumentFile(path);
        }
        m_mainFrame->UpdateRecentFiles(m_recent);
        return true;
    }
    return false;
}

bool CZEMApp::OnUpdateCommand(int id, ZemCommandState& state) {
    switch (id) {
    case kCommandFileOpen:
    case kCommandFileNew:
    case kCmdFileExit:
    case kCmdGeneralSettings:
    case kCmdBackgroundSettings:
    case kCmdSkinSettings:
    case kCmdDeviceSettings:
    case kCmdRecorder:
    case kCmdAudioGeneralSettings:
    case kCmdAdvancedSettings:
        return true;
    case kCmdAudioSetupWizard:
        state.Enable(m_extensions.HasAudioWizard());
        return true;
    case zem::board::kCmdMixerSettings:
        state.Enable(HasMixerBoard());
        return true;
    case kCmdSkinsEnabled:
        state.SetCheck(ShellSettings(m_profile).SkinsEnabled());
        return true;
    case kCmdKeyboardLayout:
        state.Enable(m_extensions.HasKeyboardLayout());
        return true;
    case kCmdBackgroundEnabled:
        state.SetCheck(ShellSettings(m_profile).BackgroundEnabled());
        return true;
    default:
        break;
    }
    return id >= kCmdRecentFileFirst && id < kCmdRecentFileFirst + ZemRecentFileList::kDefaultSize;
}

} // namespace zem::shell
