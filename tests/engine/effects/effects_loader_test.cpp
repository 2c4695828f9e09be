// What the loader makes of libraries that are not effects it can run, and how it hands out
// private copies of Winamp DSP libraries.
#include "effects_test_support.h"
#include "engine/effects/effects_module.h"
#include "platform/library.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Module = std::unique_ptr<DLLEffectsModule>;

TEST(LoadEffectsModule, RefusesWhatIsNoEffectLibrary) {
    TempFolder temp;
    MessageCatcher messages;
    EXPECT_EQ(LoadEffectsModule(FX_NOT_PLUGIN), nullptr);
    EXPECT_EQ(LoadEffectsModule("/no/such/effect.so"), nullptr);
    EXPECT_EQ(LoadEffectsModule(""), nullptr);
    EXPECT_EQ(LoadEffectsModule(nullptr), nullptr);

    TestDir dir; // a file that is no library at all
    const std::string text = dir.file("notes.so");
    ASSERT_TRUE(zem::CopyFileOverwrite(__FILE__, text));
    EXPECT_EQ(LoadEffectsModule(text.c_str()), nullptr);

    // A path too long to keep would later name a different file.
    const std::string longPath = "/" + std::string(300, 'a') + ".so";
    EXPECT_EQ(LoadEffectsModule(longPath.c_str()), nullptr);

    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(temp.CopyCount(), 0u);
}

TEST(LoadEffectsModule, OldSdkLibraryIsRefusedWithTheUpgradeMessage) {
    TempFolder temp;
    MessageCatcher messages;
    EXPECT_EQ(LoadEffectsModule(FX_OLD_SDK), nullptr);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], std::string("It appears\n\n") + FX_OLD_SDK +
                                       "\n\n was written for a previous version of ZEM.\n"
                                       "Please contact the author of this plugin and let him "
                                       "know a newer SDK is available.");
}

TEST(LoadEffectsModule, WinampLibraryWithoutModulesLeavesNothingBehind) {
    TempFolder temp;
    EXPECT_EQ(LoadEffectsModule(FX_NO_MODULES), nullptr);
    EXPECT_EQ(temp.CopyCount(), 0u);
}

TEST(LoadEffectsModule, EachWinampObjectRunsFromItsOwnCopyDeletedWithIt) {
    TempFolder temp;
    Module a(LoadEffectsModule(FX_FRAMES_WINAMP));
    Module b(LoadEffectsModule(FX_FRAMES_WINAMP));
    ASSERT_TRUE(a && b);
    EXPECT_STREQ(a->GetModulePath(), FX_FRAMES_WINAMP);
    EXPECT_STREQ(b->GetModulePath(), FX_FRAMES_WINAMP);
    const std::string copyA = a->GetTempModulePath(), copyB = b->GetTempModulePath();
    EXPECT_NE(copyA, copyB);
    EXPECT_EQ(copyA.rfind(temp.path() + "/ZEM", 0), 0u);
    EXPECT_TRUE(zem::FileExists(copyA));
    EXPECT_TRUE(zem::FileExists(copyB));
    EXPECT_EQ(temp.CopyCount(), 2u);
    EXPECT_NE(a->GetInstance(), b->GetInstance());

    // The copies' globals are their own: starting one effect is not seen by the other.
    using Calls = int (*)(int);
    auto callsA = reinterpret_cast<Calls>(zem::GetLibrarySymbol(a->GetInstance(), "fx_test_calls"));
    auto callsB = reinterpret_cast<Calls>(zem::GetLibrarySymbol(b->GetInstance(), "fx_test_calls"));
    ASSERT_TRUE(callsA && callsB);
    ASSERT_TRUE(a->SetEffectIndex(0));
    ASSERT_TRUE(a->Init());
    EXPECT_EQ(callsA(0), 1);
    EXPECT_EQ(callsB(0), 0);

    a.reset();
    EXPECT_FALSE(zem::FileExists(copyA));
    EXPECT_TRUE(zem::FileExists(copyB));
    b.reset();
    EXPECT_FALSE(zem::FileExists(copyB));
    EXPECT_EQ(temp.CopyCount(), 0u);
}

TEST(LoadEffectsModule, NativeLibraryIsLoadedInPlace) {
    TempFolder temp;
    Module m(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(m);
    EXPECT_STREQ(m->GetTempModulePath(), "");
    EXPECT_EQ(temp.CopyCount(), 0u);
    EXPECT_STREQ(m->GetModulePath(), FX_NATIVE_OVERREPORT);
    EXPECT_TRUE(m->GetConstantInBlocksize());
    EXPECT_TRUE(m->GetConstantOutBlocksize());
    EXPECT_FALSE(m->GetGlobalStatus());
    m->SetGlobalStatus(true);
    EXPECT_TRUE(m->GetGlobalStatus());
}

TEST(FreeEffectsModule, ReleasesTheLibraryOnce) {
    Module m(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(m);
    EXPECT_NE(m->GetInstance(), nullptr);
    FreeEffectsModule(m.get());
    EXPECT_EQ(m->GetInstance(), nullptr);
    FreeEffectsModule(nullptr);
    // Destroying it now must not release the library a second time.
    m.reset();
}

} // namespace
