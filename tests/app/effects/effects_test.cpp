// The effect chooser, a deck's effect list and the global DSP list over the real plug-ins in
// the test's plug-in folder, as logic and as dialogs on the offscreen platform.
#include "app/effects/deck_effects_dialog.h"
#include "app/effects/effect_chooser_dialog.h"
#include "engine/deck/mixer_device.h"
#include "engine/effects/effects_module.h"
#include "engine/effects/global_dsp_list.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/user_interface.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace zem::effects;

namespace {

const char kEcho[] = "ZEM Echo (375 ms, feedback 50%)";
const char kWiden[] = "ZEM Stereo widener (150%)";
const char kGain[] = "ZEM Gain (+6 dB)";
const char kSwap[] = "ZEM Channel swap";

std::vector<std::string> g_messages;

std::string Plugin(const char* name) {
    return std::string(ZEM_GetZEMPath(2)) + "/" + name;
}

std::string EchoPath() {
    return Plugin("ZEM_DSP_Echo.so");
}

std::string StereoPath() {
    return Plugin("dsp_ZEM_StereoTools.so");
}

// A module as the chooser would hand it over: loaded, with an effect selected.
DLLEffectsModule* Loaded(const std::string& path, int index) {
    DLLEffectsModule* module = LoadEffectsModule(path.c_str());
    EXPECT_NE(module, nullptr) << path;
    if (module)
        module->SetEffectIndex(index);
    return module;
}

class Effects : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        ZEM_SetUserInterfaceHooks(
            {[](const char* text) { g_messages.emplace_back(text); }, nullptr, nullptr});
        WriteGlobalDSPList({});
    }
    void TearDown() override {
        ZEM_SetUserInterfaceHooks({});
        WriteGlobalDSPList({});
    }
};

std::vector<std::string> Texts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(list->item(i)->text().toStdString());
    return texts;
}

} // namespace

TEST_F(Effects, ChooserOffersEveryEffectWithAModuleOfItsOwn) {
    DLLEffectsModule* chosen = nullptr;
    {
        EffectChooser chooser(ZEM_GetZEMPath(2));
        const auto& entries = chooser.GetEntries();
        ASSERT_EQ(entries.size(), 4u);
        std::vector<std::string> texts;
        for (const auto& e : entries)
            texts.push_back(e.text);
        EXPECT_EQ(texts, (std::vector<std::string>{kEcho, kWiden, kGain, kSwap}));
        EXPECT_NE(entries[1].module, entries[3].module);
        EXPECT_EQ(chooser.GetSelection(), 0);
        EXPECT_EQ(chooser.GetFileName(), "ZEM_DSP_Echo.so");
        chooser.Select(3);
        EXPECT_EQ(chooser.GetFileName(), "dsp_ZEM_StereoTools.so");
        chosen = chooser.Finish(true);
    }
    // The chosen module outlives the chooser; the others went with it.
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->GetEffectIndex(), 2);
    EXPECT_STREQ(chosen->GetEffectDescription(-1), kSwap);
    delete chosen;
    EXPECT_TRUE(g_messages.empty()) << "files that are no plug-in are skipped silently";

    EffectChooser cancelled(ZEM_GetZEMPath(2));
    EXPECT_EQ(cancelled.Finish(false), nullptr);
    EffectChooser empty(ZEM_GetZEMPath(3));
    EXPECT_EQ(empty.GetSelection(), -1);
    EXPECT_EQ(empty.GetFileName(), "");
    EXPECT_EQ(empty.Finish(true), nullptr);
}

TEST_F(Effects, DeckListShowsGlobalEffectsAddsAndRemoves) {
    MixerDevice deck;
    ASSERT_TRUE(deck.LoadDSPEffect(StereoPath().data(), 1, true));
    DeckEffectList list(deck, [] { return Loaded(EchoPath(), 0); });
    ASSERT_EQ(list.GetEntries().size(), 1u);
    EXPECT_EQ(list.GetEntries()[0].text, std::string(kGain) + " (Global)");
    EXPECT_EQ(list.GetFileName(), "dsp_ZEM_StereoTools.so");

    ASSERT_TRUE(list.Add());
    ASSERT_EQ(deck.GetDSPEffects().size(), 2u);
    EXPECT_FALSE(deck.GetDSPEffects()[1]->GetGlobalStatus());
    ASSERT_EQ(list.GetEntries().size(), 2u);
    EXPECT_EQ(list.GetEntries()[1].text, kEcho);

    list.Select(1);
    list.Settings();
    EXPECT_EQ(g_messages, std::vector<std::string>{kNoSettingsMessage});

    list.Select(0);
    ASSERT_TRUE(list.Remove());
    ASSERT_EQ(deck.GetDSPEffects().size(), 1u);
    EXPECT_STREQ(deck.GetDSPEffects()[0]->GetEffectDescription(-1), kEcho);
    ASSERT_TRUE(list.Remove());
    EXPECT_TRUE(deck.GetDSPEffects().empty());
    EXPECT_TRUE(list.GetEntries().empty());
    EXPECT_EQ(list.GetFileName(), "");
    EXPECT_FALSE(list.Remove());

    DeckEffectList cancelled(deck, [] { return nullptr; });
    EXPECT_FALSE(cancelled.Add());
    EXPECT_TRUE(deck.GetDSPEffects().empty());
}

TEST_F(Effects, GlobalListDropsWhatNoLongerLoadsAndWritesInOrder) {
    ASSERT_TRUE(WriteGlobalDSPList({{EchoPath(), 0},
                                    {Plugin("gone.so"), 0},
                                    {StereoPath(), 2},
                                    {StereoPath(), 7},
                                    {EchoPath(), 3}}));
    GlobalDSPList list([] { return Loaded(StereoPath(), 1); });
    ASSERT_EQ(list.GetEntries().size(), 2u);
    EXPECT_EQ(list.GetEntries()[0].description, kEcho);
    EXPECT_EQ(list.GetEntries()[1].description, kSwap);
    EXPECT_EQ(list.GetFileName(), "ZEM_DSP_Echo.so");

    ASSERT_TRUE(list.Add());
    ASSERT_EQ(list.GetEntries().size(), 3u);
    EXPECT_EQ(list.GetEntries()[2].description, kGain);
    list.Select(0);
    ASSERT_TRUE(list.Remove());
    ASSERT_TRUE(list.Apply());
    EXPECT_EQ(ReadGlobalDSPList(),
              (std::vector<GlobalDSPEntry>{{StereoPath(), 2}, {StereoPath(), 1}}));

    list.Settings(); // loads the selected effect on its own; it has no settings
    EXPECT_EQ(g_messages, std::vector<std::string>{kNoSettingsMessage});

    // A deck opened now loads the list as global effects.
    MixerDevice deck;
    deck.LoadGlobalDSPEffects();
    ASSERT_EQ(deck.GetDSPEffects().size(), 2u);
    EXPECT_TRUE(deck.GetDSPEffects()[1]->GetGlobalStatus());
    EXPECT_STREQ(deck.GetDSPEffects()[1]->GetEffectDescription(-1), kGain);
}

TEST_F(Effects, ChooserDialogHandsOverTheSelectedEffectOnOkOnly) {
    auto dialog = std::make_unique<CEffectChooserDialog>();
    auto* list = dialog->findChild<QListWidget*>("effects");
    auto* file = dialog->findChild<QLineEdit*>("fileName");
    ASSERT_TRUE(list && file);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(file->text(), "ZEM_DSP_Echo.so");
    list->setCurrentRow(1);
    EXPECT_EQ(file->text(), "dsp_ZEM_StereoTools.so");
    dialog->accept();
    std::unique_ptr<DLLEffectsModule> chosen(dialog->GetChosenModule());
    dialog.reset();
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen->GetEffectDescription(-1), kWiden);

    CEffectChooserDialog cancelled;
    cancelled.reject();
    EXPECT_EQ(cancelled.GetChosenModule(), nullptr);
}

TEST_F(Effects, DeckDialogButtonsChangeTheChain) {
    MixerDevice deck;
    CDeckEffectsDialog dialog(deck, nullptr, [] { return Loaded(StereoPath(), 2); });
    auto* list = dialog.findChild<QListWidget*>("effects");
    auto* file = dialog.findChild<QLineEdit*>("fileName");
    ASSERT_TRUE(list && file);
    EXPECT_EQ(list->count(), 0);
    dialog.findChild<QPushButton*>("add")->click();
    EXPECT_EQ(Texts(list), std::vector<std::string>{kSwap});
    EXPECT_EQ(file->text(), "dsp_ZEM_StereoTools.so");
    ASSERT_EQ(deck.GetDSPEffects().size(), 1u);
    dialog.findChild<QPushButton*>("remove")->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(file->text(), "");
    EXPECT_TRUE(deck.GetDSPEffects().empty());
}
