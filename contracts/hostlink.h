// The host API through which interface plug-ins reach the program: decks, views, the
// crossfader and the program's folders. Times are milliseconds. A channel argument is a deck
// ID (0 or more) or one of the request codes -1 to -5 (the active deck, the decks after it,
// the crossfader's left and right decks).
#pragma once

#include "contracts/export.h"
#include "contracts/private_ini.h"

#include <cstddef>
#include <cstdint>

struct ZEM_ViewDescriptor;

// What the host tells about a song; callers zero it before asking. The layout is fixed (it
// has no pointers, so it is the same on every platform).
struct ZEM_FileInfo {
    char path[512];
    int32_t reserved1;
    int32_t reserved2;
    double tempoBPM;
    char reserved3[1544 - 528];
    uint32_t totalMs;
    char reserved4[4];
};

static_assert(sizeof(ZEM_FileInfo) == 1552, "ZEM_FileInfo is 1552 bytes");
static_assert(offsetof(ZEM_FileInfo, tempoBPM) == 520, "ZEM_FileInfo tempo offset");
static_assert(offsetof(ZEM_FileInfo, totalMs) == 1544, "ZEM_FileInfo total time offset");

// Called on the deck's playback thread when it passes the trigger: (where the deck is, the
// trigger, channel, event id, user value), both in ms, so the first minus the second is how late
// the event fired; the end-of-song and eject events get their trigger as registered. Returning
// true removes the event.
typedef bool (*ZEM_ProgressCallback)(unsigned long progressMs, unsigned long triggerMs, int channel,
                                     int id, void* user);

// Folder of the given kind without a trailing separator: 2 plug-ins, 3 INI, 4 sound effects.
ZEM_EXPORT const char* ZEM_Interface_GetZEMPath(int kind);
// With a null buffer, the bytes needed; otherwise fills an open-dialog filter (NUL-ended
// strings, an empty one last).
ZEM_EXPORT int ZEM_Interface_GetFileTypes(char* buffer);
// flags 512 allows several files. Null on cancel; else a block the caller frees with free(),
// paths separated by "|".
ZEM_EXPORT char* ZEM_Interface_FileOpenDlg(int flags);
ZEM_EXPORT int ZEM_Interface_GetAppClosing();
ZEM_EXPORT long ZEM_Interface_AddView(ZEM_ViewDescriptor* view);
ZEM_EXPORT long ZEM_Interface_RemoveView(ZEM_ViewDescriptor* view);
ZEM_EXPORT bool ZEM_Interface_GetFullFileInfo(ZEM_FileInfo* info, char* path);
ZEM_EXPORT bool ZEM_Interface_GetZECFileInfo(ZEM_FileInfo* info, int channel);

ZEM_EXPORT int ZEM_Device_NewChannel(char* path);
ZEM_EXPORT int ZEM_Device_GetChannelID(int channel);
ZEM_EXPORT int ZEM_Device_GetPlayStatus(int channel);
ZEM_EXPORT int ZEM_Device_Play(int channel);
ZEM_EXPORT int ZEM_Device_Stop(int channel);
ZEM_EXPORT int ZEM_Device_PlayPause(int channel);
ZEM_EXPORT int ZEM_Device_CloseChannel(int channel);
ZEM_EXPORT int ZEM_Device_ShowChannel(int channel);
ZEM_EXPORT int ZEM_Device_GetPosition(unsigned long& ms, int channel);
ZEM_EXPORT int ZEM_Device_GetTotalTime(unsigned long& ms, int channel);
ZEM_EXPORT int ZEM_Device_SetPosition_Rel(long ms, int channel);
// Start and end of a stored position in ms (0 when unset).
ZEM_EXPORT int ZEM_Device_GetCuePosition(int cue, unsigned long& startMs, unsigned long& endMs,
                                         int channel);
// buffer (260 bytes) receives the deck's last ejected file.
ZEM_EXPORT char* ZEM_Device_GetLastFileEjected(char* buffer, int channel);
// ms: the trigger; (unsigned long)-1 fires at the end of the song, -2 at eject.
ZEM_EXPORT int ZEM_Device_AddProgressEvent(unsigned long ms, ZEM_ProgressCallback callback,
                                           void* user, int id, int channel);
ZEM_EXPORT int ZEM_Device_RemoveProgressEvent(int id, int channel);
ZEM_EXPORT int ZEM_Device_RemoveAllProgressEvents(int channel);
ZEM_EXPORT int ZEM_Device_AddGlobalDSPPlugin(char* file, int effect);
ZEM_EXPORT int ZEM_Device_RemoveGlobalDSPPlugin(char* file, int effect);

ZEM_EXPORT int ZEM_Mixer_FadeFader(int side, unsigned long ms);
