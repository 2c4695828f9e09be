#include "plugins/playlists/auto_dj/auto_dj.h"

#include "plugins/playlists/auto_dj/auto_dj_link.h"

#include <algorithm>

namespace playlists {
namespace {

constexpr unsigned long kTriggerEndOfFile = static_cast<unsigned long>(-1);
constexpr unsigned long kTriggerClosed = static_cast<unsigned long>(-2);
constexpr int kCueFadeStart = 9;

unsigned long Seconds(int seconds) {
    return static_cast<unsigned long>(std::max(seconds, 0)) * 1000ul;
}

// Playback thread: start the deck on the other side of channel, moved on by how late the event
// came, and fade towards it. Host calls only; gives up as soon as the link retires.
bool StartFade(AutoDjLink& link, int channel, long lateMs) {
    DeckHost& host = *link.host;
    const int left = host.ChannelId(kLeftSide);
    const int right = host.ChannelId(kRightSide);
    if (left < 0 || right < 0 || !link.Active())
        return false;
    int other = -1, target = 0;
    if (channel == left) {
        other = right;
        target = kRightSide;
    } else if (channel == right) {
        other = left;
        target = kLeftSide;
    } else {
        return false;
    }
    if (lateMs > 0)
        host.SetPositionRel(lateMs, other);
    if (!link.Active())
        return false;
    host.Play(other);
    host.FadeFader(target, link.fadeMs.load());
    return true;
}

// Counts the window-thread steps under way, so that a step arriving from a nested event loop
// (a question box) waits for the one it interrupted.
class BusyScope {
public:
    explicit BusyScope(int& busy) : m_busy(busy) { ++m_busy; }
    ~BusyScope() { --m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& m_busy;
};

} // namespace

AutoDj::AutoDj(DeckHost& host, AutoDjPlaylist& playlist, AutoDjWindow& window)
    : m_host(host), m_playlist(playlist), m_window(window),
      m_link(RegisterAutoDjLink(host, window)) {
    ReadSettings();
}

AutoDj::~AutoDj() {
    RetireAutoDjLink(*m_link);
}

void* AutoDj::UserValue() const {
    return UserValueOf(*m_link);
}

bool AutoDj::IsOn() const {
    return m_link->on.load();
}

AutoDjSettings AutoDj::ReadSettings() {
    const AutoDjSettings settings = m_window.Settings();
    m_link->fadeMs.store(Seconds(settings.fadeSeconds));
    return settings;
}

void AutoDj::Toggle() {
    {
        BusyScope busy(m_busy);
        if (IsOn())
            TurnOff();
        else
            TurnOn();
    }
    RunDeferred();
}

void AutoDj::TurnOff() {
    m_link->on.store(false);
    m_window.SetAutoDjChecked(false);
    // The events stay registered (the callback ignores them), but nothing pending goes on.
    m_waits.clear();
    m_fades.clear();
}

void AutoDj::TurnOn() {
    AutoDjSettings settings = ReadSettings();
    m_link->on.store(true);
    m_window.SetAutoDjChecked(true);
    if (m_playlist.RowCount() < 2)
        return;
    auto sidesWithDecks = [this] {
        return (m_host.ChannelId(kLeftSide) >= 0 ? 1 : 0) +
               (m_host.ChannelId(kRightSide) >= 0 ? 1 : 0);
    };
    // The host gives a new deck a free side; an open that fills none ends the loop.
    for (int filled = sidesWithDecks(); filled < 2;) {
        if (!OpenNextFile() || !IsOn())
            return;
        const int now = sidesWithDecks();
        if (now <= filled)
            return;
        filled = now;
    }
    settings = ReadSettings();
    Arm(kLeftSide, settings);
    Arm(kRightSide, settings);
    if (m_host.PlayStatus(kLeftSide) > 0 || m_host.PlayStatus(kRightSide) > 0)
        return;
    m_host.FadeFader(kLeftSide, Seconds(settings.fadeSeconds));
    if (settings.playOnInitialOn)
        m_host.Play(kLeftSide);
}

int AutoDj::FollowingRow(int openedRow) {
    int next = openedRow + 1;
    if (m_playlist.RandomPlay()) {
        m_playlist.SetPlayed(openedRow);
        const std::vector<int> unplayed = m_playlist.UnplayedRows();
        if (unplayed.empty())
            m_playlist.ClearPlayedMarks();
        else
            next = unplayed[m_window.Random() % unplayed.size()];
    }
    return next >= m_playlist.RowCount() || next < 0 ? 0 : next;
}

bool AutoDj::OpenNextFile() {
    const AutoDjSettings settings = ReadSettings();
    const int rows = m_playlist.RowCount();
    int channel = -1;
    // One pass over the list at most: a list where nothing opens must not spin.
    for (int tries = 0; tries < rows && channel < 0; ++tries) {
        int row = m_playlist.NextRow();
        if (row < 0 || row >= rows)
            row = 0;
        channel = m_playlist.OpenRow(row);
        if (channel < 0 && settings.promptOnError && !m_window.AskContinueAfterError()) {
            if (IsOn())
                TurnOff();
            return false;
        }
        m_playlist.MarkNext(FollowingRow(row));
    }
    if (channel < 0)
        return false;
    Arm(channel, settings);
    return true;
}

void AutoDj::Arm(int channelOrSide, const AutoDjSettings& settings) {
    // Everything by the deck's ID, so that all calls name the same deck.
    const int channel = m_host.ChannelId(channelOrSide);
    if (channel < 0)
        return;
    m_host.RemoveAllProgressEvents(channel);
    m_link->ArmedAgain(channel);
    void* user = UserValue();
    m_host.AddProgressEvent(kTriggerClosed, &AutoDj::ProgressCallback, user, kEventClosed, channel);
    m_host.AddProgressEvent(kTriggerEndOfFile, &AutoDj::ProgressCallback, user, kEventEndOfFile,
                            channel);
    unsigned long fadeStart = m_host.CuePosition(kCueFadeStart, channel);
    if (fadeStart == 0 || !settings.fadeAtCue9) {
        unsigned long total = 0;
        m_host.TotalTime(total, channel);
        const unsigned long lead = Seconds(settings.startFadingSeconds);
        fadeStart = total < lead ? 0 : total - lead;
    }
    m_host.AddProgressEvent(fadeStart, &AutoDj::ProgressCallback, user, kEventFadeStart, channel);
    m_host.AddProgressEvent(fadeStart + Seconds(settings.fadeSeconds), &AutoDj::ProgressCallback,
                            user, kEventFadeOver, channel);
    m_armed.insert(channel);
}

bool AutoDj::ProgressCallback(unsigned long progressMs, unsigned long triggerMs, int channel,
                              int kind, void* user) {
    const AutoDjLinkUse use(user);
    AutoDjLink* link = use.get();
    if (!link || !link->Active() || kind < 0 || kind > kEventClosed || link->host->AppClosing())
        return true;
    switch (kind) {
    case kEventFadeStart: {
        const long late = progressMs > triggerMs ? static_cast<long>(progressMs - triggerMs) : 0;
        // The window thread is told too, so that it can finish a fade whose end never comes.
        if (StartFade(*link, channel, late) && link->Active())
            link->window->Post(kind, channel);
        break;
    }
    case kEventEndOfFile:
    case kEventFadeOver:
        if (!link->ClaimReplacement(channel))
            break;
        link->host->RemoveAllProgressEvents(channel);
        if (link->Active())
            link->window->Post(kind, channel);
        break;
    default:
        link->window->Post(kind, channel);
        break;
    }
    return true;
}

void AutoDj::OnDeviceEvent(int kind, int channel) {
    if (m_busy > 0) {
        m_deferred.emplace_back(kind, channel);
        return;
    }
    {
        BusyScope busy(m_busy);
        Handle(kind, channel);
    }
    RunDeferred();
}

void AutoDj::RunDeferred() {
    while (m_busy == 0 && !m_deferred.empty()) {
        const auto [kind, channel] = m_deferred.front();
        m_deferred.erase(m_deferred.begin());
        OnDeviceEvent(kind, channel);
    }
}

void AutoDj::Handle(int kind, int channel) {
    // Turned off (or closing) since the event was posted: it must not load or start decks.
    if (!IsOn() || m_host.AppClosing())
        return;
    if (kind == kEventFadeStart) {
        ForgetFade(channel);
        m_fades.push_back({channel, m_window.NowMs() + static_cast<int64_t>(m_link->fadeMs.load()) +
                                        kFadeOverGraceMs});
        return;
    }
    if (kind != kEventEndOfFile && kind != kEventFadeOver && kind != kEventClosed)
        return;
    const int left = m_host.ChannelId(kLeftSide);
    const int right = m_host.ChannelId(kRightSide);
    int other = -1;
    if ((left >= 0 && right < 0) || channel == right)
        other = left;
    else if ((right >= 0 && left < 0) || channel == left)
        other = right;
    int side = other != left ? kLeftSide : kRightSide;
    if (channel == left)
        side = kLeftSide;
    else if (channel == right)
        side = kRightSide;
    ForgetFade(channel);
    if (kind != kEventClosed) {
        ReplaceDeck(channel, other, side);
        return;
    }
    const Wait wait{channel, side, other, m_host.LastFileEjected(channel),
                    m_window.NowMs() + kWaitLimitMs};
    if (!TryFinishWait(wait, false))
        m_waits.push_back(wait);
}

void AutoDj::ReplaceDeck(int channel, int other, int side) {
    m_armed.erase(channel);
    m_host.Stop(channel);
    m_host.CloseChannel(channel);
    OpenNextFile();
    KeepMusicGoing(other, side);
}

bool AutoDj::TryFinishWait(const Wait& wait, bool timedOut) {
    if (!wait.ejected.empty()) {
        const std::string now = m_host.DeckFilePath(wait.side);
        if (!now.empty() && now != wait.ejected) {
            Arm(wait.side, ReadSettings());
            KeepMusicGoing(wait.other, wait.side);
            return true;
        }
    } else if (m_host.ChannelId(wait.channel) < 0) {
        m_armed.erase(wait.channel);
        OpenNextFile();
        KeepMusicGoing(wait.other, wait.side);
        return true;
    }
    if (!timedOut)
        return false;
    // Out of time: take the side as it is. A deck with a file (the same one loaded again, or a
    // deck that was not closed after all) is armed; an empty deck is replaced by the next file.
    const int deck = m_host.ChannelId(wait.side);
    if (deck >= 0 && !m_host.DeckFilePath(deck).empty()) {
        Arm(deck, ReadSettings());
    } else {
        if (deck >= 0) {
            m_host.RemoveAllProgressEvents(deck);
            m_armed.erase(deck);
            m_host.Stop(deck);
            m_host.CloseChannel(deck);
        }
        OpenNextFile();
    }
    KeepMusicGoing(wait.other, wait.side);
    return true;
}

// After a deck was replaced or reloaded: the set must not fall silent. The deck now on side
// takes over when a fade towards it was under way; when nothing plays, the other deck starts,
// or the one on side when there is no other.
void AutoDj::KeepMusicGoing(int other, int side) {
    if (!IsOn())
        return;
    const unsigned long fadeMs = m_link->fadeMs.load();
    const int here = m_host.ChannelId(side);
    const bool herePlays = here >= 0 && m_host.PlayStatus(here) > 0;
    const int otherSide = other >= 0 ? SideOf(other) : 0;
    const bool otherPlays = otherSide != 0 && m_host.PlayStatus(other) > 0;
    if (otherPlays && here >= 0 && !herePlays && FadeUnderWayFrom(other)) {
        m_host.Play(here);
        m_host.FadeFader(side, fadeMs);
        return;
    }
    if (herePlays || otherPlays)
        return;
    if (otherSide != 0) {
        m_host.Play(other);
        m_host.FadeFader(otherSide, fadeMs);
    } else if (here >= 0) {
        m_host.Play(here);
        m_host.FadeFader(side, fadeMs);
    }
}

int AutoDj::SideOf(int channel) {
    if (channel >= 0 && m_host.ChannelId(kLeftSide) == channel)
        return kLeftSide;
    if (channel >= 0 && m_host.ChannelId(kRightSide) == channel)
        return kRightSide;
    return 0;
}

bool AutoDj::FadeUnderWayFrom(int outgoing) const {
    return std::any_of(m_fades.begin(), m_fades.end(),
                       [outgoing](const FadeWatch& f) { return f.outgoing == outgoing; });
}

void AutoDj::ForgetFade(int channel) {
    std::erase_if(m_fades, [channel](const FadeWatch& f) { return f.outgoing == channel; });
}

void AutoDj::CheckFades(int64_t now) {
    std::vector<FadeWatch> due;
    for (const FadeWatch& fade : m_fades)
        if (now >= fade.deadline)
            due.push_back(fade);
    std::erase_if(m_fades, [now](const FadeWatch& f) { return now >= f.deadline; });
    for (const FadeWatch& fade : due) {
        const int side = SideOf(fade.outgoing);
        if (side == 0 || !IsOn())
            continue;
        const int other = m_host.ChannelId(side == kLeftSide ? kRightSide : kLeftSide);
        // Only while the incoming deck carries the set, and only when the fade-over event is
        // still registered: one that fired is already posted and ends the fade itself.
        if (other < 0 || m_host.PlayStatus(other) <= 0 ||
            m_host.RemoveProgressEvent(kEventFadeOver, fade.outgoing) < 1)
            continue;
        m_host.RemoveAllProgressEvents(fade.outgoing);
        ReplaceDeck(fade.outgoing, other, side);
    }
}

void AutoDj::Poll() {
    if (m_busy > 0)
        return;
    {
        BusyScope busy(m_busy);
        if (!IsOn() || m_host.AppClosing())
            return;
        const int64_t now = m_window.NowMs();
        std::vector<Wait> waits;
        waits.swap(m_waits);
        for (const Wait& wait : waits)
            if (!TryFinishWait(wait, now >= wait.deadline))
                m_waits.push_back(wait);
        CheckFades(now);
    }
    RunDeferred();
}

bool AutoDj::CanFadeToNext() {
    return IsOn() && !m_host.AppClosing();
}

void AutoDj::FadeToNext() {
    if (!CanFadeToNext())
        return;
    const AutoDjSettings settings = ReadSettings();
    const int left = m_host.ChannelId(kLeftSide);
    const int right = m_host.ChannelId(kRightSide);
    const bool leftPlays = left >= 0 && m_host.PlayStatus(left) > 0;
    const bool rightPlays = right >= 0 && m_host.PlayStatus(right) > 0;
    if (leftPlays == rightPlays)
        return;
    const int channel = leftPlays ? left : right;
    const int fadeStarts = m_host.RemoveProgressEvent(kEventFadeStart, channel);
    const int fadeOvers = m_host.RemoveProgressEvent(kEventFadeOver, channel);
    if (fadeStarts < 1 || fadeOvers < 1)
        return; // the fade has begun already
    unsigned long position = 0;
    m_host.Position(position, channel);
    void* user = UserValue();
    m_host.AddProgressEvent(position, &AutoDj::ProgressCallback, user, kEventFadeStart, channel);
    m_host.AddProgressEvent(position + Seconds(settings.fadeSeconds), &AutoDj::ProgressCallback,
                            user, kEventFadeOver, channel);
}

void AutoDj::OnWindowClose() {
    m_link->on.store(false);
    m_waits.clear();
    m_fades.clear();
    m_deferred.clear();
    if (!m_host.AppClosing()) {
        // Every deck armed that still exists, not only the two sides: a deck that left its side
        // keeps its events.
        std::set<int> channels = m_armed;
        for (const int side : {kLeftSide, kRightSide})
            if (const int channel = m_host.ChannelId(side); channel >= 0)
                channels.insert(channel);
        for (const int channel : channels) {
            if (m_host.ChannelId(channel) < 0)
                continue;
            for (int kind = kEventEndOfFile; kind <= kEventClosed; ++kind)
                m_host.RemoveProgressEvent(kind, channel);
        }
    }
    m_armed.clear();
}

} // namespace playlists
