/* The native DSP plug-in interface: what a ZEM effect library exports and fills in.
 *
 * The host loads the library, clears the first byte of name and description and calls
 * DllGetEffectsModuleInfo2; a true result and a creation entry make the library an effect.
 * For every effect object the host then calls the creation entry with the address of a word
 * holding the address of the object's entry table; the plug-in fills the table with its
 * instance handle and its entries. Every entry gets the instance handle first.
 *
 * Threads: ProcessSamples runs on the deck's playback thread (never allocate, lock or block
 * there); the other entries run on the user-interface thread. ShowSettings may run while
 * blocks are being processed. */
#ifndef ZEM_DSP_PLUGIN_H
#define ZEM_DSP_PLUGIN_H

#ifdef __cplusplus
#include "contracts/wave_format.h"
#include <cstddef>
#include <cstdint>
extern "C" {
#else
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
typedef struct WAVEFORMATEX WAVEFORMATEX;
#endif

typedef struct ZEM_DSPEntryTable {
    void* instance;
    /* After SetFormat's first call at the latest; the result is not used. */
    bool (*Init)(void* instance);
    /* Last call for this instance: release everything the instance holds. */
    void (*Quit)(void* instance);
    /* The deck's format and its output block size in bytes. The deck's block has room for
     * twice that many bytes, so an effect may at most double a full block. */
    bool (*SetFormat)(void* instance, WAVEFORMATEX* format, uint32_t blockBytes);
    bool (*Reset)(void* instance);
    /* In place on 16-bit interleaved samples. *frames: in the frames given, out the frames
     * produced; the result is the frames produced as well. */
    uint32_t (*ProcessSamples)(void* instance, int16_t* samples, uint32_t* frames);
    /* May be null: the host then tells the user there are no settings. */
    void (*ShowSettings)(void* instance);
} ZEM_DSPEntryTable;

typedef void (*ZEM_DSPCreateFn)(ZEM_DSPEntryTable** table);

#define ZEM_DSP_NAME_SIZE 256
#define ZEM_DSP_DESCRIPTION_OFFSET 260
#define ZEM_DSP_CREATE_OFFSET 5384

typedef struct EffectsModuleInfo {
    char name[ZEM_DSP_NAME_SIZE]; /* the host only tests whether it is empty */
    uint32_t version;             /* the plug-in's own version number; the host ignores it */
    char description[ZEM_DSP_CREATE_OFFSET - ZEM_DSP_DESCRIPTION_OFFSET]; /* NUL-terminated */
    ZEM_DSPCreateFn create;
} EffectsModuleInfo;

#ifdef __cplusplus
static_assert(offsetof(EffectsModuleInfo, description) == ZEM_DSP_DESCRIPTION_OFFSET,
              "EffectsModuleInfo description offset");
static_assert(offsetof(EffectsModuleInfo, create) == ZEM_DSP_CREATE_OFFSET,
              "EffectsModuleInfo creation entry offset");
/* 5388 bytes with 32-bit pointers; the entry is pointer-aligned already at 5384. */
static_assert(sizeof(EffectsModuleInfo) == ZEM_DSP_CREATE_OFFSET + sizeof(void*),
              "EffectsModuleInfo size");
static_assert(sizeof(void*) != 4 || sizeof(EffectsModuleInfo) == 5388,
              "EffectsModuleInfo is 5388 bytes on 32-bit builds");
static_assert(sizeof(ZEM_DSPEntryTable) == 7 * sizeof(void*), "seven-word entry table");
#endif

/* Entry points of a native DSP library. */
typedef bool (*ZEM_DSPGetInfoFn)(EffectsModuleInfo* info);
#define ZEM_DSP_ENTRY_NAME "DllGetEffectsModuleInfo2"
/* The entry of the previous SDK, refused by this host. */
#define ZEM_DSP_OLD_ENTRY_NAME "DllGetEffectsModuleInfo"

#ifdef __cplusplus
}
#endif

#endif
