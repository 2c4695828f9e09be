/* The records of the Winamp 2 DSP plug-in interface (header version 0x20), as a DSP library
 * exports them from winampDSPGetHeader2. Plain C, in the interface's field order, with this
 * platform's pointer width and C calling convention. */
#ifndef ZEM_WINAMP_DSP_H
#define ZEM_WINAMP_DSP_H

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque window and library handles. */
typedef void* HWND;
typedef void* HINSTANCE;

typedef struct winampDSPModule winampDSPModule;

struct winampDSPModule {
    char* description;
    HWND hwndParent;        /* filled by the host */
    HINSTANCE hDllInstance; /* filled by the host */
    void (*Config)(winampDSPModule* self);
    /* 0 = success. */
    int (*Init)(winampDSPModule* self);
    /* numsamples counts sample frames; the result is the number of frames to keep, at most
     * twice and at least half of numsamples. */
    int (*ModifySamples)(winampDSPModule* self, short* samples, int numsamples, int bps, int nch,
                         int srate);
    void (*Quit)(winampDSPModule* self);
    void* userData;
};

typedef struct winampDSPHeader {
    int version; /* WINAMP_DSP_HEADER_VERSION */
    char* description;
    /* Module index, null past the last. */
    winampDSPModule* (*getModule)(int index);
} winampDSPHeader;

#define WINAMP_DSP_HEADER_VERSION 0x20

/* The library's one entry point. */
typedef winampDSPHeader* (*winampDSPGetHeaderType)(void);
#define WINAMP_DSP_ENTRY_NAME "winampDSPGetHeader2"

#ifdef __cplusplus
}
#endif

#endif
