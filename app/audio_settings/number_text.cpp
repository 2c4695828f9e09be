#include "app/audio_settings/number_text.h"

#include "app/audio_settings/audio_texts.h"
#include "platform/number_text.h"

namespace zem::audio {

bool ParseSpeedOffset(const std::string& text, float& offset) {
    const std::optional<double> value = zem::ParseReal(text);
    if (!value || *value < kMinSpeedOffset || *value > kMaxSpeedOffset)
        return false;
    offset = static_cast<float>(*value);
    return true;
}

std::string FormatSpeedOffset(float offset) {
    // No "-0.00".
    return zem::FormatFixed(offset == 0.f ? 0.0 : offset, 2);
}

bool ParseSyncTime(const std::string& text, unsigned long& milliseconds) {
    const std::optional<int> value = zem::ParseInt(text);
    if (!value || *value < 0 || static_cast<unsigned long>(*value) > kMaxSyncTime)
        return false;
    milliseconds = static_cast<unsigned long>(*value);
    return true;
}

} // namespace zem::audio
