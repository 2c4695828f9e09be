// The binary interface between Soundrail and its output modules (plug-in libraries that reach
// sound cards or files). A module exports one C function, kOutputModuleSymbol, returning a
// static descriptor; any library without it is not an output module.
//
// Threads: the manager calls the descriptor's functions from its own (user-interface) thread;
// a stream calls render and capture on the card's thread, which must not block in them.
#pragma once

#include <cstdint>

extern "C" {

#define SOUNDRAIL_MODULE_MAGIC 0x534E4452u // "SNDR"
#define SOUNDRAIL_MODULE_VERSION 1u

// Fills frames x channels interleaved 16-bit samples. Called on the card's thread.
typedef void (*SoundrailRenderFn)(void* context, int16_t* out, unsigned long frames);
// True when the mix can be rendered for frames frames without running any group dry; used by
// devices that run as fast as the decks deliver instead of in real time.
typedef int (*SoundrailReadyFn)(void* context, unsigned long frames);
// Hands frames x channels interleaved 16-bit recorded samples over. Called on the card's
// thread.
typedef void (*SoundrailCaptureFn)(void* context, const int16_t* in, unsigned long frames);

struct SoundrailDeviceInfo {
    char name[160];
    int outputChannels; // 0 when the device cannot play
    int inputChannels;  // 0 when it cannot record
    unsigned defaultRate;
    int defaultCandidate; // 0: never chosen by the first-start assignments (a file writer)
};

struct SoundrailStreamRequest {
    unsigned rate;
    int channels;
    unsigned long framesPerBuffer;
    // Settings text of the device ("key=value" lines), for modules that need more than the
    // format, such as the file a writer writes to. May be empty, never null.
    const char* options;
    SoundrailRenderFn render;
    SoundrailReadyFn ready;
    SoundrailCaptureFn capture;
    void* context;
};

struct SoundrailOutputModule {
    uint32_t magic;   // SOUNDRAIL_MODULE_MAGIC
    uint32_t version; // SOUNDRAIL_MODULE_VERSION
    const char* name;
    // Number of devices; 0 when the module finds none (or its system cannot start).
    int (*deviceCount)(void);
    int (*deviceInfo)(int index, SoundrailDeviceInfo* info);
    // Opens an output (request->render set) or input (request->capture set) stream, started.
    // Null on failure with a reason in error.
    void* (*openStream)(int index, const SoundrailStreamRequest* request, char* error,
                        int errorSize);
    void (*closeStream)(void* stream);
    // Releases what the module holds; called once before the library is unloaded.
    void (*shutdown)(void);
};

typedef const SoundrailOutputModule* (*SoundrailGetOutputModuleFn)(void);
}

inline constexpr const char kOutputModuleSymbol[] = "SoundrailGetOutputModule";
