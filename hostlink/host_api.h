// What the program does for Hostlink. The program installs one HostApi at start (and removes
// it before it tears down what the calls reach); Hostlink's exported functions check their
// arguments and call it, or fail softly while none is installed.
//
// Threads: every call may come from any thread (a plug-in's own thread, a deck's playback
// thread in a progress callback). The program carries each one to its user-interface thread
// and waits for the reply within a bound; a call that could not be carried out replies as
// failed. Strings handed in are copied before the call returns.
#pragma once

#include "contracts/export.h"
#include "contracts/hostlink.h"

#include <string>

namespace zem::hostlink {

class ZEM_EXPORT HostApi {
public:
    virtual ~HostApi();

    // The folder of the kind (2 plug-ins, 3 INI, 4 sound effects), no trailing separator;
    // empty for another kind.
    virtual std::string ZemPath(int kind) = 0;
    // The open-dialog filter: NUL-ended strings, an empty one last.
    virtual std::string FileTypes() = 0;
    // The chosen files joined by "|"; false on cancel.
    virtual bool ChooseFiles(bool multiple, std::string& paths) = 0;
    virtual bool AppClosing() = 0;
    virtual long AddView(ZEM_ViewDescriptor* view) = 0;
    virtual long RemoveView(ZEM_ViewDescriptor* view) = 0;
    virtual bool FullFileInfo(const std::string& path, ZEM_FileInfo& info) = 0;
    virtual bool DeckFileInfo(int channel, ZEM_FileInfo& info) = 0;

    virtual int NewChannel(const std::string& path) = 0;
    virtual int ChannelId(int channel) = 0;
    virtual int PlayStatus(int channel) = 0;
    virtual int Play(int channel) = 0;
    virtual int Stop(int channel) = 0;
    virtual int PlayPause(int channel) = 0;
    virtual int CloseChannel(int channel) = 0;
    virtual int ShowChannel(int channel) = 0;
    virtual int Position(int channel, unsigned long& ms) = 0;
    virtual int TotalTime(int channel, unsigned long& ms) = 0;
    virtual int MovePosition(int channel, long ms) = 0;
    virtual int CuePosition(int channel, int cue, unsigned long& startMs, unsigned long& endMs) = 0;
    // The deck's last ejected file; false for no deck.
    virtual bool LastFileEjected(int channel, std::string& path) = 0;
    virtual int AddProgressEvent(int channel, unsigned long ms, ZEM_ProgressCallback callback,
                                 void* user, int id) = 0;
    // How many events were removed; -1 for no deck.
    virtual int RemoveProgressEvent(int channel, int id) = 0;
    virtual int RemoveAllProgressEvents(int channel) = 0;
    virtual int AddGlobalDsp(const std::string& file, int effect) = 0;
    virtual int RemoveGlobalDsp(const std::string& file, int effect) = 0;
    virtual int FadeFader(int side, unsigned long ms) = 0;
};

// The program's host, or null to detach it; a call already running finishes on the host it
// started with, so the program detaches before it destroys the host and waits for none.
ZEM_EXPORT void InstallHostApi(HostApi* host);

} // namespace zem::hostlink
