// The title of a deck's window: channel, song, length and the read-only mark.
#pragma once

#include "contracts/export.h"

#include <string>

// "Ch 2: song.mp3 [62:05] - RO": minutes and seconds of totalSeconds, the suffix only when
// the song's settings are read-only.
ZEM_EXPORT std::string BuildDeckTitle(int channel, const char* fileName, unsigned long totalSeconds,
                                      bool readOnly);
