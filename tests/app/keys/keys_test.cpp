// The key map's key names and the translation between its virtual keys and Qt's keys.
#include "app/keys/key_names.h"
#include "app/keys/virtual_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zem::keys;

TEST(KeyNames, TableTextsAndCharacters) {
    std::set<uint16_t> codes;
    for (int i = 0; i < kKeyNameCount; ++i) {
        const uint16_t vk = KeyNameTableCode(i);
        ASSERT_NE(VirtualKeyName(vk), nullptr) << i;
        EXPECT_LE(std::string(VirtualKeyName(vk)).size(), 15u);
        if (i > 0) {
            EXPECT_LT(KeyNameTableCode(i - 1), vk) << "the table is in code order";
        }
        codes.insert(vk);
    }
    EXPECT_EQ(codes.size(), 120u);
    EXPECT_STREQ(VirtualKeyName(0x21), "PAGE UP");
    EXPECT_STREQ(VirtualKeyName(0x87), "F24");
    EXPECT_STREQ(VirtualKeyName(0xFE), "VK_OEM_CLEAR");
    EXPECT_EQ(VirtualKeyName(0xC0), nullptr);

    EXPECT_EQ(KeyText(kFlagVirtKey | kFlagShift | kFlagControl, 0x70), "Ctrl+Shift+F1");
    EXPECT_EQ(KeyText(kFlagVirtKey | kFlagShift | kFlagAlt | kFlagControl, 0x60),
              "Ctrl+Alt+Shift+NUMPAD0");
    // Codes outside the table show the character they type.
    EXPECT_EQ(KeyText(kFlagVirtKey, 0xC0), "`");
    EXPECT_EQ(KeyText(kFlagVirtKey | kFlagControl, 0xDB), "Ctrl+[");
    EXPECT_EQ(KeyText(kFlagVirtKey, 0xDC), "\\");
}

TEST(VirtualKeys, CharactersOfTheCommandTable) {
    uint16_t vk = 0;
    bool shift = true;
    for (auto [c, code] : {std::pair{'`', 0xC0},
                           {'-', 0xBD},
                           {'=', 0xBB},
                           {'[', 0xDB},
                           {']', 0xDD},
                           {'\\', 0xDC},
                           {'5', 0x35},
                           {'q', 0x51}}) {
        ASSERT_TRUE(VirtualKeyFromCharacter(c, vk, shift)) << c;
        EXPECT_EQ(vk, code) << c;
        EXPECT_FALSE(shift) << c;
    }
    ASSERT_TRUE(VirtualKeyFromCharacter('+', vk, shift));
    EXPECT_EQ(vk, 0xBB);
    EXPECT_TRUE(shift);
    ASSERT_TRUE(VirtualKeyFromCharacter('Q', vk, shift));
    EXPECT_EQ(vk, 0x51);
    EXPECT_TRUE(shift);
    EXPECT_FALSE(VirtualKeyFromCharacter('\t', vk, shift));
}

TEST(VirtualKeys, QtKeysAndBack) {
    EXPECT_EQ(QtKeyOf(kFlagVirtKey, 0x51), QKeyCombination(Qt::Key_Q));
    EXPECT_EQ(QtKeyOf(kFlagVirtKey | kFlagControl, 0x65),
              QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_5));
    EXPECT_EQ(QtKeyOf(kFlagVirtKey, 0x6F), QKeyCombination(Qt::KeypadModifier, Qt::Key_Slash));
    EXPECT_EQ(QtKeyOf(kFlagVirtKey, 0xC0), QKeyCombination(Qt::Key_QuoteLeft));
    EXPECT_EQ(QtKeyOf(kFlagVirtKey, 0x78), QKeyCombination(Qt::Key_F9));
    EXPECT_EQ(QtKeyOf(kFlagVirtKey, 0xF6).key(), Qt::Key_unknown);

    // Every key Qt can name comes back as the same virtual key and modifiers.
    const uint8_t flags[] = {kFlagVirtKey, kFlagVirtKey | kFlagControl,
                             kFlagVirtKey | kFlagAlt | kFlagShift};
    for (int vk = 1; vk < 0xFF; ++vk)
        for (uint8_t f : flags) {
            const QKeyCombination key = QtKeyOf(f, static_cast<uint16_t>(vk));
            if (key.key() == Qt::Key_unknown)
                continue;
            uint8_t backFlags = 0;
            uint16_t back = 0;
            ASSERT_TRUE(VirtualKeyOf(key, backFlags, back)) << vk;
            EXPECT_EQ(back, vk) << vk;
            EXPECT_EQ(backFlags, f) << vk;
        }

    // Shifted punctuation arrives as the character typed; the keypad keeps its own codes.
    uint8_t f = 0;
    uint16_t vk = 0;
    ASSERT_TRUE(VirtualKeyOf(QKeyCombination(Qt::ShiftModifier, Qt::Key_Plus), f, vk));
    EXPECT_EQ(vk, 0xBB);
    EXPECT_EQ(f, kFlagVirtKey | kFlagShift);
    ASSERT_TRUE(VirtualKeyOf(QKeyCombination(Qt::KeypadModifier, Qt::Key_Asterisk), f, vk));
    EXPECT_EQ(vk, 0x6A);
    ASSERT_TRUE(VirtualKeyOf(QKeyCombination(Qt::ShiftModifier, Qt::Key_A), f, vk));
    EXPECT_EQ(vk, 0x41);
    EXPECT_EQ(f, kFlagVirtKey | kFlagShift);
}
