/* The Winamp 2 output plug-in record (version 0x10): field order as the interface publishes
 * it, with this platform's pointer width and C calling convention. */
#ifndef ZEM_WINAMP_OUT_MODULE_H
#define ZEM_WINAMP_OUT_MODULE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void* HWND;
typedef void* HINSTANCE;

#define OUT_VER 0x10

typedef struct Out_Module {
    int version;
    char* description;
    intptr_t id;
    HWND hMainWindow;
    HINSTANCE hDllInstance;
    void (*Config)(HWND parent);
    void (*About)(HWND parent);
    void (*Init)(void);
    void (*Quit)(void);
    int (*Open)(int samplerate, int numchannels, int bitspersamp, int bufferlenms, int prebufferms);
    void (*Close)(void);
    /* 0 = taken, 1 = cannot take it now. */
    int (*Write)(char* buf, int len);
    /* Bytes that a Write may hand over now. */
    int (*CanWrite)(void);
    int (*IsPlaying)(void);
    int (*Pause)(int pause);
    void (*SetVolume)(int volume);
    void (*SetPan)(int pan);
    /* Drop buffered audio; the position is now ms. */
    void (*Flush)(int ms);
    int (*GetOutputTime)(void);
    int (*GetWrittenTime)(void);
} Out_Module;

typedef Out_Module* (*winampGetOutModuleFn)(void);

#ifdef __cplusplus
}
#endif

#endif
