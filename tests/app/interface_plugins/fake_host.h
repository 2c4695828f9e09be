// The program's side of Hostlink as far as interface plug-ins need it here: view requests go to
// a view-type list (a refused removal is recorded, as the program shows it), the rest answer
// nothing. Installed for the life of the object.
#pragma once

#include "../../hostlink/idle_host.h"
#include "app/interface_plugins/view_types.h"
#include "engine/foundations/zem_exception.h"

#include <string>
#include <vector>

class FakeHost : public IdleHost {
public:
    explicit FakeHost(zem::interface_plugins::CInterfaceViewTypes* views) : m_views(views) {}

    long AddView(ZEM_ViewDescriptor* view) override {
        return m_views ? static_cast<long>(m_views->AddView(view)) : 0;
    }
    long RemoveView(ZEM_ViewDescriptor* view) override {
        try {
            return m_views ? static_cast<long>(m_views->RemoveView(view)) : 0;
        } catch (const ZEMException& e) {
            refusals.push_back(e.GetMessage());
            return 0;
        }
    }

    std::vector<std::string> refusals;

private:
    zem::interface_plugins::CInterfaceViewTypes* m_views;
};
