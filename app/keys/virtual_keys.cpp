#include "app/keys/virtual_keys.h"

#include "app/keys/key_names.h"

#include <cstring>

namespace zem::keys {

namespace {

struct KeyPair {
    uint16_t vk;
    Qt::Key key;
    bool keypad;
};

// Every virtual key with a Qt key; letters, digits and function keys are computed.
constexpr KeyPair kPairs[] = {
    {0x08, Qt::Key_Backspace, false},    {0x09, Qt::Key_Tab, false},
    {0x0C, Qt::Key_Clear, false},        {0x0D, Qt::Key_Return, false},
    {0x10, Qt::Key_Shift, false},        {0x11, Qt::Key_Control, false},
    {0x12, Qt::Key_Alt, false},          {0x13, Qt::Key_Pause, false},
    {0x14, Qt::Key_CapsLock, false},     {0x1B, Qt::Key_Escape, false},
    {0x20, Qt::Key_Space, false},        {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},     {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},         {0x25, Qt::Key_Left, false},
    {0x26, Qt::Key_Up, false},           {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},         {0x29, Qt::Key_Select, false},
    {0x2A, Qt::Key_Printer, false},      {0x2B, Qt::Key_Execute, false},
    {0x2C, Qt::Key_Print, false},        {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},       {0x2F, Qt::Key_Help, false},
    {0x5B, Qt::Key_Super_L, false},      {0x5C, Qt::Key_Super_R, false},
    {0x5D, Qt::Key_Menu, false},         {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},          {0x6C, Qt::Key_Comma, true},
    {0x6D, Qt::Key_Minus, true},         {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},         {0x90, Qt::Key_NumLock, false},
    {0x91, Qt::Key_ScrollLock, false},   {0xFA, Qt::Key_Play, false},
    {0xFB, Qt::Key_Zoom, false},         {0xBA, Qt::Key_Semicolon, false},
    {0xBB, Qt::Key_Equal, false},        {0xBC, Qt::Key_Comma, false},
    {0xBD, Qt::Key_Minus, false},        {0xBE, Qt::Key_Period, false},
    {0xBF, Qt::Key_Slash, false},        {0xC0, Qt::Key_QuoteLeft, false},
    {0xDB, Qt::Key_BracketLeft, false},  {0xDC, Qt::Key_Backslash, false},
    {0xDD, Qt::Key_BracketRight, false}, {0xDE, Qt::Key_Apostrophe, false},
    {0x0D, Qt::Key_Enter, true},         {0x0D, Qt::Key_Enter, false},
};

// The US layout's shifted characters, each over the key that types it unshifted.
constexpr char kShifted[] = "~!@#$%^&*()_+{}|:\"<>?";
constexpr char kUnshifted[] = "`1234567890-=[]\\;',./";

Qt::KeyboardModifiers ModifiersOf(uint8_t flags) {
    Qt::KeyboardModifiers m;
    if (flags & kFlagControl)
        m |= Qt::ControlModifier;
    if (flags & kFlagAlt)
        m |= Qt::AltModifier;
    if (flags & kFlagShift)
        m |= Qt::ShiftModifier;
    return m;
}

} // namespace

bool VirtualKeyFromCharacter(char c, uint16_t& vk, bool& shift) {
    shift = false;
    if (c >= 'a' && c <= 'z') {
        vk = static_cast<uint16_t>(c - 'a' + 'A');
        return true;
    }
    if ((c >= 'A' && c <= 'Z')) {
        vk = static_cast<uint16_t>(c);
        shift = true;
        return true;
    }
    if (c == ' ') {
        vk = 0x20;
        return true;
    }
    if (const char* p = c ? std::strchr(kShifted, c) : nullptr) {
        c = kUnshifted[p - kShifted];
        shift = true;
    }
    if (c >= '0' && c <= '9') {
        vk = static_cast<uint16_t>(c);
        return true;
    }
    for (uint16_t code = 0xBA; code <= 0xDE; ++code)
        if (VirtualKeyCharacter(code) == c && c != 0) {
            vk = code;
            return true;
        }
    return false;
}

QKeyCombination QtKeyOf(uint8_t flags, uint16_t vk) {
    Qt::KeyboardModifiers m = ModifiersOf(flags);
    Qt::Key key = Qt::Key_unknown;
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A))
        key = static_cast<Qt::Key>(vk); // Qt's keys for digits and letters are their ASCII codes
    else if (vk >= 0x60 && vk <= 0x69) {
        key = static_cast<Qt::Key>(Qt::Key_0 + (vk - 0x60));
        m |= Qt::KeypadModifier;
    } else if (vk >= 0x70 && vk <= 0x87)
        key = static_cast<Qt::Key>(Qt::Key_F1 + (vk - 0x70));
    else
        for (const KeyPair& p : kPairs)
            if (p.vk == vk) {
                key = p.key;
                if (p.keypad)
                    m |= Qt::KeypadModifier;
                break;
            }
    return QKeyCombination(m, key);
}

bool VirtualKeyOf(QKeyCombination combination, uint8_t& flags, uint16_t& vk) {
    const Qt::KeyboardModifiers m = combination.keyboardModifiers();
    const int key = combination.key();
    flags = kFlagVirtKey;
    if (m & Qt::ControlModifier)
        flags |= kFlagControl;
    if (m & Qt::AltModifier)
        flags |= kFlagAlt;
    if (m & Qt::ShiftModifier)
        flags |= kFlagShift;
    const bool keypad = m & Qt::KeypadModifier;
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) {
        vk = static_cast<uint16_t>(0x60 + (key - Qt::Key_0));
        return true;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        vk = static_cast<uint16_t>(0x70 + (key - Qt::Key_F1));
        return true;
    }
    for (const KeyPair& p : kPairs)
        if (p.key == key && p.keypad == keypad) {
            vk = p.vk;
            return true;
        }
    // A printable key: Qt reports what it typed, so Shift+= arrives as "+".
    if (key > Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        bool shift = false;
        if (!VirtualKeyFromCharacter(static_cast<char>(key), vk, shift))
            return false;
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            shift = false; // Qt gives capitals for letters whether or not Shift is held
        if (shift)
            flags |= kFlagShift;
        return true;
    }
    return false;
}

} // namespace zem::keys
