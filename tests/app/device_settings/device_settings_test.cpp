// The device settings pages without a display: how values are read, checked and stored, over a
// memory profile and over the real profile file, and a deck opened after the sheet's Apply.
#include "../../engine/mixer/mixer_rig.h"
#include "../../engine/mixer/song_file.h"
#include "../framework/memory_profile.h"
#include "app/decks/app_context.h"
#include "app/device_settings/device_settings.h"
#include "engine/deck/mixer_device.h"
#include "engine/effects/effects_module.h"
#include "engine/mixer/deck_document.h"
#include "platform/number_text.h"
#include "platform/profile.h"
#include "platform/ui_hooks.h"

#include <clocale>

using namespace zem::settings;
using zem::FormatFixed;
using zem::FormatSignificant;
using zem::ParseInt;
using zem::ParseReal;

namespace {

std::vector<std::string> g_messages;

constexpr int kPitch = 0, kJog = 1, kPlayback = 3, kOnOpen = 4, kBuffering = 6;

struct Rig : MixerRig {
    MemoryProfile memory;
    DeviceSettings settings{memory, *mixer, nullptr};

    Rig() { Hooks(); }
    ~Rig() { zem::SetUiHooks({}); }
    static void Hooks() {
        g_messages.clear();
        zem::SetUiHooks({[](const char* t) { g_messages.emplace_back(t); }, nullptr, nullptr});
    }
    Field& At(int page, const char* key) { return *settings.FieldsPage(page)->Find(key); }
    std::string Stored(const char* section, const char* key) {
        return memory.GetProfileString(section, key, "(none)");
    }
};

} // namespace

TEST(NumberText, FourDigitsPointsAndStrictParsing) {
    EXPECT_EQ(FormatSignificant(0.15, 4), "0.15");
    EXPECT_EQ(FormatSignificant(0.123456, 4), "0.1235");
    EXPECT_EQ(FormatSignificant(0.0006, 4), "0.0006");
    EXPECT_EQ(FormatFixed(0.1), "0.100000");
    EXPECT_EQ(ParseReal(" 7.5 "), 7.5);
    EXPECT_EQ(ParseReal(".75"), 0.75);
    EXPECT_EQ(ParseReal("+3"), 3.0);
    for (const char* bad : {"", "  ", "abc", "1.5x", "1,5", "1e999", "nan", "inf", "+-1"})
        EXPECT_FALSE(ParseReal(bad)) << bad;
    EXPECT_EQ(ParseInt("-42"), -42);
    for (const char* bad : {"", "4.5", "x1", "99999999999"})
        EXPECT_FALSE(ParseInt(bad)) << bad;
}

TEST(DeviceSettings, FreshProfileShowsTheDefaultsAndStoresThem) {
    Rig rig;
    EXPECT_EQ(rig.At(kPitch, "Pitch change").text, "15");
    EXPECT_EQ(rig.At(kPitch, "Fine Pitch change").text, "0.06");
    EXPECT_EQ(rig.At(kPitch, "Pitch fade time2").text, "0.75");
    EXPECT_EQ(rig.At(kJog, "Pitch Sensitivity").text, "500");
    // New decks go to cue 0 with headphone cue and equalizer on, and no equalizer window.
    EXPECT_EQ(rig.At(kOnOpen, "On open goto cue 0").value, 1);
    EXPECT_EQ(rig.At(kOnOpen, "On open headphone cue").value, 1);
    EXPECT_EQ(rig.At(kOnOpen, "EQ Enabled on load").value, 1);
    EXPECT_EQ(rig.At(kOnOpen, "On open load EQ").value, 0);
    EXPECT_EQ(rig.At(kPlayback, "Timing Method").value, 1);
    EXPECT_EQ(rig.At(kBuffering, "Buffer size").text, "1500");

    ASSERT_TRUE(rig.settings.Apply());
    EXPECT_EQ(rig.Stored("General device settings", "Pitch change"), "0.15");
    EXPECT_EQ(rig.Stored("General device settings", "Finer Pitch change"), "0.0003");
    EXPECT_EQ(rig.Stored("General device settings", "Pitch fade time2"), "0.75");
    EXPECT_EQ(rig.Stored("Playback", "Loop amount"), "0.100000");
    EXPECT_EQ(rig.Stored("Equalizer", "Auto-load default"), "1");
    EXPECT_EQ(rig.Stored("Playback", "Block size (k)"), "60");
    EXPECT_TRUE(g_messages.empty());
}

TEST(DeviceSettings, StoresPercentsAsFractionsWithFourDigits) {
    Rig rig;
    rig.At(kPitch, "Pitch change").text = "12.3456";
    rig.At(kPitch, "Bend change").text = "15";
    rig.At(kPitch, "Bend change time").text = "1.23456";
    rig.At(kPlayback, "Loop amount").text = "0.25";
    // Writing must not follow the user's locale, whatever it is.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    ASSERT_TRUE(rig.settings.Apply());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(rig.Stored("General device settings", "Pitch change"), "0.1235");
    EXPECT_EQ(rig.Stored("General device settings", "Bend change"), "0.15");
    EXPECT_EQ(rig.Stored("General device settings", "Bend change time"), "1.235");
    EXPECT_EQ(rig.Stored("Playback", "Loop amount"), "0.250000");
}

TEST(DeviceSettings, BadValuesKeepThePageAndWriteNothing) {
    Rig rig;
    const char* const range = "Please enter a number between 0 and 100.";
    for (const char* bad : {"101", "-0.5", "abc", "", "1e400"}) {
        rig.At(kPitch, "Pitch change").text = bad;
        EXPECT_FALSE(rig.settings.LeavePage(kPitch)) << bad;
        int page = -1;
        EXPECT_FALSE(rig.settings.Apply(&page)) << bad;
        EXPECT_EQ(page, kPitch);
    }
    EXPECT_EQ(g_messages.size(), 10u);
    EXPECT_EQ(g_messages.back(), range);
    rig.At(kPitch, "Pitch change").text = "100";
    EXPECT_TRUE(rig.settings.LeavePage(kPitch));

    g_messages.clear();
    rig.At(kBuffering, "Block size (k)").text = "12.5";
    int page = -1;
    EXPECT_FALSE(rig.settings.Apply(&page));
    EXPECT_EQ(page, kBuffering);
    EXPECT_EQ(g_messages, std::vector<std::string>{"Please enter an integer between 0 and 1000."});
    rig.At(kJog, "Position Sensitivity").text = "-10001";
    EXPECT_FALSE(rig.settings.Apply(&page));
    EXPECT_EQ(page, kJog);
    EXPECT_TRUE(rig.memory.values.empty());
    EXPECT_TRUE(rig.settings.LeavePage(2)) << "the DSP page has nothing to check";
}

TEST(DeviceSettings, TimingRadiosAndPrioritySlider) {
    Rig rig;
    rig.memory.WriteProfileInt("Playback", "Timing Method", 0);
    rig.memory.WriteProfileInt("Playback", "Priority", 7);
    DeviceSettings reread(rig.memory, *rig.mixer, nullptr);
    EXPECT_EQ(reread.FieldsPage(kPlayback)->Find("Timing Method")->value, 0);
    EXPECT_EQ(reread.FieldsPage(kPlayback)->Find("Priority")->value, 3);
    ASSERT_TRUE(reread.Apply());
    EXPECT_EQ(rig.Stored("Playback", "Priority"), "3");
    EXPECT_EQ(rig.Stored("Playback", "Timing Method"), "0");
}

TEST(DeviceSettings, RealProfileKeysIgnoreCase) {
    Rig rig; // its profile file holds "Timing Method=2"
    ProgramProfile profile;
    DeviceSettings settings(profile, *rig.mixer, nullptr);
    settings.FieldsPage(kPlayback)->Find("Goto Cue 0 on stop")->value = 1;
    EXPECT_EQ(settings.FieldsPage(kPlayback)->Find("Timing Method")->value, 2);
    ASSERT_TRUE(settings.Apply());
    EXPECT_EQ(zem::profile::GetInt("Playback", "Goto Cue 0 on Stop", 0), 1);
    // Neither radio button stood for 2, so the stored method stays.
    EXPECT_EQ(zem::profile::GetInt("Playback", "Timing Method", -1), 2);
    DeviceSettings again(profile, *rig.mixer, nullptr);
    EXPECT_EQ(again.FieldsPage(kPlayback)->Find("Goto Cue 0 on stop")->value, 1);
}

TEST(DeviceSettings, ANewDeckUsesTheBlockSizeSetOnTheSheet) {
    Rig rig;
    std::string module = ZEM_IN_SNDFILE;
    ASSERT_EQ(rig.mixer->AddInputBufferModule(module.data()), 1);
    ProgramProfile profile;
    DeviceSettings settings(profile, *rig.mixer, nullptr);
    settings.FieldsPage(kBuffering)->Find("Block size (k)")->text = "8";
    ASSERT_TRUE(settings.Apply());

    const std::string song = rig.dir.file("block_song.wav");
    ASSERT_TRUE(WriteToneWav(song, 1.0));
    DeckDocument doc(*rig.mixer, nullptr);
    ASSERT_TRUE(doc.OpenDocument(song.c_str()));
    ASSERT_NE(doc.GetDevice(), nullptr);
    EXPECT_EQ(doc.GetDevice()->GetOutputBlockSize(), 8u * 1024u);
    doc.Eject(false);

    // The registered module is listed by file name; it has no settings of its own, which the
    // temporary buffer's settings call reports.
    InputPluginsPage& inputs = settings.InputPlugins();
    ASSERT_EQ(inputs.GetEntries().size(), 1u);
    EXPECT_EQ(inputs.GetEntries()[0].fileName, "ZEM_IN_SndFile.so");
    EXPECT_EQ(inputs.GetEntries()[0].typeName, "ZEM Plugin");
    EXPECT_FALSE(inputs.GetDescription().empty());
    g_messages.clear();
    inputs.Configure();
    inputs.About();
    EXPECT_EQ(g_messages, (std::vector<std::string>{kNoSettingsMessage, kNoSettingsMessage}));
}
