// The Auto DJ of a playlist window: keeps the decks on the crossfader's two sides loaded with
// the next rows of the list, starts the incoming deck before the outgoing one ends and fades the
// crossfader. Everything but ProgressCallback runs on the window's thread; see docs/auto-dj.md.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj_ports.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace playlists {

struct AutoDjLink;

// The progress events the Auto DJ registers on a deck.
enum AutoDjEventKind : int {
    kEventEndOfFile = 0,
    kEventFadeStart = 1,
    kEventFadeOver = 2,
    kEventClosed = 3,
};

class AutoDj {
public:
    // Longest wait, after an eject or a close, for the deck's new file or for the deck to go.
    static constexpr int64_t kWaitLimitMs = 10000;
    // A fade whose fade-over event has not come this long after the fade should have ended
    // (the outgoing deck was stopped, looped or seeked back) is ended by the Auto DJ itself.
    static constexpr int64_t kFadeOverGraceMs = 3000;

    // The host, the playlist and the window must outlive the Auto DJ.
    AutoDj(DeckHost& host, AutoDjPlaylist& playlist, AutoDjWindow& window);
    ~AutoDj();
    AutoDj(const AutoDj&) = delete;
    AutoDj& operator=(const AutoDj&) = delete;

    bool IsOn() const;
    void Toggle();
    bool CanFadeToNext();
    void FadeToNext();
    // A posted (kind, channel) from ProgressCallback, on the window's thread.
    void OnDeviceEvent(int kind, int channel);
    // From the window's timer: goes on with pending waits and overdue fades.
    void Poll();
    void OnWindowClose();
    // Thread: a deck's playback thread. Reads only atomics; calls host functions (kind 1) or
    // Post (kinds 0, 2, 3); always true.
    static bool ProgressCallback(unsigned long progressMs, unsigned long triggerMs, int channel,
                                 int kind, void* user);

    // The user value given with every event (it names this Auto DJ's link, not the object).
    void* UserValue() const;
    // An eject or close is being waited for.
    bool Waiting() const { return !m_waits.empty(); }

private:
    struct Wait {
        int channel;         // the deck that was ejected or closed
        int side;            // its crossfader side
        int other;           // the deck on the other side then, or -1
        std::string ejected; // empty: the deck was closed
        int64_t deadline;
    };
    struct FadeWatch {
        int outgoing;
        int64_t deadline;
    };

    AutoDjSettings ReadSettings();
    void TurnOn();
    void TurnOff();
    bool OpenNextFile();
    int FollowingRow(int openedRow);
    void Arm(int channelOrSide, const AutoDjSettings& settings);
    void Handle(int kind, int channel);
    void ReplaceDeck(int channel, int other, int side);
    bool TryFinishWait(const Wait& wait, bool timedOut);
    void KeepMusicGoing(int other, int side);
    void CheckFades(int64_t now);
    bool FadeUnderWayFrom(int outgoing) const;
    void ForgetFade(int channel);
    int SideOf(int channel);
    void RunDeferred();

    DeckHost& m_host;
    AutoDjPlaylist& m_playlist;
    AutoDjWindow& m_window;
    std::shared_ptr<AutoDjLink> m_link;
    std::set<int> m_armed; // every channel armed, for the close
    std::vector<Wait> m_waits;
    std::vector<FadeWatch> m_fades;
    // A question box runs a nested event loop: steps that arrive meanwhile run afterwards.
    int m_busy = 0;
    std::vector<std::pair<int, int>> m_deferred;
};

} // namespace playlists
