#include "app/recorder/recording_format.h"

#include <sndfile.h>

namespace zem::rec {

const char* FormatLabel(RecordFormat format) {
    switch (format) {
    case RecordFormat::kWav24:
        return "WAV 24-bit";
    case RecordFormat::kFlac16:
        return "FLAC 16-bit";
    case RecordFormat::kFlac24:
        return "FLAC 24-bit";
    case RecordFormat::kWav16:
        break;
    }
    return "WAV 16-bit";
}

const char* FormatExtension(RecordFormat format) {
    return format == RecordFormat::kFlac16 || format == RecordFormat::kFlac24 ? ".flac" : ".wav";
}

RecordFormat FormatFromInt(int value) {
    return value >= 0 && value < kFormatCount ? static_cast<RecordFormat>(value)
                                              : RecordFormat::kWav16;
}

int SndfileFormat(RecordFormat format) {
    switch (format) {
    case RecordFormat::kWav24:
        return SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    case RecordFormat::kFlac16:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case RecordFormat::kFlac24:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    case RecordFormat::kWav16:
        break;
    }
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

} // namespace zem::rec
