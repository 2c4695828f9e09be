// The program's standard directories, fixed when the engine library is loaded from the
// working directory of that moment: 0 the program directory, 1 ".../ZEC" (song settings),
// 2 ".../Plugins", 3 ".../INI", 4 ".../SFX". And the rule naming a song's settings file.
#pragma once

#include "contracts/export.h"

inline constexpr int kZEMPathCount = 5;

// The directory of that index without a trailing separator, or null outside 0..4. The text
// lives as long as the process.
ZEM_EXPORT const char* ZEM_GetZEMPath(int index);

// Rewrites, in place, the full path of a song into the full path of its settings file: the
// ZEC directory, then the file name without its extension, then ".zec". Both "/" and "\"
// separate folders. buffer holds at least 512 bytes.
ZEM_EXPORT void FNameToZEC(char* buffer);
