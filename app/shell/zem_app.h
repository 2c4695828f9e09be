// The application object: it owns the program's mixer, profile, templates and main window,
// builds them in the fixed start-up order, and tears them down in the fixed shutdown order.
// Later parts plug their work (skin, keys, pads, interface plug-ins, wizard) in through
// ShellExtensions.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/decks/app_context.h"
#include "app/framework/command_target.h"
#include "app/framework/recent_file_list.h"
#include "app/framework/zem_doc_manager.h"
#include "app/shell/command_line.h"
#include "app/shell/interface_requests.h"
#include "app/shell/request_channel.h"
#include "app/shell/shell_extensions.h"
#include "app/shell/startup_sequence.h"
#include "hostlink/host_api.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class AppMixer;
class QWidget;
class ZemDocTemplate;

namespace zem::shell {

class CMainFrame;
class ShellDialogs;

class CZEMApp : public ZemCommandTarget, private StartupSteps, private ShutdownSteps {
public:
    // The profile, dialogs and extensions must outlive the application object. The mixer is
    // made here, without a parent window yet.
    CZEMApp(ZemProfile& profile, ShellDialogs& dialogs, ShellExtensions& extensions,
            CommandLine commandLine, std::string startDir);
    // The application object's own teardown: pads written, skin unloaded, mixer deleted.
    ~CZEMApp() override;
    CZEMApp(const CZEMApp&) = delete;
    CZEMApp& operator=(const CZEMApp&) = delete;

    // The start-up entry: true to run the message loop.
    bool InitInstance();
    // The shutdown entry, after the message loop: interface modules and the key map.
    void ExitInstance();

    // A run that only looks (the screenshot option) leaves "Startup"/"Open files" as it found
    // it, instead of recording the files it opened itself.
    void SetKeepSession(bool keep) { m_keepSession = keep; }
    bool KeepsSession() const { return m_keepSession; }

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    AppMixer& Mixer() { return *m_mixer; }
    ZemDocManager& Documents() { return m_documents; }
    ZemProfile& Profile() { return m_profile; }
    const CommandLine& GetCommandLine() const { return m_commandLine; }
    const std::string& StartDirectory() const { return m_startDir; }
    // The interface requests of outside callers, answered on the interface thread; there once
    // the main frame is.
    RequestChannel& Requests() { return *m_requests; }
    InterfaceRequests& RequestHandler() { return *m_requestHandler; }
    // The open-file prompt for one song; empty on cancel.
    std::string ChooseSongFile(QWidget* parent);
    // The input modules' file types: (description, ";"-separated extensions) each.
    std::vector<std::pair<std::string, std::string>> InputFileTypes() const;
    // The same prompt, several files allowed when multiple is set; empty on cancel.
    std::vector<std::string> ChooseSongFiles(QWidget* parent, bool multiple);
    // What File Open offers: the songs, then the kinds of file interface plug-ins open.
    std::vector<std::pair<std::string, std::string>> OpenableFileTypes() const;

    // Opens a file as a document, as File | Open and the command line do; null when it failed
    // (the user was told).
    ZemDocument* OpenDocumentFile(const std::string& path);

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

private:
    // Start-up steps, in the order RunStartup calls them.
    bool InitFramework() override;
    void LoadProfile() override;
    void RemoveTempFiles() override;
    void ApplyThreadPriority() override;
    void LoadSkin() override;
    void SetOutputConfigPath() override;
    void RegisterInputModules() override;
    void AddDocTemplates() override;
    bool CreateMainFrame() override;
    void StartSound() override;
    void LoadKeyboardAndPads() override;
    void ApplyLogOption() override;
    bool ProcessCommandLine() override;
    void ShowMainWindow() override;
    void LoadInterfacePlugins() override;
    void ShowSplash() override;
    void ApplySyncTime() override;
    void ReopenLastFiles() override;
    void AskFirstRun() override;
    void OfferNewInterfacePlugins() override;
    void StoreVersion() override;
    void ShowTipOfTheDay() override;

    // Shutdown steps.
    void SetAppClosing() override;
    void ClosePluginViews() override;
    bool CloseAllDocuments() override;
    void CancelClose() override;
    void DestroyMainWindow() override;
    void SaveInterfaceModules() override;
    void DestroyInterfaceModules() override;
    bool SaveKeyMap() override;
    void ReportKeyMapFailure() override;
    void WriteSoundEffects() override;
    void UnloadSkin() override;
    void DeleteMixer() override;

    void OnFileOpen();
    // Command 57600: the first time the standard new-document action, later a new playlist.
    void OnFileNew();
    void OnGeneralSettings();
    void OnBackgroundSettings();
    bool HasMixerBoard() const;
    // Some template takes path as its own kind of file.
    bool ClaimedByTemplate(const std::string& path) const;
    std::vector<std::string>
    ChooseFiles(QWidget* parent, bool multiple,
                const std::vector<std::pair<std::string, std::string>>& types);

    ZemProfile& m_profile;
    ShellDialogs& m_dialogs;
    ShellExtensions& m_extensions;
    CommandLine m_commandLine;
    std::string m_startDir;
    std::unique_ptr<AppMixer> m_mixer;
    ZemRecentFileList m_recent;
    ZemDocManager m_documents;
    // Kept for opening such windows later; owned by the document manager.
    ZemDocTemplate* m_equalizerTemplate = nullptr;
    ZemDocTemplate* m_waveEditorTemplate = nullptr;
    ZemDocTemplate* m_recorderTemplate = nullptr;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<InterfaceRequests> m_requestHandler;
    std::unique_ptr<RequestChannel> m_requests;
    // What Hostlink calls; installed while the main frame and the channel are there.
    std::unique_ptr<zem::hostlink::HostApi> m_host;
    bool m_fileNewDone = false;
    bool m_shutDown = false;
    bool m_keepSession = false;
    std::string m_openFilesAtStart;
    // Command-line files that wait for the interface plug-ins.
    std::vector<std::string> m_filesAfterPlugins;
};

} // namespace zem::shell
