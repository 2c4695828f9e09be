// "zemkeys.cfg": the user's keys, in the program's working folder. One array of 32-bit words
// (little-endian) in the framework's array serialisation: a 16-bit count below 0xFFFF, else
// 0xFFFF and a 32-bit count, then the words. The first word is the header (low half 0xFFFF,
// high half the number of command records); each record is a word with the command in its low
// half and its key count K in the high half, followed by K packed keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zem::keys {

class CAcceleratorManager;

inline constexpr const char* kKeyFileName = "zemkeys.cfg";

// The words of the map: every command's unlocked keys; commands without any are left out, so
// they get their default keys back at the next start.
std::vector<uint32_t> KeyFileWords(const CAcceleratorManager& map);
// The file's bytes for those words.
std::vector<uint8_t> SerializeWords(const std::vector<uint32_t>& words);
// False when the bytes do not hold a whole array.
bool DeserializeWords(const std::vector<uint8_t>& bytes, std::vector<uint32_t>& words);
// Applies the records to the map: a known command loses its unlocked keys and gets the file's;
// an unknown command's keys are skipped. Nothing happens without a valid header, and a record
// cut short applies what it holds. The accelerator table is built again in every case.
void ApplyKeyFileWords(CAcceleratorManager& map, const std::vector<uint32_t>& words);

// False when the file cannot be written.
bool WriteKeyFile(const CAcceleratorManager& map, const std::string& path);
// A missing or unreadable file leaves the keys as they are.
void ReadKeyFile(CAcceleratorManager& map, const std::string& path);

} // namespace zem::keys
