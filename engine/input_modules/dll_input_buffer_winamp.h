// A deck source backed by a Winamp input plug-in, run inside an emulation of the Winamp
// player: the plug-in decodes on its own thread into a private copy of the output bridge,
// and the deck reads the bridge's ring.
#pragma once

#include "contracts/export.h"
#include "engine/buffers/input_buffer.h"
#include "engine/input_modules/bridge_module_info.h"
#include "engine/input_modules/device_module_info.h"

#include <atomic>

class ZEM_EXPORT DLLInputBuffer_WinAMP : public DeviceInputBuffer {
public:
    // Loads private copies of the plug-in and of the bridge and starts the emulation; throws
    // ZEMException (fatal) on failure.
    explicit DLLInputBuffer_WinAMP(char* modulePath);
    // Stops and quits the plug-in, then releases and deletes both private copies.
    ~DLLInputBuffer_WinAMP() override;
    DLLInputBuffer_WinAMP(const DLLInputBuffer_WinAMP&) = delete;
    DLLInputBuffer_WinAMP& operator=(const DLLInputBuffer_WinAMP&) = delete;

    // Pre: the deck's thread.
    unsigned long GetBytesAvailable() override;
    bool FillBuffer(unsigned long& length, unsigned char* data) override;
    // Asks the plug-in for the whole second at or before the position.
    bool DoSetPosition(unsigned long position) override;
    // Pre: the thread that controls the deck.
    void Play() override;
    void Stop() override;
    void Prepare() override;
    void UnPrepare() override;
    unsigned long GetLength() override;
    unsigned long GetTotalTime() override;
    bool ShowSettings() override;
    // Throws "Unable to load file!" (not fatal) when the plug-in refuses the file.
    void LoadFile(char* path) override;

    // Called by the bridge on the plug-in's threads.
    void SetWaveFormat(WAVEFORMATEX* format);
    // Advances the decoded-position clock; false once it has reached the file's length.
    bool OutputPosAdd(int bytes);
    void OutputPosSet(int milliseconds);

    const DeviceModuleInfo& GetModuleInfo() const { return m_module; }
    const BridgeModuleInfo& GetBridgeInfo() const { return m_bridge; }

protected:
    void LoadBridge();
    void ReleaseBridge();

    DeviceModuleInfo m_module;
    BridgeModuleInfo m_bridge;
    In_Module* m_inModule = nullptr;
    Out_Module* m_outModule = nullptr;
    std::atomic<double> m_position{0.0}; // decoded position, ms
    // Reported by the plug-in, ms; -1 until LoadFile has asked (the plug-in may already write).
    std::atomic<int32_t> m_length{-1};
};
