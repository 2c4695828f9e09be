// The recording of a sound card's capture input as a PCM source: Prepare starts recording,
// FillBuffer hands over what has been recorded since.
#pragma once

#include "contracts/export.h"
#include "contracts/soundrail.h"
#include "engine/buffers/input_buffer.h"

class ZEM_EXPORT CaptureInputBuffer : public InputBuffer {
public:
    // The input device stays the output manager's.
    explicit CaptureInputBuffer(InputDevice* input);
    ~CaptureInputBuffer() override;

    unsigned long GetBytesAvailable() override;
    bool FillBuffer(unsigned long& length, unsigned char* data) override;
    // A live recording cannot be repositioned.
    bool DoSetPosition(unsigned long position) override;
    void Play() override {}
    void Stop() override {}
    void Prepare() override;
    void UnPrepare() override;
    // A recording has no length.
    unsigned long GetLength() override { return 0; }
    unsigned long GetTotalTime() override { return 0; }

private:
    InputDevice* m_input;
};
