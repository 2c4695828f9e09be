// The file formats a recording can be written in, with their labels and file extensions.
#pragma once

namespace zem::rec {

enum class RecordFormat : int { kWav16 = 0, kWav24 = 1, kFlac16 = 2, kFlac24 = 3 };
inline constexpr int kFormatCount = 4;

// What the window lists: "WAV 16-bit", "WAV 24-bit", "FLAC 16-bit", "FLAC 24-bit".
const char* FormatLabel(RecordFormat format);
// ".wav" or ".flac".
const char* FormatExtension(RecordFormat format);
// A stored number back to a format; anything unknown is WAV 16-bit.
RecordFormat FormatFromInt(int value);
// The libsndfile major and sub-type bits.
int SndfileFormat(RecordFormat format);

} // namespace zem::rec
