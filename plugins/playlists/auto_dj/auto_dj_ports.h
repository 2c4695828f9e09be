// What the Auto DJ needs from around it, as interfaces: the host's deck functions (Hostlink's,
// with the same meanings), the playlist window's rows, and the window itself (questions,
// posting to its thread, the check box, the settings, the clock). The plug-in passes the real
// ones; tests pass fakes with a hand-driven clock.
#pragma once

#include "contracts/hostlink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace playlists {

// Hostlink's channel codes for the crossfader's sides.
inline constexpr int kLeftSide = -4;
inline constexpr int kRightSide = -5;

// The host's deck functions. Thread: any; the kind-1 fade start calls them from a deck's
// playback thread, everything else from the window's thread.
class DeckHost {
public:
    virtual ~DeckHost() = default;
    virtual int NewChannel(const std::string& path) = 0; // the new deck's channel, -1 on failure
    virtual int Play(int channel) = 0;
    virtual int Stop(int channel) = 0;
    virtual int CloseChannel(int channel) = 0;
    virtual int ChannelId(int channelOrSide) = 0;  // -1: no deck there
    virtual int PlayStatus(int channelOrSide) = 0; // > 0 while playing
    virtual int Position(unsigned long& ms, int channel) = 0;
    virtual int TotalTime(unsigned long& ms, int channel) = 0;
    virtual unsigned long CuePosition(int cue, int channel) = 0; // 0 when not set
    virtual int SetPositionRel(long ms, int channel) = 0;
    virtual int AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback, void* user,
                                 int kind, int channel) = 0;
    virtual int RemoveProgressEvent(int kind, int channel) = 0; // >= 1 when one was removed
    virtual int RemoveAllProgressEvents(int channel) = 0;
    virtual std::string LastFileEjected(int channel) = 0;    // empty when none
    virtual std::string DeckFilePath(int channelOrSide) = 0; // GetZECFileInfo's path; empty: none
    virtual bool AppClosing() = 0;
    virtual int FadeFader(int side, unsigned long ms) = 0;
};

// The rows of the playlist window, as the Auto DJ moves through them.
// Thread: the window's thread only.
class AutoDjPlaylist {
public:
    virtual ~AutoDjPlaylist() = default;
    virtual int RowCount() const = 0;
    virtual int NextRow() const = 0;
    // Focuses row and marks it as next (the green row).
    virtual void MarkNext(int row) = 0;
    // Opens the row's entry into a new deck (last played = now, also on failure; the row is
    // redrawn). The deck's channel, or -1.
    virtual int OpenRow(int row) = 0;
    virtual bool RandomPlay() const = 0;
    // The random-play marks of the entries the rows show.
    virtual void SetPlayed(int row) = 0;
    virtual std::vector<int> UnplayedRows() const = 0;
    virtual void ClearPlayedMarks() = 0;
};

// The "Playlist" settings, read from the profile each time a step runs.
struct AutoDjSettings {
    int startFadingSeconds = 15; // "Default start fading"
    bool fadeAtCue9 = true;      // "Fade at cue 9"
    int fadeSeconds = 7;         // "Default fade for"
    bool playOnInitialOn = true; // "Play on initial AutoDJ on"
    bool promptOnError = true;   // "Prompt on error"
};

// The window around the Auto DJ. Thread: the window's thread, except Post.
class AutoDjWindow {
public:
    virtual ~AutoDjWindow() = default;
    virtual AutoDjSettings Settings() = 0;
    // "An error has occured while opening a new channel.  Continue?..." Yes: true.
    virtual bool AskContinueAfterError() = 0;
    // Thread: any (a deck's playback thread). Hands (kind, channel) to the window's thread,
    // which calls AutoDj::OnDeviceEvent with them; never blocks.
    virtual void Post(int kind, int channel) = 0;
    virtual void SetAutoDjChecked(bool on) = 0;
    // A steady clock in milliseconds, for the time limits of the waits.
    virtual int64_t NowMs() = 0;
    // Uniform enough random numbers for random play (the view seeds its generator with the time).
    virtual unsigned Random() = 0;
};

} // namespace playlists
