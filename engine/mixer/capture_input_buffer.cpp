#include "engine/mixer/capture_input_buffer.h"

CaptureInputBuffer::CaptureInputBuffer(InputDevice* input) : m_input(input) {
    m_input->GetWaveFormat(&m_waveFormat);
}

CaptureInputBuffer::~CaptureInputBuffer() {
    UnPrepare();
}

unsigned long CaptureInputBuffer::GetBytesAvailable() {
    return m_input->GetCaptureBytesAvailable();
}

bool CaptureInputBuffer::FillBuffer(unsigned long& length, unsigned char* data) {
    length = m_input->ReadCapture(data, length);
    return true;
}

bool CaptureInputBuffer::DoSetPosition(unsigned long) {
    return false;
}

void CaptureInputBuffer::Prepare() {
    if (!m_input->IsCapturing())
        m_input->StartCapture();
    m_input->GetWaveFormat(&m_waveFormat);
}

void CaptureInputBuffer::UnPrepare() {
    if (m_input->IsCapturing())
        m_input->StopCapture();
}
