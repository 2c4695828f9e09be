// The application profile: the program's own settings store of sections and keys, one INI
// file. Its path is $ZEM_PROFILE when set, otherwise
// "$XDG_CONFIG_HOME/Fennick Works Applications/ZEM.ini" (XDG_CONFIG_HOME defaults to
// ~/.config). Every read takes a default; a write creates the folder as needed.
#pragma once

#include <string>

namespace zem::profile {

std::string Path();
int GetInt(const char* section, const char* key, int def);
std::string GetString(const char* section, const char* key, const char* def);
bool WriteInt(const char* section, const char* key, int value);
bool WriteString(const char* section, const char* key, const char* value);

} // namespace zem::profile
