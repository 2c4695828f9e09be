#include "plugins/playlists/auto_dj/hostlink_deck_host.h"

#include <vector>

namespace playlists {

int HostlinkDeckHost::NewChannel(const std::string& path) {
    // The host takes a writable buffer.
    std::vector<char> buffer(path.begin(), path.end());
    buffer.push_back('\0');
    return ZEM_Device_NewChannel(buffer.data());
}

int HostlinkDeckHost::Play(int channel) {
    return ZEM_Device_Play(channel);
}

int HostlinkDeckHost::Stop(int channel) {
    return ZEM_Device_Stop(channel);
}

int HostlinkDeckHost::CloseChannel(int channel) {
    return ZEM_Device_CloseChannel(channel);
}

int HostlinkDeckHost::ChannelId(int channelOrSide) {
    return ZEM_Device_GetChannelID(channelOrSide);
}

int HostlinkDeckHost::PlayStatus(int channelOrSide) {
    return ZEM_Device_GetPlayStatus(channelOrSide);
}

int HostlinkDeckHost::Position(unsigned long& ms, int channel) {
    return ZEM_Device_GetPosition(ms, channel);
}

int HostlinkDeckHost::TotalTime(unsigned long& ms, int channel) {
    return ZEM_Device_GetTotalTime(ms, channel);
}

unsigned long HostlinkDeckHost::CuePosition(int cue, int channel) {
    unsigned long start = 0, end = 0;
    ZEM_Device_GetCuePosition(cue, start, end, channel);
    return start;
}

int HostlinkDeckHost::SetPositionRel(long ms, int channel) {
    return ZEM_Device_SetPosition_Rel(ms, channel);
}

int HostlinkDeckHost::AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback, void* user,
                                       int kind, int channel) {
    return ZEM_Device_AddProgressEvent(ms, callback, user, kind, channel);
}

int HostlinkDeckHost::RemoveProgressEvent(int kind, int channel) {
    return ZEM_Device_RemoveProgressEvent(kind, channel);
}

int HostlinkDeckHost::RemoveAllProgressEvents(int channel) {
    return ZEM_Device_RemoveAllProgressEvents(channel);
}

std::string HostlinkDeckHost::LastFileEjected(int channel) {
    char buffer[260] = {};
    const char* path = ZEM_Device_GetLastFileEjected(buffer, channel);
    if (!path)
        return {};
    buffer[sizeof buffer - 1] = '\0';
    return path == buffer ? std::string(buffer) : std::string(path);
}

std::string HostlinkDeckHost::DeckFilePath(int channelOrSide) {
    ZEM_FileInfo info{}; // the host expects a zeroed record
    if (!ZEM_Interface_GetZECFileInfo(&info, channelOrSide))
        return {};
    info.path[sizeof info.path - 1] = '\0';
    return info.path;
}

bool HostlinkDeckHost::AppClosing() {
    return ZEM_Interface_GetAppClosing() != 0;
}

int HostlinkDeckHost::FadeFader(int side, unsigned long ms) {
    return ZEM_Mixer_FadeFader(side, ms);
}

} // namespace playlists
