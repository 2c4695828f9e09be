// The command map's registration rules, Reset All, and "zemkeys.cfg" written and read back.
#include "../../platform/test_dir.h"
#include "app/keys/accelerator_map.h"
#include "app/keys/command_table.h"
#include "app/keys/key_file.h"
#include "app/keys/key_names.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zem::keys;

namespace {

constexpr uint8_t kVirt = kFlagVirtKey | kFlagNoInvert;

// A few rows of the program's command table, with its clashes.
CAcceleratorManager SampleMap() {
    CAcceleratorManager map;
    map.AddCommandKey(57601, "File Open", kVirt | kFlagControl, 'O');
    map.AddCommandKey(32847, "Mixer FadeFaderToLeftChannel", kVirt, 0x6F);
    map.AddCommandKey(32848, "Mixer FadeFaderToRightChannel", kVirt, 0x6A);
    map.AddCommand(32847, "Mixer FadeFaderTo");
    map.AddCommandKey(32779, "Mixer Crossfader 100,100", kVirt, '5');
    map.AddCommandKey(32779, "Mixer Crossfader 100,100", kVirt, '6');
    map.AddCommandKey(32846, "Mixer ToggleFaderTypes", kFlagNoInvert, '`');
    map.AddCommandKey(32815, "Mixer ControlsPlayLeftChannel", kVirt, 'Q');
    map.AddCommandKey(32820, "Device ControlsPlay", kVirt, 'Z');
    for (uint16_t digit = 0; digit < 10; ++digit)
        map.AddCommandKey(32836, "Device ControlsGotoCuePosition", kVirt,
                          static_cast<uint16_t>(0x60 + digit), true);
    map.CreateDefaultTable();
    return map;
}

} // namespace

TEST(CommandMap, RowsFollowTheRegistrationRules) {
    CAcceleratorManager map = SampleMap();
    ASSERT_NE(map.Find(32847), nullptr);
    EXPECT_EQ(map.Find(32847)->GetName(), "Mixer FadeFaderTo");
    EXPECT_TRUE(map.Find(32847)->Keys().empty());
    EXPECT_EQ(map.Find(32779)->Keys().size(), 2u);
    // A character key becomes its US-layout virtual key.
    EXPECT_EQ(map.Find(32846)->Keys()[0].GetKey(), 0xC0);
    EXPECT_EQ(map.Find(32846)->Keys()[0].GetText(), "`");
    EXPECT_EQ(map.Find(57601)->Keys()[0].Pack(), 0x020B004Fu);

    // Refused: a name of another command, another name for a command, a key twice.
    EXPECT_FALSE(map.AddCommandKey(1, "File Open", kVirt, 'P'));
    EXPECT_FALSE(map.AddCommandKey(57601, "File Opened", kVirt, 'P'));
    EXPECT_FALSE(map.AddCommandKey(32779, "Mixer Crossfader 100,100", kVirt, '5'));
    EXPECT_FALSE(map.AddCommand(2, "Device ControlsPlay"));

    const CommandKeys* owner = map.OwnerOf(kVirt, 'Q');
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->GetName(), "Mixer ControlsPlayLeftChannel");
    const CAccelsOb locked = CAccelsOb::Unpack(map.Find(32836)->Keys()[5].Pack());
    EXPECT_TRUE(locked.IsLocked());
    EXPECT_EQ(locked.GetText(), "NUMPAD5");

    // Reset All brings back the default unlocked keys and keeps the locked ones.
    map.Find(32820)->RemoveUnlockedKeys();
    map.Find(32815)->Keys().push_back(CAccelsOb(kVirt | kFlagShift, 'Q'));
    map.ResetToDefault();
    EXPECT_EQ(map.Find(32820)->Keys().size(), 1u);
    EXPECT_EQ(map.Find(32815)->Keys().size(), 1u);
    EXPECT_EQ(map.Find(32836)->Keys().size(), 10u);
}

TEST(KeyFile, WrittenAndReadBackWithDefaultsForEmptiedCommands) {
    TestDir dir;
    const std::string path = dir.file(kKeyFileName);
    CAcceleratorManager user = SampleMap();
    user.Find(32815)->Keys()[0] = CAccelsOb(kVirt | kFlagAlt, 'P');
    user.Find(32820)->RemoveUnlockedKeys(); // all keys of Play removed
    ASSERT_TRUE(WriteKeyFile(user, path));
    EXPECT_FALSE(WriteKeyFile(user, dir.file("missing/zemkeys.cfg")));

    CAcceleratorManager next = SampleMap();
    int built = 0;
    next.SetTableBuilder([&built](const CAcceleratorManager&) { ++built; });
    ReadKeyFile(next, path);
    EXPECT_EQ(built, 1);
    ASSERT_EQ(next.Find(32815)->Keys().size(), 1u);
    EXPECT_EQ(next.Find(32815)->Keys()[0].GetText(), "Alt+P");
    // Play was not written, so it has Z again; locked keys are never in the file.
    ASSERT_EQ(next.Find(32820)->Keys().size(), 1u);
    EXPECT_EQ(next.Find(32820)->Keys()[0].GetKey(), 'Z');
    EXPECT_EQ(next.Find(32836)->Keys().size(), 10u);

    ReadKeyFile(next, dir.file("none.cfg"));
    EXPECT_EQ(built, 1);
}

TEST(KeyFile, UnknownCommandsBadHeadersAndShortFiles) {
    // Header with two records: an unknown command with one key, then File Open with Alt+O.
    const uint32_t altO = CAccelsOb(kVirt | kFlagAlt, 'O').Pack();
    std::vector<uint32_t> words = {0x0002FFFF, 4242u | 1u << 16, 0x02030041, 57601u | 1u << 16,
                                   altO};
    CAcceleratorManager map = SampleMap();
    ApplyKeyFileWords(map, words);
    ASSERT_EQ(map.Find(57601)->Keys().size(), 1u);
    EXPECT_EQ(map.Find(57601)->Keys()[0].Pack(), altO);

    int built = 0;
    CAcceleratorManager other = SampleMap();
    other.SetTableBuilder([&built](const CAcceleratorManager&) { ++built; });
    ApplyKeyFileWords(other, {0x0000FFFF});
    ApplyKeyFileWords(other, {0x00011234, 57601u | 1u << 16, altO});
    EXPECT_EQ(built, 2);
    EXPECT_EQ(other.Find(57601)->Keys()[0].GetText(), "Ctrl+O");

    // The array serialisation: 16-bit counts, and the long form past 0xFFFE words.
    std::vector<uint32_t> back;
    ASSERT_TRUE(DeserializeWords(SerializeWords(words), back));
    EXPECT_EQ(back, words);
    const std::vector<uint32_t> many(0x10000, 7);
    const std::vector<uint8_t> longForm = SerializeWords(many);
    EXPECT_EQ(longForm[0], 0xFF);
    EXPECT_EQ(longForm[1], 0xFF);
    ASSERT_TRUE(DeserializeWords(longForm, back));
    EXPECT_EQ(back.size(), many.size());
    std::vector<uint8_t> cut = SerializeWords(words);
    cut.pop_back();
    EXPECT_FALSE(DeserializeWords(cut, back));
    EXPECT_FALSE(DeserializeWords({0xFF, 0xFF, 0xFF}, back));
}

TEST(CommandTable, TheProgramsRowsAndTheirClashes) {
    CAcceleratorManager map;
    RegisterCommandTable(map);
    map.CreateDefaultTable();
    EXPECT_EQ(map.Find(32847)->GetName(), "Mixer FadeFaderTo");
    EXPECT_TRUE(map.Find(32847)->Keys().empty());
    ASSERT_EQ(map.Find(32779)->Keys().size(), 2u);
    EXPECT_EQ(map.Find(32779)->Keys()[1].GetText(), "6");
    EXPECT_EQ(map.Find(32909)->Keys()[0].GetKey(), 0);
    EXPECT_EQ(map.Find(32793)->Keys()[0].GetKey(), 0xBB);
    EXPECT_EQ(map.Find(32894)->Keys()[0].GetText(), "Ctrl+\\");
    EXPECT_EQ(map.Find(57669)->Keys()[0].GetText(), "Shift+F1");
    for (const auto& [id, command] : map.Commands()) {
        const std::string category = command->GetName().substr(0, command->GetName().find(' '));
        EXPECT_TRUE(category == "File" || category == "Mixer" || category == "Device" ||
                    category == "Settings" || category == "Misc")
            << command->GetName();
        for (const CAccelsOb& k : command->Keys()) {
            EXPECT_TRUE(k.GetFlags() & kFlagNoInvert) << command->GetName();
            EXPECT_EQ(k.IsLocked(), id == 32836 || id == 32914) << command->GetName();
        }
    }
    // The cue commands: NumPad digits, Ctrl with them to store; ten each, locked.
    EXPECT_EQ(map.FindCommandOfKey(0x65, false, false, false), 32836);
    EXPECT_EQ(map.FindCommandOfKey(0x65, true, false, false), 32914);
    EXPECT_EQ(map.FindCommandOfKey(0x65, true, false, true), 0);
    EXPECT_EQ(map.Find(32914)->Keys().size(), 10u);
    uint16_t id = 0;
    ASSERT_TRUE(map.LookupName("Device ControlsPlay", id));
    EXPECT_EQ(id, 32820);
}
