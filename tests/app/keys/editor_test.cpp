// The key editor on the program's command table: lists, capture, Assign and Remove with their
// refusals, Reset All, and OK versus Cancel.
#include "app/keys/accelerator_map.h"
#include "app/keys/command_table.h"
#include "app/keys/key_editor.h"
#include "app/keys/key_names.h"

#include <gtest/gtest.h>

using namespace zem::keys;

namespace {

CAcceleratorManager ProgramMap() {
    CAcceleratorManager map;
    RegisterCommandTable(map);
    map.CreateDefaultTable();
    return map;
}

} // namespace

TEST(KeyEditor, ListsCaptureAssignRemoveAndReset) {
    CAcceleratorManager map = ProgramMap();
    KeyEditor editor(map);
    EXPECT_EQ(editor.Categories(),
              (std::vector<std::string>{"File", "Mixer", "Device", "Settings", "Misc"}));
    const std::vector<std::string> device = editor.Commands("Device");
    EXPECT_NE(std::find(device.begin(), device.end(), "ControlsPlay"), device.end());

    ASSERT_TRUE(editor.SelectCommand("Device", "ControlsPlay"));
    EXPECT_EQ(editor.CurrentKeys(), std::vector<std::string>{"Z"});
    // Shift, Ctrl, Alt held, then F1: shown in the order Ctrl, Alt, Shift.
    for (uint16_t vk : {0x10, 0x11, 0x12, 0x70})
        editor.CaptureKeyPress(vk);
    EXPECT_EQ(editor.CaptureText(), "Ctrl+Alt+Shift+F1");
    // A key after a complete combination starts a new one.
    editor.CaptureKeyPress('Q');
    EXPECT_EQ(editor.CaptureText(), "Q");
    EXPECT_FALSE(editor.Assign());
    EXPECT_EQ(editor.AssignedTo(), "Mixer ControlsPlayLeftChannel");
    editor.CaptureKeyPress(0x11);
    editor.CaptureKeyPress('Q');
    EXPECT_TRUE(editor.Assign());
    EXPECT_EQ(editor.CurrentKeys(), (std::vector<std::string>{"Z", "Ctrl+Q"}));
    EXPECT_FALSE(editor.HasCapture());

    std::string message;
    ASSERT_TRUE(editor.SelectCommand("Device", "ControlsGotoCuePosition"));
    EXPECT_FALSE(editor.Remove(5, message));
    EXPECT_EQ(message, "Unable to remove this\naccelerator (Locked)");
    EXPECT_FALSE(editor.Remove(99, message));
    EXPECT_EQ(message, kRemoveKeyMissingText);
    ASSERT_TRUE(editor.SelectCommand("Device", "ControlsPlay"));
    EXPECT_TRUE(editor.Remove(0, message));
    EXPECT_EQ(editor.CurrentKeys(), std::vector<std::string>{"Ctrl+Q"});

    // Cancel: the program's map never saw the edits. OK: it takes them and rebuilds its table.
    EXPECT_EQ(map.Find(32820)->Keys().size(), 1u);
    int built = 0;
    map.SetTableBuilder([&built](const CAcceleratorManager&) { ++built; });
    editor.ApplyTo(map);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(map.Find(32820)->Keys()[0].GetText(), "Ctrl+Q");

    editor.ResetAll();
    EXPECT_EQ(editor.CurrentKeys(), std::vector<std::string>{"Z"});
    EXPECT_TRUE(editor.CanReset());
    CAcceleratorManager empty;
    EXPECT_FALSE(KeyEditor(empty).CanEdit());
    CAcceleratorManager noDefaults;
    RegisterCommandTable(noDefaults);
    EXPECT_FALSE(KeyEditor(noDefaults).CanReset());
}
