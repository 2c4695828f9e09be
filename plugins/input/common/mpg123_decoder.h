// MPEG audio layers 1 to 3 through libmpg123, gapless where the file says so (encoder delay
// and padding from its LAME/Xing header), with sample-accurate seeking from a full scan.
#pragma once

#include "plugins/input/common/decoder.h"

namespace zemin {

// Null when no MPEG audio stream is found.
std::unique_ptr<Decoder> OpenMpg123Decoder(const char* path);

} // namespace zemin
