#include "contracts/private_ini.h"

#include "platform/ini_file.h"

#include <cstring>
#include <string>

PrivateINI::PrivateINI(const char* path) {
    std::memset(m_path, 0, sizeof m_path);
    if (path)
        std::strncpy(m_path, path, sizeof m_path - 1);
}

int PrivateINI::GetInt(const char* section, const char* key, int def) {
    return zem::ini::GetInt(m_path, section, key, def);
}

int PrivateINI::GetInt(const char* section, const char* key, int& out, int def) {
    out = GetInt(section, key, def);
    return out;
}

float PrivateINI::GetFloat(const char* section, const char* key, float& out, float def) {
    out = zem::ini::GetFloat(m_path, section, key, def);
    return out;
}

char* PrivateINI::GetString(const char* section, const char* key, char* out, const char* def,
                            int size) {
    if (!out || size <= 0)
        return out;
    const std::string value = zem::ini::GetString(m_path, section, key, def);
    const size_t n =
        value.size() < static_cast<size_t>(size - 1) ? value.size() : static_cast<size_t>(size - 1);
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
    return out;
}

bool PrivateINI::WriteInt(const char* section, const char* key, int value) {
    return zem::ini::WriteInt(m_path, section, key, value);
}

bool PrivateINI::WriteFloat(const char* section, const char* key, float value) {
    return zem::ini::WriteFloat(m_path, section, key, value);
}

bool PrivateINI::WriteString(const char* section, const char* key, const char* value) {
    return zem::ini::WriteValue(m_path, section, key, value);
}
