// The program's side of Hostlink as far as interface plug-ins need it here: view requests go to
// a view-type list (a refused removal is recorded, as the program shows it), the rest answer
// nothing. Installed for the life of the object.
#pragma once

#include "app/interface_plugins/view_types.h"
#include "engine/foundations/zem_exception.h"
#include "hostlink/host_api.h"

#include <string>
#include <vector>

class FakeHost : public zem::hostlink::HostApi {
public:
    explicit FakeHost(zem::interface_plugins::CInterfaceViewTypes* views) : m_views(views) {
        zem::hostlink::InstallHostApi(this);
    }
    ~FakeHost() override { zem::hostlink::InstallHostApi(nullptr); }

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

    std::string ZemPath(int) override { return {}; }
    std::string FileTypes() override { return {}; }
    bool ChooseFiles(bool, std::string&) override { return false; }
    bool AppClosing() override { return false; }
    bool FullFileInfo(const std::string&, ZEM_FileInfo&) override { return false; }
    bool DeckFileInfo(int, ZEM_FileInfo&) override { return false; }
    int NewChannel(const std::string&) override { return -1; }
    int ChannelId(int) override { return -1; }
    int PlayStatus(int) override { return 0; }
    int Play(int) override { return 0; }
    int Stop(int) override { return 0; }
    int PlayPause(int) override { return 0; }
    int CloseChannel(int) override { return 0; }
    int ShowChannel(int) override { return 0; }
    int Position(int, unsigned long&) override { return 0; }
    int TotalTime(int, unsigned long&) override { return 0; }
    int MovePosition(int, long) override { return 0; }
    int CuePosition(int, int, unsigned long&, unsigned long&) override { return 0; }
    bool LastFileEjected(int, std::string&) override { return false; }
    int AddProgressEvent(int, unsigned long, ZEM_ProgressCallback, void*, int) override {
        return 0;
    }
    int RemoveProgressEvent(int, int) override { return -1; }
    int RemoveAllProgressEvents(int) override { return -1; }
    int AddGlobalDsp(const std::string&, int) override { return 0; }
    int RemoveGlobalDsp(const std::string&, int) override { return 0; }
    int FadeFader(int, unsigned long) override { return 0; }

    std::vector<std::string> refusals;

private:
    zem::interface_plugins::CInterfaceViewTypes* m_views;
};
