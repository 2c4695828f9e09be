// PrivateINI: one INI file named by its path. The object is the 260-byte path and nothing
// else, so it may be copied bytewise. The sound library and the host bridge library both
// export it.
#pragma once

#include "contracts/export.h"

class ZEM_EXPORT PrivateINI {
public:
    static constexpr int kPathSize = 260;

    // Keeps at most 259 characters of path; a null path names no file (reads give defaults,
    // writes fail).
    explicit PrivateINI(const char* path);

    // The value, or def when the file, section or key is missing or holds no number.
    int GetInt(const char* section, const char* key, int def);
    // Also stores the result in out.
    int GetInt(const char* section, const char* key, int& out, int def);
    float GetFloat(const char* section, const char* key, float& out, float def);
    // Copies the value (or def) into out, at most size bytes including the terminator;
    // returns out.
    char* GetString(const char* section, const char* key, char* out, const char* def, int size);

    // Write section/key, creating what is missing; false when the file cannot be written.
    bool WriteInt(const char* section, const char* key, int value);
    bool WriteFloat(const char* section, const char* key, float value);
    bool WriteString(const char* section, const char* key, const char* value);

    const char* GetPath() const { return m_path; }

private:
    char m_path[kPathSize];
};

static_assert(sizeof(PrivateINI) == PrivateINI::kPathSize, "PrivateINI is its path");
