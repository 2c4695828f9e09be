// The program's side of Hostlink: every host call runs on the user-interface thread through
// the request channel, with the request codes where the interface requests have one (views 2
// and 3, opening a file 4, the fade 8). A call whose wait runs out replies as failed.
//
// Threads: any thread calls; the work happens on the user-interface thread.
#pragma once

#include "hostlink/host_api.h"

#include <string>

class MixerDevice;
class StreamDevice;

namespace zem::shell {

class CMainFrame;
class CZEMApp;
class RequestChannel;

class ProgramHost : public zem::hostlink::HostApi {
public:
    ProgramHost(CZEMApp& app, CMainFrame& frame, RequestChannel& channel);

    std::string ZemPath(int kind) override;
    std::string FileTypes() override;
    bool ChooseFiles(bool multiple, std::string& paths) override;
    bool AppClosing() override;
    long AddView(ZEM_ViewDescriptor* view) override;
    long RemoveView(ZEM_ViewDescriptor* view) override;
    bool FullFileInfo(const std::string& path, ZEM_FileInfo& info) override;
    bool DeckFileInfo(int channel, ZEM_FileInfo& info) override;

    int NewChannel(const std::string& path) override;
    int ChannelId(int channel) override;
    int PlayStatus(int channel) override;
    int Play(int channel) override;
    int Stop(int channel) override;
    int PlayPause(int channel) override;
    int CloseChannel(int channel) override;
    int ShowChannel(int channel) override;
    int Position(int channel, unsigned long& ms) override;
    int TotalTime(int channel, unsigned long& ms) override;
    int MovePosition(int channel, long ms) override;
    int CuePosition(int channel, int cue, unsigned long& startMs, unsigned long& endMs) override;
    bool LastFileEjected(int channel, std::string& path) override;
    int AddProgressEvent(int channel, unsigned long ms, ZEM_ProgressCallback callback, void* user,
                         int id) override;
    int RemoveProgressEvent(int channel, int id) override;
    int RemoveAllProgressEvents(int channel) override;
    int AddGlobalDsp(const std::string& file, int effect) override;
    int RemoveGlobalDsp(const std::string& file, int effect) override;
    int FadeFader(int side, unsigned long ms) override;

private:
    // Runs call(deck) on the interface thread with the deck of the channel code; fail when
    // there is none (or the wait ran out).
    template <typename Call> int OnDeck(int channel, int fail, Call call);
    // Fills ms with bytesOf(deck) in the deck's milliseconds; 0 for no deck.
    template <typename Bytes> int DeckMs(int channel, unsigned long& ms, Bytes bytesOf);
    // Removes the host's events of the deck whose id matches (any id when all); the count.
    static int RemoveEvents(StreamDevice& deck, bool all, int id);

    CZEMApp& m_app;
    CMainFrame& m_frame;
    RequestChannel& m_channel;
};

} // namespace zem::shell
