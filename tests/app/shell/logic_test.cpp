// The shell's plain logic without a display: the start-up and shutdown order, the profile keys
// with their defaults and with damaged values, the files recorded at exit, the command line and
// what a text drop opens.
#include "../framework/memory_profile.h"
#include "app/shell/command_line.h"
#include "app/shell/shell_settings.h"
#include "app/shell/startup_sequence.h"
#include "platform/thread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zem::shell;

namespace {

// Records each step; the step named in failAt fails.
class RecordingSteps : public StartupSteps, public ShutdownSteps {
public:
    std::vector<std::string> log;
    std::string failAt;

    bool step(const char* name) {
        log.emplace_back(name);
        return failAt != name;
    }
    bool InitFramework() override { return step("InitFramework"); }
    void LoadProfile() override { step("LoadProfile"); }
    void RemoveTempFiles() override { step("RemoveTempFiles"); }
    void ApplyThreadPriority() override { step("ApplyThreadPriority"); }
    void LoadSkin() override { step("LoadSkin"); }
    void SetOutputConfigPath() override { step("SetOutputConfigPath"); }
    void RegisterInputModules() override { step("RegisterInputModules"); }
    void AddDocTemplates() override { step("AddDocTemplates"); }
    bool CreateMainFrame() override { return step("CreateMainFrame"); }
    void StartSound() override { step("StartSound"); }
    void LoadKeyboardAndPads() override { step("LoadKeyboardAndPads"); }
    void ApplyLogOption() override { step("ApplyLogOption"); }
    bool ProcessCommandLine() override { return step("ProcessCommandLine"); }
    void ShowMainWindow() override { step("ShowMainWindow"); }
    void LoadInterfacePlugins() override { step("LoadInterfacePlugins"); }
    void ShowSplash() override { step("ShowSplash"); }
    void ApplySyncTime() override { step("ApplySyncTime"); }
    void ReopenLastFiles() override { step("ReopenLastFiles"); }
    void AskFirstRun() override { step("AskFirstRun"); }
    void OfferNewInterfacePlugins() override { step("OfferNewInterfacePlugins"); }
    void StoreVersion() override { step("StoreVersion"); }
    void ShowTipOfTheDay() override { step("ShowTipOfTheDay"); }

    void SetAppClosing() override { step("SetAppClosing"); }
    void ClosePluginViews() override { step("ClosePluginViews"); }
    bool CloseAllDocuments() override { return step("CloseAllDocuments"); }
    void CancelClose() override { step("CancelClose"); }
    void DestroyMainWindow() override { step("DestroyMainWindow"); }
    void SaveInterfaceModules() override { step("SaveInterfaceModules"); }
    void DestroyInterfaceModules() override { step("DestroyInterfaceModules"); }
    bool SaveKeyMap() override { return step("SaveKeyMap"); }
    void ReportKeyMapFailure() override { step("ReportKeyMapFailure"); }
    void WriteSoundEffects() override { step("WriteSoundEffects"); }
    void UnloadSkin() override { step("UnloadSkin"); }
    void DeleteMixer() override { step("DeleteMixer"); }
};

const std::vector<std::string> kStartupOrder = {
    "InitFramework",      "LoadProfile",         "RemoveTempFiles",      "ApplyThreadPriority",
    "LoadSkin",           "SetOutputConfigPath", "RegisterInputModules", "AddDocTemplates",
    "CreateMainFrame",    "StartSound",          "LoadKeyboardAndPads",  "ApplyLogOption",
    "ProcessCommandLine", "ShowMainWindow",      "LoadInterfacePlugins", "ShowSplash",
    "ApplySyncTime",      "ReopenLastFiles",     "AskFirstRun",          "OfferNewInterfacePlugins",
    "StoreVersion",       "ShowTipOfTheDay"};

} // namespace

TEST(StartupOrder, StepsRunInOrderAndAFailingStepEndsStartUp) {
    RecordingSteps all;
    EXPECT_TRUE(RunStartup(all));
    EXPECT_EQ(all.log, kStartupOrder);

    for (const char* failing : {"InitFramework", "CreateMainFrame", "ProcessCommandLine"}) {
        RecordingSteps steps;
        steps.failAt = failing;
        EXPECT_FALSE(RunStartup(steps));
        ASSERT_FALSE(steps.log.empty());
        EXPECT_EQ(steps.log.back(), failing);
        EXPECT_EQ(steps.log.size(), static_cast<size_t>(std::find(kStartupOrder.begin(),
                                                                  kStartupOrder.end(), failing) -
                                                        kStartupOrder.begin()) +
                                        1);
    }
}

TEST(ShutdownOrder, CloseThenShutdownAndACancelledCloseKeepsTheWindow) {
    RecordingSteps steps;
    EXPECT_TRUE(RunMainWindowClose(steps));
    RunShutdown(steps);
    EXPECT_EQ(steps.log, (std::vector<std::string>{
                             "SetAppClosing", "ClosePluginViews", "CloseAllDocuments",
                             "DestroyMainWindow", "SaveInterfaceModules", "DestroyInterfaceModules",
                             "SaveKeyMap", "WriteSoundEffects", "UnloadSkin", "DeleteMixer"}));

    RecordingSteps failing;
    failing.failAt = "SaveKeyMap";
    RunShutdown(failing);
    EXPECT_EQ(failing.log[3], "ReportKeyMapFailure");
    EXPECT_EQ(failing.log.back(), "DeleteMixer");

    RecordingSteps cancelled;
    cancelled.failAt = "CloseAllDocuments";
    EXPECT_FALSE(RunMainWindowClose(cancelled));
    EXPECT_EQ(cancelled.log.back(), "CancelClose");
}

TEST(ShellSettings, DefaultsAndDamagedValues) {
    MemoryProfile profile;
    ShellSettings settings(profile);
    EXPECT_EQ(settings.SkinFile(), "Jog Wheel");
    EXPECT_TRUE(settings.SkinsEnabled());
    EXPECT_TRUE(settings.BackgroundEnabled());
    EXPECT_EQ(settings.BackgroundBitmap(), "./QXLogo.bmp");
    EXPECT_EQ(settings.OpenFiles(), ";");
    EXPECT_EQ(settings.Version(), "");
    EXPECT_EQ(settings.SyncTime(), 5000u);
    EXPECT_EQ(settings.DefaultFilter(), 1);
    EXPECT_EQ(settings.StartupDirectory("/songs"), "/songs");
    EXPECT_TRUE(settings.TipAtStartUp());

    // The thread priority setting maps to the platform's levels; anything else is normal.
    EXPECT_EQ(ThreadPriorityFromSetting(0), zem::kPriorityNormal);
    EXPECT_EQ(ThreadPriorityFromSetting(1), zem::kPriorityAboveNormal);
    EXPECT_EQ(ThreadPriorityFromSetting(2), zem::kPriorityHighest);
    EXPECT_EQ(ThreadPriorityFromSetting(3), zem::kPriorityTimeCritical);
    EXPECT_EQ(ThreadPriorityFromSetting(7), zem::kPriorityNormal);
    EXPECT_EQ(ThreadPriorityFromSetting(-1), zem::kPriorityNormal);

    profile.WriteProfileInt("Interface", "Thread priority", 7);
    profile.WriteProfileInt("General mixer settings", "Sync time", -40);
    profile.WriteProfileInt("Startup", "Default filter", 0);
    profile.WriteProfileString("Skins", "Skin file", "../../etc");
    profile.WriteProfileInt("Skins", "Background enabled", 99);
    EXPECT_EQ(settings.ThreadPrioritySetting(), 0);
    EXPECT_EQ(settings.SyncTime(), 5000u);
    EXPECT_EQ(settings.DefaultFilter(), 1);
    EXPECT_EQ(settings.SkinFile(), "Jog Wheel");
    EXPECT_TRUE(settings.BackgroundEnabled());

    settings.SetDefaultFilter(0);
    EXPECT_EQ(profile.GetProfileInt("Startup", "Default filter", -1), 1);
    settings.StoreVersion();
    EXPECT_EQ(profile.GetProfileString("Startup", "Version", ""), "1.80.04");
}

TEST(OpenFiles, OnlyPiecesFollowedBySemicolonAreFiles) {
    EXPECT_EQ(SplitOpenFiles("a.mp3;b.mp3"), std::vector<std::string>{"a.mp3"});
    EXPECT_EQ(SplitOpenFiles("a.mp3;;b.mp3;"), (std::vector<std::string>{"a.mp3", "b.mp3"}));
    EXPECT_TRUE(SplitOpenFiles(";").empty());
    EXPECT_TRUE(SplitOpenFiles("").empty());
}

TEST(CommandLine, FilesOptionsAndDrops) {
    const CommandLine cl = ParseCommandLine(
        {"--home", "h", "song.mp3", "/abs/b.wav", "--screenshot", "s.png"}, "/start");
    EXPECT_EQ(cl.home, "h");
    EXPECT_EQ(cl.screenshot, "s.png");
    EXPECT_EQ(cl.files, (std::vector<std::string>{"/start/song.mp3", "/abs/b.wav"}));
    EXPECT_FALSE(cl.log);
    EXPECT_TRUE(cl.errors.empty());
    // "-log" counts anywhere in the raw command line, and the word still names a file.
    const CommandLine logged = ParseCommandLine({"my-logo.mp3"}, "/s");
    EXPECT_TRUE(logged.log);
    EXPECT_EQ(logged.files, std::vector<std::string>{"/s/my-logo.mp3"});
    EXPECT_FALSE(ParseCommandLine({"--home"}, "/s").errors.empty());
    EXPECT_FALSE(ParseCommandLine({"--frobnicate"}, "/s").errors.empty());

    EXPECT_EQ(DroppedFilesText({"a.mp3", "b.mp3"}), "a.mp3|b.mp3|");
    EXPECT_EQ(FirstDroppedFile("a.mp3|b.mp3|"), "a.mp3");
    EXPECT_EQ(FirstDroppedFile("c.wav"), "c.wav");
    EXPECT_EQ(FirstDroppedFile("|b.mp3|"), "");
}
