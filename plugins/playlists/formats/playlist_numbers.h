// Numbers in playlist files and cells, always in the C locale: the window's process may set
// LC_NUMERIC to a locale whose decimal point is ",", and the files must not change with it.
#pragma once

#include <cstdint>
#include <string>

namespace playlists {

// Like sscanf's "%f": skips leading white space, takes an optional sign and a decimal number.
// Returns the position after the number, or nullptr when none starts at p. value changes only
// when the number is finite and fits a float; an out-of-range or infinite one is consumed but
// leaves value as it was.
const char* ScanFloat(const char* p, const char* end, float& value);
// Like sscanf's "%ld", saturating to the range of int64_t.
const char* ScanInt64(const char* p, const char* end, int64_t& value);
// ScanInt64, then saturated to int32_t (the width of the entry's fields).
const char* ScanInt32(const char* p, const char* end, int32_t& value);

// "%.<decimals>f" in the C locale.
void AppendFixed(std::string& out, double value, int decimals);
void AppendInt(std::string& out, int64_t value);

} // namespace playlists
