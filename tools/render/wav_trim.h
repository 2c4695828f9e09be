// Cuts a finished 16-bit PCM WAV file to a number of frames and fixes its sizes.
#pragma once

#include <string>

// False when the file is not a WAV file this tool wrote or cannot be rewritten. A file
// shorter than frames is left as it is.
bool TrimWavFile(const std::string& path, unsigned long long frames);
