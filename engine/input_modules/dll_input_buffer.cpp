#include "engine/input_modules/dll_input_buffer.h"

#include "engine/foundations/zem_exception.h"
#include "engine/input_modules/device_module_loader.h"

#include <algorithm>
#include <cstring>

namespace {

bool TableComplete(const InputModuleTable& t) {
    return t.instance && t.Prepare && t.UnPrepare && t.GetBytesAvailable && t.FillBuffer &&
           t.DoSetPosition && t.Initialize && t.Destroy && t.LoadFile && t.Play && t.Stop &&
           t.GetLength && t.GetTotalTime && t.ShowSettings;
}

} // namespace

DLLInputBuffer::DLLInputBuffer(char* modulePath) {
    std::memset(&m_table, 0, sizeof m_table);
    m_table.hostValue = 2.0f;
    std::memset(&m_module, 0, sizeof m_module);
    ClearDeviceModuleInfo(m_module);
    // Not a private copy: the library is shared with the registry's load of the same file.
    if (!LoadDeviceModule(modulePath, m_module, false))
        throw ZEMException("Unable to initialize DLLInputBuffer!", true, 0);
    if (m_module.type != kModuleTypeNative) {
        FreeDeviceModule(m_module);
        throw ZEMException("Attempt to initialize a DLLInputBuffer with wrong type of module!",
                           true, 0);
    }
    InputModuleTable* table = &m_table;
    if (m_module.createInstance)
        m_module.createInstance(&table);
    // A missing entry would be called later from the deck; refuse the module now instead.
    if (!TableComplete(m_table)) {
        if (m_table.instance && m_table.Destroy)
            m_table.Destroy(m_table.instance);
        FreeDeviceModule(m_module);
        throw ZEMException("Unable to initialize DLLInputBuffer!", true, 0);
    }
    const InstanceLink link{&m_waveFormat, &m_evWantStop, &m_evStopped, &m_evFoundEnd};
    std::memcpy(m_table.instance, &link, sizeof link);
    m_table.Initialize(m_table.instance);
}

DLLInputBuffer::~DLLInputBuffer() {
    if (m_module.path[0] != '\0')
        m_table.Destroy(m_table.instance);
    FreeDeviceModule(m_module);
}

unsigned long DLLInputBuffer::GetBytesAvailable() {
    return m_table.GetBytesAvailable(m_table.instance);
}

bool DLLInputBuffer::FillBuffer(unsigned long& length, unsigned char* data) {
    uint32_t len = static_cast<uint32_t>(std::min<unsigned long>(length, UINT32_MAX));
    const bool more = m_table.FillBuffer(m_table.instance, &len, data);
    length = len;
    return more;
}

bool DLLInputBuffer::DoSetPosition(unsigned long position) {
    return m_table.DoSetPosition(
        m_table.instance, static_cast<uint32_t>(std::min<unsigned long>(position, UINT32_MAX)));
}

void DLLInputBuffer::Play() {
    m_table.Play(m_table.instance);
}
void DLLInputBuffer::Stop() {
    m_table.Stop(m_table.instance);
}
void DLLInputBuffer::Prepare() {
    m_table.Prepare(m_table.instance);
}
void DLLInputBuffer::UnPrepare() {
    m_table.UnPrepare(m_table.instance);
}
unsigned long DLLInputBuffer::GetLength() {
    return m_table.GetLength(m_table.instance);
}
unsigned long DLLInputBuffer::GetTotalTime() {
    return m_table.GetTotalTime(m_table.instance);
}
bool DLLInputBuffer::ShowSettings() {
    return m_table.ShowSettings(m_table.instance);
}

void DLLInputBuffer::LoadFile(char* path) {
    m_table.LoadFile(m_table.instance, path);
    // The plug-in reports a file it could not open with a format without channels.
    if (m_waveFormat.nChannels == 0 || m_waveFormat.nAvgBytesPerSec == 0) {
        m_waveFormat.nChannels = 2;
        m_waveFormat.nSamplesPerSec = 44100;
        m_waveFormat.nAvgBytesPerSec = 176400;
        m_waveFormat.nBlockAlign = 4;
        m_waveFormat.wBitsPerSample = 16;
        throw ZEMException("Unable to load file!", false, 0);
    }
}
