// A deck source backed by a native input plug-in: every operation forwards to the entry of the
// same name in the table the plug-in's instance filled.
#pragma once

#include "contracts/export.h"
#include "engine/buffers/input_buffer.h"
#include "engine/input_modules/device_module_info.h"

class ZEM_EXPORT DLLInputBuffer : public virtual DeviceInputBuffer {
public:
    // Loads the module and creates an instance; throws ZEMException (fatal) on failure.
    explicit DLLInputBuffer(char* modulePath);
    ~DLLInputBuffer() override;
    DLLInputBuffer(const DLLInputBuffer&) = delete;
    DLLInputBuffer& operator=(const DLLInputBuffer&) = delete;

    unsigned long GetBytesAvailable() override;
    bool FillBuffer(unsigned long& length, unsigned char* data) override;
    bool DoSetPosition(unsigned long position) override;
    void Play() override;
    void Stop() override;
    void Prepare() override;
    void UnPrepare() override;
    unsigned long GetLength() override;
    unsigned long GetTotalTime() override;
    bool ShowSettings() override;
    // Throws "Unable to load file!" (not fatal) when the plug-in cannot open the file.
    void LoadFile(char* path) override;

    const DeviceModuleInfo& GetModuleInfo() const { return m_module; }

protected:
    InputModuleTable m_table;
    DeviceModuleInfo m_module;
};
