// The exported host functions: check the arguments, then hand the call to the program's host.
#include "contracts/hostlink.h"
#include "hostlink/host_api.h"

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace zem::hostlink {

HostApi::~HostApi() = default;

namespace {

std::mutex g_lock;
std::condition_variable g_idle;
HostApi* g_host = nullptr;
int g_inFlight = 0;
// Calls this thread has in flight: detaching from inside one must not wait for itself.
thread_local int t_depth = 0;

// Holds the installed host for the length of one call, so that detaching waits for it.
class HostCall {
public:
    HostCall() {
        std::lock_guard<std::mutex> guard(g_lock);
        m_host = g_host;
        if (m_host) {
            ++g_inFlight;
            ++t_depth;
        }
    }
    ~HostCall() {
        if (!m_host)
            return;
        std::lock_guard<std::mutex> guard(g_lock);
        --g_inFlight;
        --t_depth;
        g_idle.notify_all();
    }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;

    HostApi* operator->() const { return m_host; }
    explicit operator bool() const { return m_host != nullptr; }

private:
    HostApi* m_host;
};

constexpr int kPathBuffer = 260;
constexpr unsigned long kNoTime = 0;

void CopyTruncated(char* out, int size, const std::string& text) {
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

void InstallHostApi(HostApi* host) {
    std::unique_lock<std::mutex> guard(g_lock);
    g_host = host;
    if (!host)
        g_idle.wait(guard, [] { return g_inFlight == t_depth; });
}

} // namespace zem::hostlink

using zem::hostlink::CopyTruncated;
using zem::hostlink::HostCall;
using zem::hostlink::kPathBuffer;

const char* ZEM_Interface_GetZEMPath(int kind) {
    // One buffer per thread and kind: the pointer stays good while the caller uses it.
    static constexpr int kKinds = 8;
    thread_local char paths[kKinds][kPathBuffer];
    if (kind < 0 || kind >= kKinds)
        return "";
    HostCall host;
    CopyTruncated(paths[kind], kPathBuffer, host ? host->ZemPath(kind) : std::string());
    return paths[kind];
}

int ZEM_Interface_GetFileTypes(char* buffer) {
    HostCall host;
    // Without a host, the filter is just its empty last string.
    const std::string filter = host ? host->FileTypes() : std::string(1, '\0');
    if (buffer)
        std::memcpy(buffer, filter.data(), filter.size());
    return static_cast<int>(filter.size());
}

char* ZEM_Interface_FileOpenDlg(int flags) {
    constexpr int kAllowMultiSelect = 0x200;
    HostCall host;
    std::string paths;
    if (!host || !host->ChooseFiles((flags & kAllowMultiSelect) != 0, paths) || paths.empty())
        return nullptr;
    char* block = static_cast<char*>(std::malloc(paths.size() + 1));
    if (block)
        std::memcpy(block, paths.c_str(), paths.size() + 1);
    return block;
}

int ZEM_Interface_GetAppClosing() {
    HostCall host;
    return host && host->AppClosing() ? 1 : 0;
}

long ZEM_Interface_AddView(ZEM_ViewDescriptor* view) {
    HostCall host;
    return host && view ? host->AddView(view) : 0;
}

long ZEM_Interface_RemoveView(ZEM_ViewDescriptor* view) {
    HostCall host;
    return host && view ? host->RemoveView(view) : 0;
}

bool ZEM_Interface_GetFullFileInfo(ZEM_FileInfo* info, char* path) {
    HostCall host;
    return host && info && path && host->FullFileInfo(path, *info);
}

bool ZEM_Interface_GetZECFileInfo(ZEM_FileInfo* info, int channel) {
    HostCall host;
    return host && info && host->DeckFileInfo(channel, *info);
}

int ZEM_Device_NewChannel(char* path) {
    HostCall host;
    return host && path ? host->NewChannel(path) : -1;
}

int ZEM_Device_GetChannelID(int channel) {
    HostCall host;
    return host ? host->ChannelId(channel) : -1;
}

int ZEM_Device_GetPlayStatus(int channel) {
    HostCall host;
    return host ? host->PlayStatus(channel) : 0;
}

int ZEM_Device_Play(int channel) {
    HostCall host;
    return host ? host->Play(channel) : 0;
}

int ZEM_Device_Stop(int channel) {
    HostCall host;
    return host ? host->Stop(channel) : 0;
}

int ZEM_Device_PlayPause(int channel) {
    HostCall host;
    return host ? host->PlayPause(channel) : 0;
}

int ZEM_Device_CloseChannel(int channel) {
    HostCall host;
    return host ? host->CloseChannel(channel) : 0;
}

int ZEM_Device_ShowChannel(int channel) {
    HostCall host;
    return host ? host->ShowChannel(channel) : 0;
}

int ZEM_Device_GetPosition(unsigned long& ms, int channel) {
    ms = zem::hostlink::kNoTime;
    HostCall host;
    return host ? host->Position(channel, ms) : 0;
}

int ZEM_Device_GetTotalTime(unsigned long& ms, int channel) {
    ms = zem::hostlink::kNoTime;
    HostCall host;
    return host ? host->TotalTime(channel, ms) : 0;
}

int ZEM_Device_SetPosition_Rel(long ms, int channel) {
    HostCall host;
    return host ? host->MovePosition(channel, ms) : 0;
}

int ZEM_Device_GetCuePosition(int cue, unsigned long& startMs, unsigned long& endMs, int channel) {
    startMs = endMs = zem::hostlink::kNoTime;
    HostCall host;
    return host ? host->CuePosition(channel, cue, startMs, endMs) : 0;
}

char* ZEM_Device_GetLastFileEjected(char* buffer, int channel) {
    HostCall host;
    std::string path;
    if (!host || !buffer || !host->LastFileEjected(channel, path))
        return nullptr;
    CopyTruncated(buffer, kPathBuffer, path);
    return buffer;
}

int ZEM_Device_AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback, void* user, int id,
                                int channel) {
    HostCall host;
    return host && callback ? host->AddProgressEvent(channel, ms, callback, user, id) : 0;
}

int ZEM_Device_RemoveProgressEvent(int id, int channel) {
    HostCall host;
    return host ? host->RemoveProgressEvent(channel, id) : 0;
}

int ZEM_Device_RemoveAllProgressEvents(int channel) {
    HostCall host;
    return host ? host->RemoveAllProgressEvents(channel) : 0;
}

int ZEM_Device_AddGlobalDSPPlugin(char* file, int effect) {
    HostCall host;
    return host && file ? host->AddGlobalDsp(file, effect) : 0;
}

int ZEM_Device_RemoveGlobalDSPPlugin(char* file, int effect) {
    HostCall host;
    return host && file ? host->RemoveGlobalDsp(file, effect) : 0;
}

int ZEM_Mixer_FadeFader(int side, unsigned long ms) {
    HostCall host;
    return host ? host->FadeFader(side, ms) : 0;
}
