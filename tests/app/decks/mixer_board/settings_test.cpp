// The centre-volume file, and the mixer settings sheet: the centre-volume page's edits, the
// master-volume page, and what the sheet hands back to the board on OK and on Cancel.
#include "app/decks/mixer_board/centre_volumes.h"
#include "app/decks/mixer_board/mixer_settings.h"
#include "board_rig.h"

#include <fstream>

TEST(CentreVolumeFile, CountDecidesWhatIsRead) {
    TestDir dir;
    const std::string path = CentreVolumeFilePath(dir.path());
    EXPECT_EQ(path, dir.path() + "/CFCenterVolumes.ini");
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{100, 75, 50})); // no file
    std::ofstream(path) << "[Mixer CF Volumes]\nCF Volume count=2\nVolume 0=100\nVolume 1=60\n"
                           "Volume 2=40\n";
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{100, 60}));
    std::ofstream(path) << "[mixer cf volumes]\ncf volume count=0\nVolume 0=90\n";
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{100, 75, 50}));
    // A missing key would be a centre of 0, which the fader cannot use.
    std::ofstream(path) << "[Mixer CF Volumes]\nCF Volume count=3\nVolume 0=80\nVolume 2=20\n";
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{80, 20}));
    std::ofstream(path) << "[Mixer CF Volumes]\nCF Volume count=2\n";
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{100, 75, 50}));
    // A damaged count reads a bounded number of keys.
    std::ofstream(path) << "[Mixer CF Volumes]\nCF Volume count=2000000000\nVolume 0=70\n";
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{70}));
}

TEST(CentreVolumeFile, WritingReplacesTheWholeList) {
    TestDir dir;
    const std::string path = CentreVolumeFilePath(dir.path());
    std::ofstream(path) << "[Other]\nKeep=1\n";
    ASSERT_TRUE(WriteCentreVolumes(path, {100, 75, 50, 60}));
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{100, 75, 50, 60}));
    ASSERT_TRUE(WriteCentreVolumes(path, {90}));
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Keep=1"), std::string::npos);
    EXPECT_EQ(text.find("Volume 1"), std::string::npos);
    EXPECT_EQ(ReadCentreVolumes(path), (std::vector<int>{90}));
    EXPECT_FALSE(WriteCentreVolumes(dir.file("missing/CFCenterVolumes.ini"), {100}));
}

TEST(CentreVolumePage, AddKeepsTheListFreeOfZerosAndDuplicates) {
    CentreVolumePage page(BuiltInCentreVolumes());
    EXPECT_EQ(page.GetItems(), (std::vector<std::string>{"100", "75", "50"}));
    EXPECT_TRUE(page.Add("60"));
    EXPECT_EQ(page.GetVolumes(), (std::vector<int>{100, 75, 50, 60}));
    EXPECT_FALSE(page.Add("75"));
    EXPECT_FALSE(page.Add("loud"));
    EXPECT_FALSE(page.Add("0"));
    EXPECT_FALSE(page.Add("-40"));
    EXPECT_EQ(page.GetVolumes().size(), 4u);
    // The number at the start counts; the drop-down shows the text as typed.
    EXPECT_TRUE(page.Add(" 42 percent"));
    EXPECT_EQ(page.GetVolumes().back(), 42);
    EXPECT_EQ(page.GetItems().back(), " 42 percent");
    EXPECT_TRUE(page.Remove(1));
    EXPECT_EQ(page.GetVolumes(), (std::vector<int>{100, 50, 60, 42}));
    EXPECT_EQ(page.GetItems()[1], "50");
    EXPECT_FALSE(page.Remove(4));
    EXPECT_FALSE(page.Remove(-1));
    EXPECT_EQ(page.GetVolumes().size(), page.GetItems().size());
}

TEST(MasterVolumePage, ListsDevicesAndStoresTheChosenOneOnApply) {
    FakeMasterVolume system;
    system.devices = {{0, "Default", true}, {1, "", false}, {2, "USB", true}};
    MemorySettingsStore store;
    store.WriteInt("General mixer settings", "Master Volume device", 2);
    std::vector<std::string> messages;
    MasterVolumePage page(system, store, [&](const char* m) { messages.push_back(m); });
    ASSERT_EQ(page.GetEntries().size(), 3u);
    EXPECT_EQ(page.GetEntries()[1].name, "Unknown");
    EXPECT_EQ(page.GetEntries()[2].name, "USB");
    EXPECT_EQ(messages, (std::vector<std::string>{"Error on mixerGetDevCaps"}));
    EXPECT_EQ(page.GetSelection(), 2);
    page.Select(1);
    page.Select(7); // no such entry
    EXPECT_EQ(page.GetSelection(), 1);
    page.Apply();
    EXPECT_EQ(store.GetInt("General mixer settings", "Master Volume device", -1), 1);
    // A saved device that is gone selects the first.
    store.WriteInt("General mixer settings", "Master Volume device", 9);
    MasterVolumePage again(system, store, nullptr);
    EXPECT_EQ(again.GetSelection(), 0);
}

TEST(MasterVolumePage, NoDevicesNoEntriesNothingStored) {
    FakeMasterVolume system;
    MemorySettingsStore store;
    MasterVolumePage page(system, store, nullptr);
    EXPECT_TRUE(page.GetEntries().empty());
    EXPECT_EQ(page.GetSelection(), -1);
    page.Apply();
    EXPECT_FALSE(store.Has("General mixer settings", "Master Volume device"));
}

TEST(MixerSettingsSheet, CancelKeepsTheEditedListButWritesNothing) {
    BoardRig rig;
    rig.master.devices = {{0, "Default", true}, {1, "USB", true}};
    MixerSettingsSheet sheet(*rig.board, rig.master, rig.store, nullptr);
    EXPECT_EQ(sheet.GetCentrePage().GetVolumes(), (std::vector<int>{100, 75, 50}));
    sheet.GetCentrePage().Add("60");
    sheet.GetCentrePage().Remove(0);
    sheet.GetMasterPage().Select(1);
    rig.master.Unbind();
    sheet.Finish(false);
    EXPECT_EQ(rig.board->GetCentreVolumes(), (std::vector<int>{75, 50, 60}));
    EXPECT_EQ(rig.board->GetCenterText(), "75% in center");
    EXPECT_FLOAT_EQ(rig.mixer->GetFaderCenterVolume(), 0.75f);
    EXPECT_FALSE(std::ifstream(rig.centreFile).good());
    EXPECT_FALSE(rig.store.Has("General mixer settings", "Master Volume device"));
    // The fader was bound again, to the device still stored.
    EXPECT_EQ(rig.master.bound, 0);
}

TEST(MixerSettingsSheet, OkWritesTheListAndTheDeviceAndRebindsTheFader) {
    BoardRig rig;
    rig.master.devices = {{0, "Default", true}, {1, "USB", true}};
    rig.master.bindableDevice = 1;
    rig.master.value = 777;
    rig.board->BindMasterFader();
    EXPECT_FALSE(rig.board->IsMasterBound());
    MixerSettingsSheet sheet(*rig.board, rig.master, rig.store, nullptr);
    sheet.GetCentrePage().Add("60");
    sheet.GetMasterPage().Select(1);
    sheet.Finish(true);
    EXPECT_EQ(ReadCentreVolumes(rig.centreFile), (std::vector<int>{100, 75, 50, 60}));
    EXPECT_EQ(rig.store.GetInt("General mixer settings", "Master Volume device", -1), 1);
    EXPECT_TRUE(rig.board->IsMasterBound());
    EXPECT_EQ(rig.board->GetMasterPosition(), 777);
    // The new entry is there to toggle to.
    for (int i = 0; i < 3; ++i)
        rig.board->ToggleFaderType();
    EXPECT_EQ(rig.board->GetCenterText(), "60% in center");
}
