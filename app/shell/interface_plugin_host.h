// The program's interface plug-ins: the loaded modules with "ControlModules.cfg", their view
// types on the program's templates and menus (interface requests 2 and 3, view commands 4480
// and up), the new-plug-ins offer at start, "Interface plugin settings..." and the closing of
// their views when the main window closes.
//
// Threads: the user-interface thread.
#pragma once

#include "app/framework/command_target.h"
#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/view_types.h"

#include <memory>
#include <string>

class ZemProfile;

namespace zem::shell {

class CZEMApp;

class InterfacePluginHost : public ZemCommandTarget {
public:
    InterfacePluginHost();
    ~InterfacePluginHost() override;

    // Once the main frame and the request handler exist: view types on the program's
    // templates and menus, the requests that register them, the commands.
    void Attach(CZEMApp& app);

    // Start-up: the listed modules, constructed and updated.
    void LoadListed();
    // Start-up, later: the plug-ins never offered before, in the new-plug-ins dialog.
    void OfferNew(ZemProfile& profile);
    // The main window's close (the caller set the closing flag).
    void CloseViews();
    void Save();
    void DestroyAll();

    // "Interface plugin settings..." and the view commands.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

    zem::interface_plugins::CInterfaceModules* Modules() { return m_modules.get(); }
    zem::interface_plugins::CInterfaceViewTypes* ViewTypes() { return m_views.get(); }

private:
    CZEMApp* m_app = nullptr;
    std::unique_ptr<zem::interface_plugins::CInterfaceViewTypes> m_views;
    std::unique_ptr<zem::interface_plugins::CInterfaceModules> m_modules;
};

} // namespace zem::shell
