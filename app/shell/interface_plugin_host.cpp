#include "app/shell/interface_plugin_host.h"

#include "app/interface_plugins/new_plugins_dialog.h"
#include "app/interface_plugins/new_plugins_offer.h"
#include "app/interface_plugins/settings_dialog.h"
#include "app/shell/interface_requests.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_texts.h"
#include "app/shell/zem_app.h"
#include "engine/foundations/app_closing.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "platform/ui_hooks.h"

#include <QMenuBar>

namespace zem::shell {

namespace {

constexpr int kPluginsDir = 2;
constexpr int kIniDir = 3;

std::string Dir(int kind) {
    const char* dir = ZEM_GetZEMPath(kind);
    return dir ? dir : "";
}

} // namespace

InterfacePluginHost::InterfacePluginHost() = default;

InterfacePluginHost::~InterfacePluginHost() {
    // The modules unregister their views as they go: the view types must still be there.
    m_modules.reset();
    m_views.reset();
}

void InterfacePluginHost::Attach(CZEMApp& app) {
    m_app = &app;
    CMainFrame& frame = *app.MainFrame();
    m_views = std::make_unique<zem::interface_plugins::CInterfaceViewTypes>(app.Documents());
    m_views->SetMenuBar(frame.menuBar());
    m_modules = std::make_unique<zem::interface_plugins::CInterfaceModules>(
        Dir(kPluginsDir), Dir(kIniDir),
        [](const std::string& text) { zem::ShowMessageBox(text.c_str()); });
    frame.AddCommandTarget(this);
    zem::interface_plugins::CInterfaceViewTypes* views = m_views.get();
    app.RequestHandler().SetViewTypeHooks(
        [views](ZEM_ViewDescriptor* view) { return views->AddView(view); },
        [views](ZEM_ViewDescriptor* view) -> intptr_t {
            // The exception must not travel through the plug-in's own code. In shutdown the
            // main window's close has already taken every type: a plug-in's destructor
            // removing its own is expected then, not worth a message.
            try {
                return views->RemoveView(view);
            } catch (ZEMException& e) {
                if (!GetAppClosing())
                    e.Display();
                return 0;
            }
        });
}

void InterfacePluginHost::LoadListed() {
    if (m_modules)
        m_modules->LoadListed();
}

void InterfacePluginHost::OfferNew(ZemProfile& profile) {
    // A run that only looks (the screenshot) asks nothing and leaves the profile alone.
    if (m_modules && m_app && !m_app->KeepsSession())
        zem::interface_plugins::OfferNewPlugins(
            *m_modules, profile,
            zem::interface_plugins::NewPluginsDialogQuestion(m_app->MainFrame()));
}

void InterfacePluginHost::CloseViews() {
    if (m_views)
        m_views->CloseAllViews();
}

void InterfacePluginHost::Save() {
    if (m_modules)
        m_modules->Save();
}

void InterfacePluginHost::DestroyAll() {
    if (m_modules)
        m_modules->DestroyAll();
}

bool InterfacePluginHost::OnCommand(int id) {
    if (id == kCmdInterfacePluginSettings && m_modules && m_app) {
        zem::interface_plugins::RunInterfacePluginSettings(m_app->MainFrame(), *m_modules);
        return true;
    }
    return m_views && m_views->OnCommand(id);
}

bool InterfacePluginHost::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id == kCmdInterfacePluginSettings)
        return m_modules != nullptr;
    return m_views && m_views->OnUpdateCommand(id, state);
}

} // namespace zem::shell
