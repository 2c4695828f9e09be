#include "engine/buffers/input_buffer.h"

InputBuffer::InputBuffer()
    : m_evStopped(false, false), m_evFoundEnd(true, false), m_evWantStop(true, false) {
    // 16-bit stereo at 44100 Hz until a file says otherwise.
    m_waveFormat.wFormatTag = WAVE_FORMAT_PCM;
    m_waveFormat.nChannels = 2;
    m_waveFormat.nSamplesPerSec = 44100;
    m_waveFormat.nAvgBytesPerSec = 176400;
    m_waveFormat.nBlockAlign = 4;
    m_waveFormat.wBitsPerSample = 16;
    m_waveFormat.cbSize = 0;
}

InputBuffer::~InputBuffer() = default;

bool InputBuffer::ShowSettings() {
    return false;
}

WAVEFORMATEX* InputBuffer::GetWaveFormat(WAVEFORMATEX* out) const {
    if (out)
        *out = m_waveFormat;
    return out;
}

static void SetOrReset(zem::Event& ev, bool set) {
    if (set)
        ev.Set();
    else
        ev.Reset();
}

void InputBuffer::SetEvStopped(bool set) {
    SetOrReset(m_evStopped, set);
}
void InputBuffer::SetEvFoundEnd(bool set) {
    SetOrReset(m_evFoundEnd, set);
}
void InputBuffer::SetEvWantStop(bool set) {
    SetOrReset(m_evWantStop, set);
}

void InputBuffer::SetOnNewData(InputBufferNewDataFn fn, void* user) {
    m_onNewData = fn;
    m_onNewDataUser = user;
}

void InputBuffer::CallOnNewData(const unsigned long& length, unsigned char* const& data) {
    if (m_onNewData)
        m_onNewData(length, data, m_onNewDataUser);
}

DeviceInputBuffer::~DeviceInputBuffer() = default;
