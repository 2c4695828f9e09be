// The source side of a deck: the object the stream device pulls decoded PCM from, with its
// wave format, its three synchronisation events and an optional on-new-data callback.
//
// Copies share the event handles (as duplicated Win32 handles do), the wave format and the
// callback.
#pragma once

#include "contracts/export.h"
#include "contracts/wave_format.h"
#include "platform/event.h"

// Called by sources that push data, on whatever thread produces it.
typedef void (*InputBufferNewDataFn)(const unsigned long& length, unsigned char* const& data,
                                     void* user);

class ZEM_EXPORT InputBuffer {
public:
    InputBuffer();
    InputBuffer(const InputBuffer&) = default;
    InputBuffer& operator=(const InputBuffer&) = default;
    virtual ~InputBuffer();

    // Pre: playback thread or timer callback.
    virtual unsigned long GetBytesAvailable() = 0;
    // Copies up to length bytes into data and sets length to the bytes delivered. False at the
    // end of the source; the bytes of that call still count.
    virtual bool FillBuffer(unsigned long& length, unsigned char* data) = 0;
    virtual bool DoSetPosition(unsigned long position) = 0;
    // Pre: the thread that controls the deck.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Prepare() = 0;
    virtual void UnPrepare() = 0;
    // Bytes of the wave format, and seconds.
    virtual unsigned long GetLength() = 0;
    virtual unsigned long GetTotalTime() = 0;
    // False: this source has no settings of its own.
    virtual bool ShowSettings();

    // Copies the 18-byte format into out and returns out.
    WAVEFORMATEX* GetWaveFormat(WAVEFORMATEX* out) const;

    void SetEvStopped(bool set);
    void SetEvFoundEnd(bool set);
    void SetEvWantStop(bool set);
    // Handles that other threads wait on; copies name the same event.
    zem::Event GetEvStopped() const { return m_evStopped; }
    zem::Event GetEvFoundEnd() const { return m_evFoundEnd; }
    zem::Event GetEvWantStop() const { return m_evWantStop; }

    void SetOnNewData(InputBufferNewDataFn fn, void* user);

protected:
    // For sources that push data; only after a callback has been set.
    void CallOnNewData(const unsigned long& length, unsigned char* const& data);

    zem::Event m_evStopped;  // auto-reset: set when the deck stops
    zem::Event m_evFoundEnd; // manual-reset: the source has been played out
    zem::Event m_evWantStop; // manual-reset: the deck shuts its playback down
    WAVEFORMATEX m_waveFormat;
    InputBufferNewDataFn m_onNewData = nullptr;
    void* m_onNewDataUser = nullptr;
};

// A source that opens a file; every deck's main source is one.
class ZEM_EXPORT DeviceInputBuffer : public InputBuffer {
public:
    DeviceInputBuffer() = default;
    DeviceInputBuffer(const DeviceInputBuffer&) = default;
    DeviceInputBuffer& operator=(const DeviceInputBuffer&) = default;
    ~DeviceInputBuffer() override;

    // Opens the file; afterwards the wave format describes its decoded PCM. Failures throw
    // ZEMException.
    virtual void LoadFile(char* path) = 0;
};
