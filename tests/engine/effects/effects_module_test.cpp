// The effect object operations as a deck and the effect dialogs call them, on libraries that
// count their calls and change the number of frames.
#include "effects_test_support.h"
#include "engine/effects/effects_module.h"
#include "engine/effects/effects_module_winamp.h"
#include "platform/library.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The Winamp copies go to a folder of the test's own.
class EffectModule : public ::testing::Test {
    TempFolder temp_;
};

using Module = std::unique_ptr<DLLEffectsModule>;
using Calls = int (*)(int);
enum { kInits, kQuits, kThird };

Calls CallsOf(const DLLEffectsModule& m) {
    return reinterpret_cast<Calls>(zem::GetLibrarySymbol(m.GetInstance(), "fx_test_calls"));
}

// A block the way the deck sizes it: room for twice the output block, frames numbered so that
// every move of a frame shows.
struct Block {
    explicit Block(uint32_t blockBytes) : samples(blockBytes / 2 * 2) {}
    void Number(uint32_t frames) {
        for (uint32_t f = 0; f < frames; ++f) {
            samples[2 * f] = static_cast<int16_t>(f);
            samples[2 * f + 1] = static_cast<int16_t>(-static_cast<int>(f));
        }
    }
    std::vector<int16_t> samples;
};

TEST_F(EffectModule, NativeOneEffectWithTheRecordsDescription) {
    Module m(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->GetNumEffects(), 1);
    EXPECT_EQ(m->GetEffectIndex(), 0);
    EXPECT_TRUE(m->SetEffectIndex(5));
    EXPECT_EQ(m->GetEffectIndex(), 0);
    EXPECT_STREQ(m->GetEffectDescription(-1), "Test frame over-report");
    EXPECT_STREQ(m->GetEffectDescription(3), "Test frame over-report");
}

TEST_F(EffectModule, NativeQuitOnlyWhenInitialisedAndSettingsMessage) {
    MessageCatcher messages;
    Module listed(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(listed);
    // Keep the library loaded across both objects so the counters carry over.
    zem::LibraryHandle keep = zem::LoadLibraryPath(FX_NATIVE_OVERREPORT);
    Calls calls = CallsOf(*listed);
    ASSERT_TRUE(calls);
    const int quitsBefore = calls(kQuits);
    listed.reset(); // never initialised: not quit
    EXPECT_EQ(calls(kQuits), quitsBefore);

    Module running(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(running);
    const int initsBefore = calls(kInits);
    EXPECT_TRUE(running->Init());
    EXPECT_EQ(calls(kInits), initsBefore + 1);
    WAVEFORMATEX format = StereoFormat();
    EXPECT_TRUE(running->SetFormat(&format, 15000));
    EXPECT_EQ(calls(4), 15000);
    EXPECT_TRUE(running->Reset());
    running->ShowSettings();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], "No settings...");
    running.reset();
    EXPECT_EQ(calls(kQuits), quitsBefore + 1);
    zem::FreeLibraryHandle(keep);
}

// However many frames a module claims, the deck is never told of more than its block holds.
TEST_F(EffectModule, NativeOverreportedFramesAreCutToTheDecksBlock) {
    Module m(LoadEffectsModule(FX_NATIVE_OVERREPORT));
    ASSERT_TRUE(m);
    m->Init();
    uint32_t frames = 100;
    Block block(400);
    EXPECT_EQ(m->ProcessSamples(block.samples.data(), frames), 100u); // no block size yet
    EXPECT_EQ(frames, 100u);

    WAVEFORMATEX format = StereoFormat();
    ASSERT_TRUE(m->SetFormat(&format, 400)); // 100 frames, room for 200
    frames = 100;
    EXPECT_EQ(m->ProcessSamples(block.samples.data(), frames), 200u);
    EXPECT_EQ(frames, 200u);
    EXPECT_LE(frames * format.nBlockAlign, 2 * 400u);
}

TEST_F(EffectModule, WinampListsEveryModuleAndSelects) {
    Module m(LoadEffectsModule(FX_FRAMES_WINAMP));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->GetNumEffects(), 4);
    EXPECT_EQ(m->GetEffectIndex(), -1);
    EXPECT_STREQ(m->GetEffectDescription(-1), "Drop every second frame"); // none selected
    EXPECT_STREQ(m->GetEffectDescription(1), "Repeat every frame");
    EXPECT_STREQ(m->GetEffectDescription(3), "Negative count");
    EXPECT_EQ(m->GetEffectDescription(4), nullptr);
    EXPECT_EQ(m->GetEffectDescription(-2), nullptr);
    EXPECT_TRUE(m->SetEffectIndex(2));
    EXPECT_STREQ(m->GetEffectDescription(-1), "Claim ten times");
    EXPECT_FALSE(m->SetEffectIndex(4));
    EXPECT_FALSE(m->SetEffectIndex(-2));
    EXPECT_EQ(m->GetEffectIndex(), 2);
}

TEST_F(EffectModule, WinampInitFillsTheHostFieldsAndQuitsOnChangeResetAndDelete) {
    MessageCatcher messages;
    int window = 0;
    DLLEffectsModule_WinAMP::SetMainWindow(&window);
    Module m(LoadEffectsModule(FX_FRAMES_WINAMP));
    ASSERT_TRUE(m);
    Calls calls = CallsOf(*m);
    auto handles = reinterpret_cast<void* (*)(int)>(
        zem::GetLibrarySymbol(m->GetInstance(), "fx_test_handles"));
    ASSERT_TRUE(calls && handles);

    EXPECT_FALSE(m->Init()); // nothing selected
    EXPECT_FALSE(m->Reset());
    EXPECT_EQ(calls(kInits), 0);
    m->ShowSettings(); // nothing running
    ASSERT_TRUE(m->SetEffectIndex(0));
    ASSERT_TRUE(m->Init());
    EXPECT_EQ(handles(0), &window);
    EXPECT_EQ(handles(1), m->GetInstance());
    m->ShowSettings();
    EXPECT_EQ(calls(kThird), 1); // its Config
    EXPECT_TRUE(m->Reset());
    EXPECT_EQ(calls(kInits), 2);
    EXPECT_EQ(calls(kQuits), 1);
    ASSERT_TRUE(m->SetEffectIndex(1)); // stops the running one
    EXPECT_EQ(calls(kQuits), 2);
    ASSERT_TRUE(m->Init());
    m->ShowSettings(); // module 1 has no Config
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0], "No settings...");
    EXPECT_EQ(messages.shown()[1], "No settings...");

    // Quit is called before the copy is released: the count is read through a second handle.
    zem::LibraryHandle keep = zem::LoadLibraryPath(m->GetTempModulePath());
    m.reset();
    EXPECT_EQ(calls(kQuits), 3);
    zem::FreeLibraryHandle(keep);
    DLLEffectsModule_WinAMP::SetMainWindow(nullptr);
}

Module Ready(int index, uint32_t blockBytes) {
    Module m(LoadEffectsModule(FX_FRAMES_WINAMP));
    if (!m || !m->SetEffectIndex(index) || !m->Init())
        return nullptr;
    WAVEFORMATEX format = StereoFormat();
    if (!m->SetFormat(&format, blockBytes))
        return nullptr;
    return m;
}

TEST_F(EffectModule, WinampChainChangesFrameCountsInsideTheDecksBlock) {
    constexpr uint32_t kBlockBytes = 4000; // 1000 frames, room for 2000
    Module halve = Ready(0, kBlockBytes), twice = Ready(1, kBlockBytes);
    Module claim = Ready(2, kBlockBytes), negative = Ready(3, kBlockBytes);
    ASSERT_TRUE(halve && twice && claim && negative);
    Block block(kBlockBytes);

    // Halving 1000 numbered frames keeps the even ones; doubling then repeats each of them.
    block.Number(1000);
    uint32_t frames = 1000;
    EXPECT_EQ(halve->ProcessSamples(block.samples.data(), frames), 500u);
    EXPECT_EQ(twice->ProcessSamples(block.samples.data(), frames), 1000u);
    EXPECT_EQ(frames, 1000u);
    for (uint32_t f = 0; f < frames; ++f) {
        ASSERT_EQ(block.samples[2 * f], static_cast<int16_t>(f / 2 * 2)) << f;
        ASSERT_EQ(block.samples[2 * f + 1], -static_cast<int16_t>(f / 2 * 2)) << f;
    }
    // Doubling a full block fills the room exactly.
    EXPECT_EQ(twice->ProcessSamples(block.samples.data(), frames), 2000u);

    frames = 300;
    EXPECT_EQ(claim->ProcessSamples(block.samples.data(), frames), 600u); // twice at most
    frames = 1500;
    EXPECT_EQ(claim->ProcessSamples(block.samples.data(), frames), 2000u); // the block's room
    frames = 300;
    EXPECT_EQ(negative->ProcessSamples(block.samples.data(), frames), 0u);
    EXPECT_EQ(frames, 0u);
}

TEST_F(EffectModule, WinampNotRunningPassesTheBlockThrough) {
    Module m(LoadEffectsModule(FX_FRAMES_WINAMP));
    ASSERT_TRUE(m);
    ASSERT_TRUE(m->SetEffectIndex(0));
    Block block(400);
    block.Number(100);
    const std::vector<int16_t> before = block.samples;
    uint32_t frames = 100;
    EXPECT_EQ(m->ProcessSamples(block.samples.data(), frames), 100u);
    EXPECT_EQ(block.samples, before);
}

} // namespace
