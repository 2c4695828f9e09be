// Windows virtual key codes, which the key map and "zemkeys.cfg" keep, and Qt's keys, which the
// program's shortcuts and key events carry. Characters use the US layout, as the command table
// names them ("`" is 0xC0, "-" 0xBD, "=" 0xBB, "[" 0xDB, "]" 0xDD, "\" 0xDC).
#pragma once

#include <QKeyCombination>

#include <cstdint>

namespace zem::keys {

// The key that types c on the US layout and whether Shift is needed for it ("A" needs it, "a"
// does not); false for a character no key types.
bool VirtualKeyFromCharacter(char c, uint16_t& vk, bool& shift);

// The Qt key and modifiers of a key-map key (accelerator flags and virtual key); Qt::Key_unknown
// for a code Qt has no key for.
QKeyCombination QtKeyOf(uint8_t flags, uint16_t vk);
// The key-map key of a Qt key press; false for a key the key map cannot hold. The flags always
// carry the virtual-key flag.
bool VirtualKeyOf(QKeyCombination key, uint8_t& flags, uint16_t& vk);

} // namespace zem::keys
