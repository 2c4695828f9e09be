// "sfx.cfg": the sound-effect pads. The line "1.75", a line feed, then one 276-byte record per
// pad, little-endian on every platform: device (4 bytes, ignored), command (uint16), path
// (262 bytes, NUL-terminated), volume (int32), stop if playing (uint8), 3 bytes zero.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class MixerDevice;

namespace zem::pads {

inline constexpr char kSfxFileName[] = "sfx.cfg";
inline constexpr char kSfxVersion[] = "1.75";
inline constexpr size_t kRecordSize = 276;
inline constexpr size_t kPathSize = 262;
inline constexpr uint16_t kFirstPadCommand = 33000;
// Beyond it lie the program's own commands (57601 is File Open).
inline constexpr uint16_t kLastPadCommand = 33999;
inline constexpr char kPreviousVersionText[] =
    "Previous version of sfx.cfg detected (or it might not exist)...  Please reconfigure your "
    "SFX (sorry no conversion utilitiy)";

struct PadRecord {
    MixerDevice* device = nullptr; // while loaded; never read from or written to the file
    uint16_t command = 0;          // 33000 to 33999; 0: a number is to be assigned
    char path[kPathSize] = {};
    int32_t volume = 100;      // 0 to 100
    uint8_t stopIfPlaying = 0; // 1: a press while it plays stops it; 0: it restarts

    std::string Path() const;
    void SetPath(const std::string& path); // cut to fit, always terminated
};

enum class SfxReadResult { Read, Missing, PreviousVersion };

// The records of the file's bytes: whole records only, a path always terminated. A first line
// other than "1.75" is a previous version and gives none.
SfxReadResult ParseSfx(std::string_view bytes, std::vector<PadRecord>& records);
SfxReadResult ReadSfxFile(const std::string& path, std::vector<PadRecord>& records);
std::string SerializeSfx(const std::vector<PadRecord>& records);
// Rewrites the file whole; false when it cannot be written.
bool WriteSfxFile(const std::string& path, const std::vector<PadRecord>& records);

} // namespace zem::pads
