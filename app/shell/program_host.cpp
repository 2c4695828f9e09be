#include "app/shell/program_host.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_view.h"
#include "app/shell/host_progress_event.h"
#include "app/shell/main_frame.h"
#include "app/shell/open_file_prompt.h"
#include "app/shell/request_channel.h"
#include "app/shell/zem_app.h"
#include "engine/deck/stream_device.h"
#include "engine/effects/global_dsp_list.h"
#include "engine/foundations/app_closing.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"

#include <cstring>
#include <memory>
#include <vector>

namespace zem::shell {

namespace {

// Codes of the interface requests the host calls use.
constexpr int kRequestAddView = 2;
constexpr int kRequestRemoveView = 3;
constexpr int kRequestOpenFile = 4;
constexpr int kRequestFade = 8;

// Runs f on the interface thread; fail when the wait ran out. The result travels in a block
// both sides own, so a caller that gave up leaves nothing behind that the call still writes.
template <typename T, typename F> T Ask(RequestChannel& channel, T fail, F f) {
    auto out = std::make_shared<T>(fail);
    if (channel.Run([out, f]() mutable {
            *out = f();
            return intptr_t{1};
        }) != 1)
        return fail;
    return *out;
}

unsigned long BytesToMs(uint64_t bytes, const WAVEFORMATEX& format) {
    return format.nAvgBytesPerSec
               ? static_cast<unsigned long>(bytes * 1000 / format.nAvgBytesPerSec)
               : 0;
}

void FillInfo(ZEM_FileInfo& info, MixerDevice& deck) {
    std::memset(&info, 0, sizeof info);
    char path[512];
    deck.GetFullPath(path);
    std::memcpy(info.path, path, strnlen(path, sizeof info.path - 1)); // the memset ended it
    info.tempoBPM = deck.GetBPMInfo() ? deck.GetBPMInfo()->baseTempo : 0.0;
    info.totalMs = static_cast<uint32_t>(BytesToMs(deck.GetLength(), *deck.GetWaveFormatEx()));
}

struct TwoTimes {
    int result = 0;
    unsigned long first = 0;
    unsigned long second = 0;
};

struct InfoReply {
    bool ok = false;
    ZEM_FileInfo info{};
};

struct TextReply {
    bool ok = false;
    std::string text;
};

} // namespace

ProgramHost::ProgramHost(CZEMApp& app, CMainFrame& frame, RequestChannel& channel)
    : m_app(app), m_frame(frame), m_channel(channel) {}

template <typename Call> int ProgramHost::OnDeck(int channel, int fail, Call call) {
    return Ask(m_channel, fail, [this, channel, fail, call]() mutable {
        MixerDevice* deck = m_frame.FindDeck(channel);
        return deck ? call(*deck) : fail;
    });
}

std::string ProgramHost::ZemPath(int kind) {
    // Fixed at start, so any thread may read them.
    const char* dir = ZEM_GetZEMPath(kind);
    return dir ? dir : "";
}

std::string ProgramHost::FileTypes() {
    return Ask(m_channel, std::string(1, '\0'), [this] {
        // "description (*.a *.b)" then "*.a;*.b", each NUL-ended, as an open dialog's filter.
        std::string filter;
        for (const QString& f : FileFilters(m_app.InputFileTypes())) {
            const qsizetype open = f.lastIndexOf('('), close = f.lastIndexOf(')');
            QString pattern = open >= 0 && close > open ? f.mid(open + 1, close - open - 1) : "*";
            pattern.replace(' ', ';');
            filter += f.toStdString();
            filter += '\0';
            filter += pattern.toStdString();
            filter += '\0';
        }
        filter += '\0';
        return filter;
    });
}

bool ProgramHost::ChooseFiles(bool multiple, std::string& paths) {
    // The dialog waits for the user: no bound on the wait.
    auto reply = std::make_shared<TextReply>();
    const intptr_t done = m_channel.Run(
        [this, reply, multiple] {
            std::vector<std::string> chosen = m_app.ChooseSongFiles(nullptr, multiple);
            for (const std::string& p : chosen)
                reply->text += (reply->text.empty() ? "" : "|") + p;
            reply->ok = !chosen.empty();
            return intptr_t{1};
        },
        -1);
    if (done != 1 || !reply->ok)
        return false;
    paths = reply->text;
    return true;
}

bool ProgramHost::AppClosing() {
    return GetAppClosing();
}

long ProgramHost::AddView(ZEM_ViewDescriptor* view) {
    return static_cast<long>(
        m_channel.Send(kRequestAddView, {0, reinterpret_cast<intptr_t>(view), 0}));
}

long ProgramHost::RemoveView(ZEM_ViewDescriptor* view) {
    return static_cast<long>(
        m_channel.Send(kRequestRemoveView, {0, reinterpret_cast<intptr_t>(view), 0}));
}

bool ProgramHost::FullFileInfo(const std::string& path, ZEM_FileInfo& info) {
    const InfoReply reply = Ask(m_channel, InfoReply{}, [path] {
        InfoReply r;
        AppMixer* mixer = AppContext().mixer;
        if (!mixer)
            return r;
        const size_t dot = path.rfind('.');
        std::string extension = dot == std::string::npos ? path : path.substr(dot);
        std::unique_ptr<MixerDevice> device(mixer->GetDeviceType(extension.data()));
        if (!device)
            return r;
        std::string file = path;
        try {
            device->LoadFile(file.data());
        } catch (ZEMException&) {
            return r;
        }
        char zec[512];
        std::strncpy(zec, path.c_str(), sizeof zec - 1);
        zec[sizeof zec - 1] = '\0';
        FNameToZEC(zec);
        device->ReadConfig(zec);
        FillInfo(r.info, *device);
        r.ok = true;
        return r;
    });
    if (reply.ok)
        info = reply.info;
    return reply.ok;
}

bool ProgramHost::DeckFileInfo(int channel, ZEM_FileInfo& info) {
    const InfoReply reply = Ask(m_channel, InfoReply{}, [this, channel] {
        InfoReply r;
        if (MixerDevice* deck = m_frame.FindDeck(channel)) {
            FillInfo(r.info, *deck);
            r.ok = true;
        }
        return r;
    });
    if (reply.ok)
        info = reply.info;
    return reply.ok;
}

int ProgramHost::NewChannel(const std::string& path) {
    return Ask(m_channel, -1, [this, path] {
        return static_cast<int>(m_app.RequestHandler().Handle(
            kRequestOpenFile, {0, reinterpret_cast<intptr_t>(path.c_str()), 0}));
    });
}

int ProgramHost::ChannelId(int channel) {
    return OnDeck(channel, -1, [](MixerDevice& deck) { return deck.GetChannel(); });
}

int ProgramHost::PlayStatus(int channel) {
    return OnDeck(channel, 0,
                  [](MixerDevice& deck) { return static_cast<int>(deck.GetPlayStatus()); });
}

int ProgramHost::Play(int channel) {
    return OnDeck(channel, 0, [](MixerDevice& deck) {
        deck.Play();
        return 1;
    });
}

int ProgramHost::Stop(int channel) {
    return OnDeck(channel, 0, [](MixerDevice& deck) {
        deck.Stop();
        return 1;
    });
}

int ProgramHost::PlayPause(int channel) {
    return OnDeck(channel, 0, [](MixerDevice& deck) {
        if (deck.IsPlaying())
            deck.Stop();
        else
            deck.Play();
        return 1;
    });
}

int ProgramHost::CloseChannel(int channel) {
    return Ask(m_channel, 0, [this, channel] {
        ZemChildFrame* frame = m_frame.FindDeckFrame(channel);
        ZemView* view = frame ? frame->GetActiveView() : nullptr;
        ZemDocument* document = view ? view->GetDocument() : nullptr;
        if (!document)
            return 0;
        // The caller decided: no question, even while the deck plays.
        document->OnCloseDocument();
        return 1;
    });
}

int ProgramHost::ShowChannel(int channel) {
    return Ask(m_channel, 0, [this, channel] { return m_frame.ShowDeck(channel) ? 1 : 0; });
}

template <typename Bytes> int ProgramHost::DeckMs(int channel, unsigned long& ms, Bytes bytesOf) {
    const TwoTimes t = Ask(m_channel, TwoTimes{}, [this, channel, bytesOf] {
        TwoTimes r;
        if (MixerDevice* deck = m_frame.FindDeck(channel)) {
            r.first = BytesToMs(bytesOf(*deck), *deck->GetWaveFormatEx());
            r.result = 1;
        }
        return r;
    });
    ms = t.first;
    return t.result;
}

int ProgramHost::Position(int channel, unsigned long& ms) {
    return DeckMs(channel, ms, [](MixerDevice& deck) { return deck.GetPosition(); });
}

int ProgramHost::TotalTime(int channel, unsigned long& ms) {
    return DeckMs(channel, ms, [](MixerDevice& deck) { return deck.GetLength(); });
}

int ProgramHost::MovePosition(int channel, long ms) {
    return OnDeck(channel, 0, [ms](MixerDevice& deck) {
        const WAVEFORMATEX& format = *deck.GetWaveFormatEx();
        int64_t target = static_cast<int64_t>(deck.GetPosition()) +
                         static_cast<int64_t>(ms) * format.nAvgBytesPerSec / 1000;
        if (format.nBlockAlign > 1)
            target -= target % format.nBlockAlign;
        const int64_t length = static_cast<int64_t>(deck.GetLength());
        if (target > length)
            target = length;
        deck.SetPosition(static_cast<long>(target < 0 ? 0 : target), false);
        return 1;
    });
}

int ProgramHost::CuePosition(int channel, int cue, unsigned long& startMs, unsigned long& endMs) {
    const TwoTimes t = Ask(m_channel, TwoTimes{}, [this, channel, cue] {
        TwoTimes r;
        MixerDevice* deck = m_frame.FindDeck(channel);
        StoredPosition* stored = deck ? deck->GetStoredPosition(cue) : nullptr;
        if (!stored)
            return r;
        const WAVEFORMATEX& format = *deck->GetWaveFormatEx();
        const long start = stored->start.load(), end = stored->end.load();
        r.first = start < 0 ? 0 : BytesToMs(static_cast<uint64_t>(start), format);
        r.second = end < 0 ? 0 : BytesToMs(static_cast<uint64_t>(end), format);
        r.result = 1;
        return r;
    });
    startMs = t.first;
    endMs = t.second;
    return t.result;
}

bool ProgramHost::LastFileEjected(int channel, std::string& path) {
    const TextReply reply = Ask(m_channel, TextReply{}, [this, channel] {
        TextReply r;
        ZemChildFrame* frame = m_frame.FindDeckFrame(channel);
        ZemView* view = frame ? frame->GetActiveView() : nullptr;
        if (auto* doc = view ? dynamic_cast<CZEMDoc*>(view->GetDocument()) : nullptr) {
            r.text = doc->GetDeckDocument().GetLastFileEjected();
            r.ok = true;
        }
        return r;
    });
    if (reply.ok)
        path = reply.text;
    return reply.ok;
}

int ProgramHost::AddProgressEvent(int channel, unsigned long ms, ZEM_ProgressCallback callback,
                                  void* user, int id) {
    return OnDeck(channel, 0, [ms, callback, user, id](MixerDevice& device) {
        auto* deck = dynamic_cast<StreamDevice*>(&device);
        if (!deck)
            return 0;
        auto* event = new HostProgressEvent(callback, user, id, deck->GetChannel(), ms);
        const WAVEFORMATEX& format = *deck->GetWaveFormatEx();
        deck->AddProgressEvent(event,
                               event->DeckTrigger(format.nAvgBytesPerSec, format.nBlockAlign));
        return 1;
    });
}

int ProgramHost::RemoveEvents(StreamDevice& deck, bool all, int id) {
    std::vector<ProgressEvent*> events;
    if (deck.LockProgressEvents(true, events))
        return 0;
    int removed = 0;
    for (ProgressEvent* e : events) {
        auto* mine = dynamic_cast<HostProgressEvent*>(e);
        if (mine && !mine->removed && (all || mine->Id() == id) && deck.RemoveProgressEvent(e))
            ++removed;
    }
    deck.UnlockProgressEvents();
    return removed;
}

int ProgramHost::RemoveProgressEvent(int channel, int id) {
    return OnDeck(channel, 0, [id](MixerDevice& device) {
        auto* deck = dynamic_cast<StreamDevice*>(&device);
        return deck ? RemoveEvents(*deck, false, id) : 0;
    });
}

int ProgramHost::RemoveAllProgressEvents(int channel) {
    return OnDeck(channel, 0, [](MixerDevice& device) {
        auto* deck = dynamic_cast<StreamDevice*>(&device);
        return deck ? RemoveEvents(*deck, true, 0) : 0;
    });
}

int ProgramHost::AddGlobalDsp(const std::string& file, int effect) {
    return Ask(m_channel, 0, [file, effect] { return AddToGlobalDSPList(file, effect) ? 1 : 0; });
}

int ProgramHost::RemoveGlobalDsp(const std::string& file, int effect) {
    return Ask(m_channel, 0,
               [file, effect] { return RemoveFromGlobalDSPList(file, effect) ? 1 : 0; });
}

int ProgramHost::FadeFader(int side, unsigned long ms) {
    return static_cast<int>(m_channel.Send(kRequestFade, {side, static_cast<intptr_t>(ms), 0}));
}

} // namespace zem::shell
