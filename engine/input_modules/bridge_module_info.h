// The record through which the engine binds one private copy of the Winamp output bridge. The
// bridge writes into it, so the layout is fixed (pointers of this platform's width).
#pragma once

#include "engine/input_modules/winamp_in_module.h"

#include <cstddef>
#include <cstdint>

class DLLInputBuffer_WinAMP;

typedef int (*BridgeAttachFn)(DLLInputBuffer_WinAMP* buffer);
typedef uint32_t (*BridgeBytesAvailableFn)(void);
typedef bool (*BridgeFillFn)(uint32_t* length, uint8_t* destination);

struct BridgeModuleInfo {
    void* hInstance;
    char path[256];
    int32_t reserved;
    Out_Module* outModule;
    In_Module* inModule; // written by the host before binding
    BridgeAttachFn Attach;
    BridgeBytesAvailableFn BridgeBytesAvailable;
    BridgeFillFn BridgeFill;
};

typedef void (*GetZEMModuleFn)(BridgeModuleInfo* info);

inline constexpr const char kBridgeLibraryName[] = "OUT_WinAMPtoZEM";
inline constexpr const char kBridgeGetOutModuleName[] = "winampGetOutModule";
inline constexpr const char kBridgeGetZEMModuleName[] = "GetZEMModule";

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(BridgeModuleInfo) == 284);
static_assert(offsetof(BridgeModuleInfo, outModule) == 264);
static_assert(offsetof(BridgeModuleInfo, inModule) == 268);
static_assert(offsetof(BridgeModuleInfo, BridgeFill) == 280);
#else
static_assert(sizeof(BridgeModuleInfo) == 312);
static_assert(offsetof(BridgeModuleInfo, reserved) == 264);
static_assert(offsetof(BridgeModuleInfo, outModule) == 272);
static_assert(offsetof(BridgeModuleInfo, inModule) == 280);
static_assert(offsetof(BridgeModuleInfo, BridgeFill) == 304);
#endif
