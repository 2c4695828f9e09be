// Files that libsndfile reads (WAV, AIFF, FLAC, Ogg Vorbis, Opus and more), by content.
#pragma once

#include "plugins/input/common/decoder.h"

namespace zemin {

// Null when the file cannot be opened or holds no audio.
std::unique_ptr<Decoder> OpenSndfileDecoder(const char* path);

} // namespace zemin
