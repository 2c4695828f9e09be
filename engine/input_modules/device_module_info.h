// The native input plug-in interface: the module record a plug-in fills, the table of entry
// points its creation entry fills, and the words the host writes into a new instance.
//
// Shared with separately built libraries, so the layout is fixed: field order and the widths
// of non-pointer fields as on 32-bit builds, pointers of this platform's width. The
// static_asserts below pin the layout for the ABI being built.
#pragma once

#include "contracts/wave_format.h"

#include <cstddef>
#include <cstdint>

namespace zem {
class Event;
}

// Module types, the index into ModuleTypeNames.
enum DeviceModuleType : int32_t {
    kModuleTypeOld = 0,    // listed, never used for playback
    kModuleTypeNative = 1, // DLLInputBuffer
    kModuleTypeWinamp = 2, // DLLInputBuffer_WinAMP
};

inline constexpr int kModuleTypeCount = 3;
inline constexpr const char* const ModuleTypeNames[kModuleTypeCount] = {
    "ZEM Plugin - OLD",
    "ZEM Plugin",
    "WinAMP Plugin",
};

struct InputModuleTable;
struct In_Module;

// Creation entry of a native module: *table names the buffer's table; the plug-in fills the
// instance handle and the thirteen entries. A plug-in that cannot create an instance leaves
// the instance handle null.
typedef void (*CreateInstanceFn)(InputModuleTable** table);

inline constexpr std::size_t kModuleTextSize = 256;

struct DeviceModuleInfo {
    void* hInstance;                   // library handle, written by the loader
    char path[kModuleTextSize];        // file actually loaded; empty = nothing loaded
    char description[kModuleTextSize]; // shown to the user
    char extensions[kModuleTextSize];  // ".mp3;.mp2;"
    int32_t type;                      // DeviceModuleType
    int32_t reserved;                  // never read by the host; 0 for Winamp modules
    CreateInstanceFn createInstance;   // native modules only
    In_Module* winampModule;           // Winamp modules only
};

// The native probe a plug-in exports. True accepts the library; the plug-in has then filled
// description, extensions, type and createInstance.
typedef bool (*DllGetDeviceModuleInfoFn)(DeviceModuleInfo* info);
inline constexpr const char kNativeProbeName[] = "DllGetDeviceModuleInfo";
inline constexpr const char kWinampProbeName[] = "winampGetInModule2";

// The instance's entries. Every one takes the instance handle first.
typedef void (*InstanceVoidFn)(void* instance);
typedef uint32_t (*InstanceU32Fn)(void* instance);
typedef bool (*InstanceBoolFn)(void* instance);
typedef bool (*InstanceFillFn)(void* instance, uint32_t* length, uint8_t* destination);
typedef bool (*InstanceSeekFn)(void* instance, uint32_t bytePosition);
typedef int (*InstanceInitializeFn)(void* instance);
typedef void (*InstanceLoadFileFn)(void* instance, char* path);

struct InputModuleTable {
    void* instance;
    float hostValue; // 2.0 from the host before creation; never read back
    InstanceVoidFn Prepare;
    InstanceVoidFn UnPrepare;
    InstanceU32Fn GetBytesAvailable;
    // length: in the room, out the bytes written. False at the end of the stream.
    InstanceFillFn FillBuffer;
    InstanceSeekFn DoSetPosition;
    InstanceInitializeFn Initialize; // result ignored
    InstanceVoidFn Destroy;
    // Opens the file and reports its format through InstanceLink::waveFormat. A plug-in that
    // cannot open the file reports a format with no channels.
    InstanceLoadFileFn LoadFile;
    InstanceVoidFn Play;
    InstanceVoidFn Stop;
    InstanceU32Fn GetLength;    // bytes
    InstanceU32Fn GetTotalTime; // seconds
    InstanceBoolFn ShowSettings;
};

// The first words of every instance, written by the host after creation. The events are the
// buffer's own; plug-ins built with this tree's platform layer wait on them directly.
struct InstanceLink {
    WAVEFORMATEX* waveFormat;
    zem::Event* wantStop;
    zem::Event* stopped;
    zem::Event* foundEnd;
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(DeviceModuleInfo) == 788);
static_assert(offsetof(DeviceModuleInfo, path) == 4);
static_assert(offsetof(DeviceModuleInfo, description) == 260);
static_assert(offsetof(DeviceModuleInfo, extensions) == 516);
static_assert(offsetof(DeviceModuleInfo, type) == 772);
static_assert(offsetof(DeviceModuleInfo, reserved) == 776);
static_assert(offsetof(DeviceModuleInfo, createInstance) == 780);
static_assert(offsetof(DeviceModuleInfo, winampModule) == 784);
static_assert(sizeof(InputModuleTable) == 15 * 4);
static_assert(offsetof(InputModuleTable, Prepare) == 2 * 4);
static_assert(offsetof(InputModuleTable, ShowSettings) == 14 * 4);
static_assert(sizeof(InstanceLink) == 16);
#else
static_assert(sizeof(void*) == 8, "32- or 64-bit builds only");
static_assert(sizeof(DeviceModuleInfo) == 800);
static_assert(offsetof(DeviceModuleInfo, path) == 8);
static_assert(offsetof(DeviceModuleInfo, description) == 264);
static_assert(offsetof(DeviceModuleInfo, extensions) == 520);
static_assert(offsetof(DeviceModuleInfo, type) == 776);
static_assert(offsetof(DeviceModuleInfo, reserved) == 780);
static_assert(offsetof(DeviceModuleInfo, createInstance) == 784);
static_assert(offsetof(DeviceModuleInfo, winampModule) == 792);
static_assert(offsetof(InputModuleTable, hostValue) == 8);
static_assert(offsetof(InputModuleTable, Prepare) == 16);
static_assert(offsetof(InputModuleTable, ShowSettings) == 16 + 12 * 8);
static_assert(sizeof(InputModuleTable) == 16 + 13 * 8);
static_assert(sizeof(InstanceLink) == 32);
#endif
