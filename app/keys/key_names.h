// How a key of the key map reads: the Windows virtual key codes and accelerator flags the key
// map keeps ("zemkeys.cfg" stores them), turned into the text menus and the key editor show,
// "Ctrl+Shift+F1".
#pragma once

#include <cstdint>
#include <string>

namespace zem::keys {

// Accelerator flags as the key map stores them.
inline constexpr uint8_t kFlagVirtKey = 0x01;
inline constexpr uint8_t kFlagNoInvert = 0x02;
inline constexpr uint8_t kFlagShift = 0x04;
inline constexpr uint8_t kFlagControl = 0x08;
inline constexpr uint8_t kFlagAlt = 0x10;

inline constexpr int kKeyNameCount = 120;

// The name of a virtual key from the key name table; null for a code it does not hold.
const char* VirtualKeyName(uint16_t vk);
// The key name table's entry index (code order), for walking the table.
uint16_t KeyNameTableCode(int index);
// The character a key gives with no modifier held on the US layout; 0 when it gives none.
char VirtualKeyCharacter(uint16_t vk);
// Modifiers in the order Ctrl, Alt, Shift, then the key's name or its character, joined
// with "+".
std::string KeyText(uint8_t flags, uint16_t vk);

} // namespace zem::keys
