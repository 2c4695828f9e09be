// A host for plug-in tests that answers every call as the program does for no deck, no file
// and no dialog; a test's fake overrides what it needs. It is Hostlink's host for its life
// (single-threaded tests: it installs itself before a derived fake is complete).
#pragma once

#include "hostlink/host_api.h"

#include <string>

class IdleHost : public zem::hostlink::HostApi {
public:
    IdleHost() { zem::hostlink::InstallHostApi(this); }
    ~IdleHost() override { zem::hostlink::InstallHostApi(nullptr); }
    IdleHost(const IdleHost&) = delete;
    IdleHost& operator=(const IdleHost&) = delete;

    std::string ZemPath(int) override { return {}; }
    std::string FileTypes() override { return {}; }
    bool ChooseFiles(bool, std::string&) override { return false; }
    bool AppClosing() override { return false; }
    long AddView(ZEM_ViewDescriptor*) override { return 0; }
    long RemoveView(ZEM_ViewDescriptor*) override { return 0; }
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
};
