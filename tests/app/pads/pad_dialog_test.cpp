// The pads' dialog on the offscreen platform over a real mixer: adding, applying, the test
// preview (its second press stops it with stop-if-playing), removing, and the empty test.
#include "../../engine/mixer/song_file.h"
#include "../../platform/test_dir.h"
#include "app/pads/pad_dialog.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/mixer/mixer.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace zem::pads;

namespace {

struct Host : PadHost {
    std::vector<std::string> messages;
    int registered = 0;
    void RegisterPadCommand(uint16_t, const std::string&) override { ++registered; }
    void UnregisterPadCommand(uint16_t) override { --registered; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

} // namespace

TEST(PadDialog, AddApplyPreviewAndRemove) {
    TestDir dir;
    const std::string profile = dir.file("ZEM.ini");
    std::ofstream(profile) << "[Playback]\nTiming Method=1\n";
    setenv("ZEM_PROFILE", profile.c_str(), 1);
    OutputDevice::SetGeneralConfigPath(dir.path().c_str());
    auto mixer = std::make_unique<Mixer>(nullptr);
    mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
    std::string module = ZEM_IN_SNDFILE;
    ASSERT_EQ(mixer->AddInputBufferModule(module.data()), 1);
    Host host;
    {
        CPadTable pads(*mixer, host);
        const std::string song = dir.file("bell.wav");
        ASSERT_TRUE(WriteToneWav(song, 0.5));
        PadDialogHooks hooks;
        hooks.keyText = [](uint16_t command) { return command == 33000 ? "F5" : ""; };
        PadDialog dialog(pads, *mixer, host, hooks);
        dialog.AddFile(song);
        auto* list = dialog.findChild<QListWidget*>("pads");
        auto* volume = dialog.findChild<QSlider*>("volume");
        auto* stop = dialog.findChild<QCheckBox*>("stopIfPlaying");
        ASSERT_TRUE(list && volume && stop);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "bell.wav");
        EXPECT_EQ(volume->value(), 10000);
        EXPECT_EQ(host.registered, 1);

        volume->setValue(4500);
        stop->setChecked(true);
        dialog.Apply();
        EXPECT_EQ(pads.Pads()[0].volume, 45);
        EXPECT_EQ(pads.Pads()[0].stopIfPlaying, 1);

        dialog.Test();
        ASSERT_NE(dialog.Preview(), nullptr);
        EXPECT_TRUE(dialog.Preview()->IsPlaying());
        EXPECT_EQ(dialog.Preview()->GetVolume(kVChannel0), 45);
        EXPECT_EQ(mixer->GetNumEffects(), 2);
        dialog.Test(); // stop-if-playing: the second press only stops it
        EXPECT_EQ(dialog.Preview(), nullptr);
        EXPECT_EQ(mixer->GetNumEffects(), 1);

        dialog.RemoveSelected();
        EXPECT_EQ(list->count(), 0);
        EXPECT_EQ(host.registered, 0);
        dialog.Test();
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], kNoPadToPlayText);
    }
    mixer.reset();
    unsetenv("ZEM_PROFILE");
}
