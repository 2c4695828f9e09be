// The master fader on the system's own mixer, as far as this machine has one.
#include "app/decks/mixer_board/alsa_master_volume.h"

#include <gtest/gtest.h>

using namespace zem::board;

TEST(AlsaMasterVolume, DevicesThatDoNotExistBindNothing) {
    AlsaMasterVolume volume;
    const size_t devices = volume.ListDevices().size();
    EXPECT_FALSE(volume.Bind(-1));
    EXPECT_FALSE(volume.Bind(static_cast<int>(devices) + 5));
    EXPECT_FALSE(volume.IsBound());
    EXPECT_EQ(volume.GetMinimum(), 0);
    EXPECT_EQ(volume.GetMaximum(), 0);
    EXPECT_EQ(volume.GetValue(), 0);
    volume.SetValue(1000); // ignored
    EXPECT_EQ(AlsaMasterVolume::ControlName(-3), "");
    EXPECT_EQ(AlsaMasterVolume::ControlName(static_cast<int>(devices) + 1), "");
    if (devices > 0) {
        EXPECT_EQ(AlsaMasterVolume::ControlName(0), "default");
    }
}

TEST(AlsaMasterVolume, WithoutACardThereIsNoControl) {
    AlsaMasterVolume volume;
    if (!volume.ListDevices().empty())
        GTEST_SKIP() << "this machine has a sound card";
    EXPECT_EQ(AlsaMasterVolume::ControlName(0), "");
    EXPECT_FALSE(volume.Bind(0));
    EXPECT_FALSE(volume.IsBound());
    volume.Unbind();
    EXPECT_FALSE(volume.Bind(0)); // again, after a failed one
}

TEST(AlsaMasterVolume, ABoundControlKeepsItsRange) {
    AlsaMasterVolume volume;
    if (!volume.Bind(0))
        GTEST_SKIP() << "no master control on this machine";
    EXPECT_LE(volume.GetMinimum(), volume.GetMaximum());
    const long before = volume.GetValue();
    EXPECT_GE(before, volume.GetMinimum());
    EXPECT_LE(before, volume.GetMaximum());
    volume.SetValue(before); // leave the user's level as it was
    EXPECT_EQ(volume.GetValue(), before);
}
