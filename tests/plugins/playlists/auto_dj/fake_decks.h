// Fakes around the Auto DJ for the tests and the benchmark: decks that play on a hand-driven
// clock and fire their progress events as the clock passes them (like the engine: during a loop
// the position wraps, so triggers past the loop's end never come), a playlist of rows, and a
// window whose posted steps run when the test pumps them.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace playlists::fake {

struct Song {
    unsigned long totalMs = 240000;
    unsigned long cue9Ms = 0;
    unsigned long endsAtMs = 0; // not 0: the decoder fails here and the deck ends early
    bool opens = true;          // false: the file is gone (the open fails)
};

struct DeckState {
    std::string path;
    unsigned long totalMs = 0;
    unsigned long endMs = 0;
    unsigned long positionMs = 0;
    unsigned long cue9Ms = 0;
    bool playing = false;
    bool ended = false;
    int side = 0; // kLeftSide, kRightSide or 0
    unsigned long loopStart = 0, loopEnd = 0;
    std::string lastEjected;
    int startCount = 0;
};

class FakeDecks final : public DeckHost {
public:
    struct Event {
        unsigned long trigger;
        ZEM_ProgressCallback callback;
        void* user;
        int kind;
    };

    // ---- set-up and the user's hands ----
    void AddSong(const std::string& path, Song song = {}) {
        std::lock_guard lock(m_mutex);
        m_songs[path] = song;
    }
    void SetSong(const std::string& path, Song song) { AddSong(path, song); }
    // Events fire this many ms after their trigger has been passed.
    void SetLateness(unsigned long ms) {
        std::lock_guard lock(m_mutex);
        m_lateMs = ms;
    }
    // false: new decks get no crossfader side.
    void SetAssignSides(bool assign) {
        std::lock_guard lock(m_mutex);
        m_assignSides = assign;
    }
    void SetAppClosing(bool closing) {
        std::lock_guard lock(m_mutex);
        m_closing = closing;
    }
    // A stalled sound card: the decks stop moving until the engine's watchdog takes over.
    void SetFrozen(bool frozen) {
        std::lock_guard lock(m_mutex);
        m_frozen = frozen;
    }
    // Moves a deck to a crossfader side (0: off the crossfader).
    void UserAssign(int channel, int side) {
        std::lock_guard lock(m_mutex);
        if (auto* d = Find(channel))
            d->side = side;
    }
    void UserStop(int channel) { Stop(channel); }
    void UserPlay(int channel) { Play(channel); }
    void UserSeek(int channel, unsigned long ms) {
        std::lock_guard lock(m_mutex);
        if (auto* d = Find(channel))
            d->positionMs = std::min(ms, d->endMs);
    }
    void UserLoop(int channel, unsigned long start, unsigned long end) {
        std::lock_guard lock(m_mutex);
        if (auto* d = Find(channel)) {
            d->loopStart = start;
            d->loopEnd = end;
        }
    }
    // Ejects the deck's file (its "closed" events fire); the deck stays, empty.
    void UserEject(int channel) {
        FireSpecial(channel, static_cast<unsigned long>(-2));
        std::lock_guard lock(m_mutex);
        if (auto* d = Find(channel)) {
            d->lastEjected = d->path;
            d->path.clear();
            d->playing = false;
            d->positionMs = d->totalMs = d->endMs = d->cue9Ms = 0;
        }
    }
    void UserLoad(int channel, const std::string& path) {
        std::lock_guard lock(m_mutex);
        if (auto* d = Find(channel))
            Load(*d, path);
    }

    // ---- the clock ----
    // Moves the clock on in steps; each step advances the playing decks, the crossfader, and
    // fires the events that became due (on this thread, as a playback thread would).
    void Advance(unsigned long ms, unsigned long step = 10) {
        for (unsigned long done = 0; done < ms; done += step) {
            const unsigned long dt = std::min(step, ms - done);
            {
                std::lock_guard lock(m_mutex);
                m_now += dt;
                if (!m_frozen)
                    for (auto& [channel, d] : m_decks)
                        Tick(d, dt);
                if (m_fadeLeftMs > 0) {
                    const double part = std::min(1.0, double(dt) / double(m_fadeLeftMs));
                    m_fader += (m_faderTarget - m_fader) * part;
                    m_fadeLeftMs -= std::min<unsigned long>(dt, m_fadeLeftMs);
                }
            }
            FireDue();
        }
    }
    int64_t Now() const {
        std::lock_guard lock(m_mutex);
        return m_now;
    }

    // ---- what the tests look at ----
    std::optional<DeckState> Deck(int channelOrSide) {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channelOrSide);
        return d ? std::optional<DeckState>(*d) : std::nullopt;
    }
    int DeckCount() const {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(m_decks.size());
    }
    int PlayingCount() const {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(std::count_if(m_decks.begin(), m_decks.end(),
                                              [](const auto& d) { return d.second.playing; }));
    }
    // -1 full left, +1 full right.
    double Fader() const {
        std::lock_guard lock(m_mutex);
        return m_fader;
    }
    std::vector<Event> Events(int channelOrSide) {
        std::lock_guard lock(m_mutex);
        const int channel = Resolve(channelOrSide);
        const auto found = m_events.find(channel);
        return found == m_events.end() ? std::vector<Event>{} : found->second;
    }
    std::optional<unsigned long> Trigger(int channelOrSide, int kind) {
        for (const Event& e : Events(channelOrSide))
            if (e.kind == kind)
                return e.trigger;
        return std::nullopt;
    }
    int EventsTotal() const {
        std::lock_guard lock(m_mutex);
        size_t n = 0;
        for (const auto& [channel, list] : m_events)
            n += list.size();
        return static_cast<int>(n);
    }
    // Every path asked for, in order (failed opens too).
    std::vector<std::string> Opened() const {
        std::lock_guard lock(m_mutex);
        return m_opened;
    }
    struct Fade {
        int side;
        unsigned long ms;
        int64_t at;
    };
    std::vector<Fade> Fades() const {
        std::lock_guard lock(m_mutex);
        return m_fades;
    }

    // ---- DeckHost ----
    int NewChannel(const std::string& path) override {
        std::lock_guard lock(m_mutex);
        m_opened.push_back(path);
        const auto song = m_songs.find(path);
        if (song == m_songs.end() || !song->second.opens)
            return -1;
        int channel = 0;
        while (m_decks.count(channel))
            ++channel; // the lowest free number, as the host reuses them
        DeckState& d = m_decks[channel];
        Load(d, path);
        if (m_assignSides) {
            const bool leftTaken = std::any_of(m_decks.begin(), m_decks.end(), [](const auto& e) {
                return e.second.side == kLeftSide;
            });
            const bool rightTaken = std::any_of(m_decks.begin(), m_decks.end(), [](const auto& e) {
                return e.second.side == kRightSide;
            });
            d.side = !leftTaken ? kLeftSide : !rightTaken ? kRightSide : 0;
        }
        return channel;
    }
    int Play(int channel) override {
        std::lock_guard lock(m_mutex);
        DeckState* d = Find(channel);
        if (!d || d->path.empty())
            return 0;
        if (!d->playing)
            ++d->startCount;
        d->playing = true;
        return 1;
    }
    int Stop(int channel) override {
        std::lock_guard lock(m_mutex);
        DeckState* d = Find(channel);
        if (!d)
            return 0;
        d->playing = false;
        return 1;
    }
    int CloseChannel(int channel) override {
        const int id = ChannelId(channel);
        if (id < 0)
            return 0;
        FireSpecial(id, static_cast<unsigned long>(-2));
        std::lock_guard lock(m_mutex);
        m_decks.erase(id);
        m_events.erase(id);
        return 1;
    }
    int ChannelId(int channelOrSide) override {
        std::lock_guard lock(m_mutex);
        return Resolve(channelOrSide);
    }
    int PlayStatus(int channelOrSide) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channelOrSide);
        return d && d->playing ? 1 : 0;
    }
    int Position(unsigned long& ms, int channel) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channel);
        if (!d)
            return 0;
        ms = d->positionMs;
        return 1;
    }
    int TotalTime(unsigned long& ms, int channel) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channel);
        if (!d)
            return 0;
        ms = d->totalMs;
        return 1;
    }
    unsigned long CuePosition(int cue, int channel) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channel);
        return d && cue == 9 ? d->cue9Ms : 0;
    }
    int SetPositionRel(long ms, int channel) override {
        std::lock_guard lock(m_mutex);
        DeckState* d = Find(channel);
        if (!d)
            return 0;
        const long moved = std::max(0l, static_cast<long>(d->positionMs) + ms);
        d->positionMs = std::min(static_cast<unsigned long>(moved), d->endMs);
        return 1;
    }
    int AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback, void* user, int kind,
                         int channel) override {
        std::lock_guard lock(m_mutex);
        const int id = Resolve(channel);
        if (id < 0)
            return 0;
        m_events[id].push_back({ms, callback, user, kind});
        return 1;
    }
    int RemoveProgressEvent(int kind, int channel) override {
        std::lock_guard lock(m_mutex);
        const int id = Resolve(channel);
        if (id < 0)
            return 0;
        return static_cast<int>(
            std::erase_if(m_events[id], [kind](const Event& e) { return e.kind == kind; }));
    }
    int RemoveAllProgressEvents(int channel) override {
        std::lock_guard lock(m_mutex);
        const int id = Resolve(channel);
        if (id < 0)
            return 0;
        const int n = static_cast<int>(m_events[id].size());
        m_events[id].clear();
        return n;
    }
    std::string LastFileEjected(int channel) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channel);
        return d ? d->lastEjected : std::string();
    }
    std::string DeckFilePath(int channelOrSide) override {
        std::lock_guard lock(m_mutex);
        const DeckState* d = Find(channelOrSide);
        return d ? d->path : std::string();
    }
    bool AppClosing() override {
        std::lock_guard lock(m_mutex);
        return m_closing;
    }
    int FadeFader(int side, unsigned long ms) override {
        std::lock_guard lock(m_mutex);
        m_fades.push_back({side, ms, m_now});
        m_faderTarget = side == kLeftSide ? -1.0 : 1.0;
        m_fadeLeftMs = ms;
        if (ms == 0)
            m_fader = m_faderTarget;
        return 1;
    }

private:
    static constexpr unsigned long kEnd = static_cast<unsigned long>(-1);
    static constexpr unsigned long kClosed = static_cast<unsigned long>(-2);

    int Resolve(int channelOrSide) const {
        if (channelOrSide >= 0)
            return m_decks.count(channelOrSide) ? channelOrSide : -1;
        for (const auto& [channel, d] : m_decks)
            if (d.side != 0 && d.side == channelOrSide)
                return channel;
        return -1;
    }
    DeckState* Find(int channelOrSide) {
        const int id = Resolve(channelOrSide);
        return id < 0 ? nullptr : &m_decks[id];
    }
    void Load(DeckState& d, const std::string& path) {
        const Song song = m_songs.count(path) ? m_songs[path] : Song{};
        d.path = path;
        d.totalMs = song.totalMs;
        d.endMs = song.endsAtMs ? song.endsAtMs : song.totalMs;
        d.cue9Ms = song.cue9Ms;
        d.positionMs = 0;
        d.playing = d.ended = false;
        d.loopStart = d.loopEnd = 0;
    }
    void Tick(DeckState& d, unsigned long dt) {
        if (!d.playing)
            return;
        d.positionMs += dt;
        if (d.loopEnd > d.loopStart && d.positionMs >= d.loopEnd)
            d.positionMs = d.loopStart + (d.positionMs - d.loopEnd);
        if (d.positionMs >= d.endMs) {
            d.positionMs = d.endMs;
            d.playing = false;
            d.ended = true;
        }
    }
    // One event at a time, unlocked while its callback runs (which may remove or add events).
    void FireDue() {
        for (;;) {
            Event fired{};
            int channel = -1;
            unsigned long position = 0;
            {
                std::lock_guard lock(m_mutex);
                for (auto& [id, list] : m_events) {
                    const DeckState& d = m_decks[id];
                    const auto due = std::find_if(list.begin(), list.end(), [&](const Event& e) {
                        if (e.trigger == kEnd)
                            return d.ended;
                        return e.trigger != kClosed && d.positionMs >= e.trigger + m_lateMs &&
                               !d.path.empty();
                    });
                    if (due != list.end()) {
                        fired = *due;
                        list.erase(due);
                        channel = id;
                        position = d.positionMs;
                        break;
                    }
                }
                if (channel < 0) {
                    for (auto& [id, d] : m_decks)
                        d.ended = false;
                    return;
                }
            }
            fired.callback(position, fired.trigger, channel, fired.kind, fired.user);
        }
    }
    void FireSpecial(int channel, unsigned long trigger) {
        std::vector<Event> due;
        {
            std::lock_guard lock(m_mutex);
            const int id = Resolve(channel);
            if (id < 0)
                return;
            auto& list = m_events[id];
            for (const Event& e : list)
                if (e.trigger == trigger)
                    due.push_back(e);
            std::erase_if(list, [trigger](const Event& e) { return e.trigger == trigger; });
        }
        for (const Event& e : due)
            e.callback(trigger, trigger, channel, e.kind, e.user);
    }

    mutable std::mutex m_mutex;
    std::map<std::string, Song> m_songs;
    std::map<int, DeckState> m_decks;
    std::map<int, std::vector<Event>> m_events;
    std::vector<std::string> m_opened;
    std::vector<Fade> m_fades;
    int64_t m_now = 0;
    unsigned long m_lateMs = 0;
    bool m_assignSides = true;
    bool m_closing = false;
    bool m_frozen = false;
    double m_fader = 0.0, m_faderTarget = 0.0;
    unsigned long m_fadeLeftMs = 0;
};

// The window's rows: paths, the next mark, the random-play marks.
class FakePlaylist final : public AutoDjPlaylist {
public:
    FakePlaylist(DeckHost& host, std::vector<std::string> paths)
        : m_host(host), m_paths(std::move(paths)), m_played(m_paths.size(), false) {}

    int RowCount() const override { return static_cast<int>(m_paths.size()); }
    int NextRow() const override { return m_next; }
    void MarkNext(int row) override { m_next = row; }
    int OpenRow(int row) override {
        m_openedRows.push_back(row);
        return m_host.NewChannel(m_paths.at(static_cast<size_t>(row)));
    }
    bool RandomPlay() const override { return m_random; }
    void SetPlayed(int row) override { m_played.at(static_cast<size_t>(row)) = true; }
    std::vector<int> UnplayedRows() const override {
        std::vector<int> rows;
        for (size_t i = 0; i < m_played.size(); ++i)
            if (!m_played[i])
                rows.push_back(static_cast<int>(i));
        return rows;
    }
    void ClearPlayedMarks() override { std::fill(m_played.begin(), m_played.end(), false); }

    void SetRandomPlay(bool on) { m_random = on; }
    const std::vector<int>& OpenedRows() const { return m_openedRows; }
    const std::string& Path(int row) const { return m_paths.at(static_cast<size_t>(row)); }

private:
    DeckHost& m_host;
    std::vector<std::string> m_paths;
    std::vector<bool> m_played;
    std::vector<int> m_openedRows;
    int m_next = 0;
    bool m_random = false;
};

// The window: settings, the error question, the check box, and the posted steps in a queue
// (Post may come from any thread) that Pump hands to the Auto DJ.
class FakeWindow final : public AutoDjWindow {
public:
    explicit FakeWindow(FakeDecks& decks) : m_decks(decks) {}

    AutoDjSettings settings;
    bool answerContinue = true;
    int questions = 0;
    bool checked = false;
    unsigned random = 0; // Random() answers this, counting up

    AutoDjSettings Settings() override { return settings; }
    bool AskContinueAfterError() override {
        ++questions;
        return answerContinue;
    }
    void Post(int kind, int channel) override {
        std::lock_guard lock(m_mutex);
        m_posted.emplace_back(kind, channel);
    }
    void SetAutoDjChecked(bool on) override { checked = on; }
    int64_t NowMs() override { return m_decks.Now(); }
    unsigned Random() override { return random++; }

    // The window thread's turn: the posted steps, then the timer.
    void Pump(AutoDj& autoDj) {
        for (;;) {
            std::pair<int, int> step;
            {
                std::lock_guard lock(m_mutex);
                if (m_posted.empty())
                    break;
                step = m_posted.front();
                m_posted.pop_front();
            }
            autoDj.OnDeviceEvent(step.first, step.second);
        }
        autoDj.Poll();
    }
    // The window went: what it had not handled yet is dropped.
    void Discard() {
        std::lock_guard lock(m_mutex);
        m_posted.clear();
    }
    size_t PostedCount() {
        std::lock_guard lock(m_mutex);
        return m_posted.size();
    }

private:
    FakeDecks& m_decks;
    std::mutex m_mutex;
    std::deque<std::pair<int, int>> m_posted;
};

// Decks, rows, window and Auto DJ together; Run moves the clock and pumps the window.
struct AutoDjRig {
    explicit AutoDjRig(std::vector<std::string> paths, Song song = {})
        : playlist(decks, paths), window(decks), autoDj(decks, playlist, window) {
        for (const std::string& path : paths)
            decks.AddSong(path, song);
    }
    void Run(unsigned long ms, unsigned long step = 10) {
        for (unsigned long done = 0; done < ms; done += step) {
            decks.Advance(std::min(step, ms - done), step);
            window.Pump(autoDj);
        }
    }
    FakeDecks decks;
    FakePlaylist playlist;
    FakeWindow window;
    AutoDj autoDj;
};

} // namespace playlists::fake
