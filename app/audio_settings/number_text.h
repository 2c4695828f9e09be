// Numbers typed into the audio settings: their ranges, over the locale-free reading and writing
// of platform/number_text.h.
#pragma once

#include <string>

namespace zem::audio {

// The whole text (spaces around allowed) as a decimal number within -10..10 percent.
bool ParseSpeedOffset(const std::string& text, float& offset);
// The offset with two decimals ("%.2f"), a point as the separator.
std::string FormatSpeedOffset(float offset);
// A whole number of milliseconds within 0..kMaxSyncTime.
bool ParseSyncTime(const std::string& text, unsigned long& milliseconds);

} // namespace zem::audio
