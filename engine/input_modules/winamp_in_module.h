/* The Winamp 2 input plug-in record (version 0x100): field order as the interface publishes
 * it, with this platform's pointer width and C calling convention. */
#ifndef ZEM_WINAMP_IN_MODULE_H
#define ZEM_WINAMP_IN_MODULE_H

#include "engine/input_modules/winamp_out_module.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IN_VER 0x100

typedef struct In_Module {
    int version;
    char* description;
    HWND hMainWindow;       /* player */
    HINSTANCE hDllInstance; /* player */
    /* NUL-separated pairs (extension item such as "mp3;mp2", description), ended by an empty
     * item. */
    char* FileExtensions;
    int is_seekable;
    int UsesOutputPlug;
    void (*Config)(HWND parent);
    void (*About)(HWND parent);
    void (*Init)(void);
    void (*Quit)(void);
    void (*GetFileInfo)(char* file, char* title, int* length_ms);
    int (*InfoBox)(char* file, HWND parent);
    int (*IsOurFile)(char* file);
    /* 0 = success. */
    int (*Play)(char* file);
    void (*Pause)(void);
    void (*UnPause)(void);
    int (*IsPaused)(void);
    void (*Stop)(void);
    int (*GetLength)(void);
    int (*GetOutputTime)(void);
    void (*SetOutputTime)(int ms);
    void (*SetVolume)(int volume);
    void (*SetPan)(int pan);
    /* Filled by the player from here on, except EQSet. */
    void (*SAVSAInit)(int maxlatency_ms, int srate);
    void (*SAVSADeInit)(void);
    void (*SAAddPCMData)(void* pcm, int nch, int bps, int timestamp);
    int (*SAGetMode)(void);
    int (*SAAdd)(void* data, int timestamp, int csa);
    void (*VSAAddPCMData)(void* pcm, int nch, int bps, int timestamp);
    int (*VSAGetMode)(int* specNch, int* waveNch);
    int (*VSAAdd)(void* data, int timestamp);
    void (*VSASetInfo)(int srate, int nch);
    int (*dsp_isactive)(void);
    int (*dsp_dosamples)(short* samples, int numsamples, int bps, int nch, int srate);
    void (*EQSet)(int on, char data[10], int preamp);
    /* stereo is the channel count; -1 = unchanged. */
    void (*SetInfo)(int bitrate, int srate, int stereo, int synched);
    Out_Module* outMod;
} In_Module;

typedef In_Module* (*winampGetInModule2Fn)(void);

#ifdef __cplusplus
}
#endif

#endif
