// Our effect libraries as the program finds them: loaded, listed, configured and chained.
#include "audio.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DspLibrary : public ::testing::Test {
protected:
    TempFolder temp_;
};

TEST_F(DspLibrary, NativeLibrariesOfferOneDescribedEffectWithoutSettings) {
    MessageCatcher messages;
    const struct {
        const char* path;
        const char* description;
    } libraries[] = {
        {DSP_DOWNMIXER, "ZEM Stereo to mono downmixer"},
        {DSP_ECHO, "ZEM Echo (375 ms, feedback 50%)"},
        {DSP_FILTER_SWEEP, "ZEM Resonant filter sweep (300 Hz - 3 kHz, 8 s)"},
    };
    for (const auto& lib : libraries) {
        Module m = Ready(lib.path);
        ASSERT_TRUE(m) << lib.path;
        EXPECT_EQ(m->GetNumEffects(), 1);
        EXPECT_STREQ(m->GetEffectDescription(-1), lib.description);
        EXPECT_STREQ(m->GetTempModulePath(), ""); // native: no private copy
        m->ShowSettings();
    }
    ASSERT_EQ(messages.shown().size(), 3u);
    for (const auto& text : messages.shown())
        EXPECT_EQ(text, "No settings...");
    EXPECT_EQ(temp_.CopyCount(), 0u);
}

TEST_F(DspLibrary, StereoToolsOfferThreeEffectsEachAsItsOwnObject) {
    MessageCatcher messages;
    const char* expected[] = {"ZEM Stereo widener (150%)", "ZEM Gain (+6 dB)", "ZEM Channel swap"};
    // The effect chooser loads one object per offered effect.
    std::vector<Module> listed;
    for (int i = 0;; ++i) {
        Module m(LoadEffectsModule(DSP_STEREO_TOOLS));
        ASSERT_TRUE(m);
        ASSERT_TRUE(m->SetEffectIndex(i));
        listed.push_back(std::move(m));
        if (i + 1 >= listed.back()->GetNumEffects())
            break;
    }
    ASSERT_EQ(listed.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(listed[i]->GetNumEffects(), 3);
        EXPECT_STREQ(listed[i]->GetEffectDescription(-1), expected[i]);
        EXPECT_STREQ(listed[i]->GetEffectDescription(static_cast<int>(i)), expected[i]);
    }
    EXPECT_EQ(temp_.CopyCount(), 3u);
    ASSERT_TRUE(listed[0]->Init());
    listed[0]->ShowSettings();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], "No settings...");
    listed.clear();
    EXPECT_EQ(temp_.CopyCount(), 0u);
}

// Stopping an effect in one object must not stop it in another object of the same library:
// the library keeps whether an effect runs in its globals, so this holds only because each
// object has its own copy.
TEST_F(DspLibrary, TwoObjectsOfOneWinampLibraryRunIndependently) {
    Module widenA = Ready(DSP_STEREO_TOOLS, 0);
    Module widenB = Ready(DSP_STEREO_TOOLS, 0);
    Module swap = Ready(DSP_STEREO_TOOLS, 2);
    ASSERT_TRUE(widenA && widenB && swap);
    const std::string copyB = widenB->GetTempModulePath();
    EXPECT_TRUE(zem::FileExists(copyB));

    const Stereo in = {1000, 0, -400, 200};
    EXPECT_EQ(RunBlocks(widenA.get(), in), (Stereo{1250, -250, -550, 350}));
    widenB.reset(); // quits its effect
    EXPECT_FALSE(zem::FileExists(copyB));
    EXPECT_EQ(RunBlocks(widenA.get(), in), (Stereo{1250, -250, -550, 350}));
    EXPECT_EQ(RunBlocks(swap.get(), in), (Stereo{0, 1000, 200, -400}));
    EXPECT_EQ(temp_.CopyCount(), 2u);
}

// A deck's chain: down-mix, then gain, then swap, over blocks of the deck's size.
TEST_F(DspLibrary, NativeAndWinampEffectsInOneChain) {
    Module down = Ready(DSP_DOWNMIXER), gain = Ready(DSP_STEREO_TOOLS, 1),
           swap = Ready(DSP_STEREO_TOOLS, 2);
    ASSERT_TRUE(down && gain && swap);
    Stereo in(2 * 10000);
    for (size_t f = 0; f < 10000; ++f) {
        in[2 * f] = static_cast<int16_t>(f % 3000);
        in[2 * f + 1] = static_cast<int16_t>(-static_cast<int>(f % 1000));
    }
    const Stereo out = RunBlocks({down.get(), gain.get(), swap.get()}, in);
    ASSERT_EQ(out.size(), in.size());
    for (size_t f = 0; f < 10000; ++f) {
        const int mono = (in[2 * f] + in[2 * f + 1]) / 2;
        ASSERT_EQ(out[2 * f], 2 * mono) << f;
        ASSERT_EQ(out[2 * f + 1], 2 * mono) << f;
    }
}

} // namespace
