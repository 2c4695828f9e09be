// The INI reader and writer of the whole tree, with the semantics of the Windows profile
// functions: sections and keys compared without regard to case, the first matching section
// and key win, missing file, section or key give the caller's default, values keep their
// inner spaces (surrounding blanks and one pair of enclosing quotes are dropped).
//
// A write keeps every other line of the file as it was and replaces the file atomically (a
// temporary file in the same folder, then rename), so a crash mid-write leaves either the
// old or the new file. Writes in one process are serialised; any thread may call these.
#pragma once

#include <string>

namespace zem::ini {

// True and the value in out when section/key exists in the file at path.
bool ReadValue(const std::string& path, const char* section, const char* key, std::string& out);
std::string GetString(const std::string& path, const char* section, const char* key,
                      const char* def);
int GetInt(const std::string& path, const char* section, const char* key, int def);
float GetFloat(const std::string& path, const char* section, const char* key, float def);

// Writes section/key = value, creating the file, the section and the key as needed. A null
// value deletes the key; a null key deletes the whole section. False when the file cannot be
// written (its folder is missing, say).
bool WriteValue(const std::string& path, const char* section, const char* key, const char* value);
bool WriteInt(const std::string& path, const char* section, const char* key, int value);
bool WriteFloat(const std::string& path, const char* section, const char* key, float value);

// The leading decimal number of text (blanks, then an optional sign, then digits), clamped to
// the int range; def when there is none.
int ParseLeadingInt(const std::string& text, int def);
// The leading floating-point number of text; def when there is none.
float ParseLeadingFloat(const std::string& text, float def);
// The shortest text that reads back as exactly value.
std::string FormatFloat(float value);

// Parses a whole INI text (for the fuzz target and tests): the value of section/key.
bool FindInText(const std::string& text, const char* section, const char* key, std::string& out);
// Returns text with section/key set (or deleted, as WriteValue says).
std::string UpdateText(const std::string& text, const char* section, const char* key,
                       const char* value);

} // namespace zem::ini
