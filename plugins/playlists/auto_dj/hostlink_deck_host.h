// The host's deck functions for the Auto DJ: each forwards to its ZEM_* function of Hostlink.
// Holds no state, so one object serves every window.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj_ports.h"

namespace playlists {

class HostlinkDeckHost final : public DeckHost {
public:
    int NewChannel(const std::string& path) override;
    int Play(int channel) override;
    int Stop(int channel) override;
    int CloseChannel(int channel) override;
    int ChannelId(int channelOrSide) override;
    int PlayStatus(int channelOrSide) override;
    int Position(unsigned long& ms, int channel) override;
    int TotalTime(unsigned long& ms, int channel) override;
    unsigned long CuePosition(int cue, int channel) override;
    int SetPositionRel(long ms, int channel) override;
    int AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback, void* user, int kind,
                         int channel) override;
    int RemoveProgressEvent(int kind, int channel) override;
    int RemoveAllProgressEvents(int channel) override;
    std::string LastFileEjected(int channel) override;
    std::string DeckFilePath(int channelOrSide) override;
    bool AppClosing() override;
    int FadeFader(int side, unsigned long ms) override;
};

} // namespace playlists
