// The host without a display: "ControlModules.cfg", scan keys, loading and refusing real plug-in
// libraries, the module list at start and at exit, and the offer of new plug-ins.
#include "test_folder.h"

#include "../framework/memory_profile.h"
#include "app/interface_plugins/control_modules_file.h"
#include "app/interface_plugins/interface_module.h"
#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/new_plugins_offer.h"
#include "app/interface_plugins/plugin_scan.h"
#include "app/interface_plugins/scan_key.h"
#include "engine/foundations/zem_exception.h"

#include <dlfcn.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace zem::interface_plugins;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

bool Mapped(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

class Host : public PluginFolder {
protected:
    CInterfaceModules modules() {
        return CInterfaceModules(plugins, ini,
                                 [this](const std::string& t) { messages.push_back(t); });
    }
    std::vector<std::string> messages;
};

} // namespace

TEST(ControlModulesFileTest, ReadsNamesOfFullPathsSkipsEmptyLinesAndSplitsLongLines) {
    const std::string longName(300, 'a');
    const std::string path = (std::filesystem::current_path() / "ControlModules.cfg").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "C:\\ZEM\\Plugins\\ZEM_GEN_Playlists.so\r\n\n\n/opt/zem/Plugins/bare_plugin.so\n"
            << longName << "\nlast";
    }
    std::vector<std::string> names;
    ASSERT_TRUE(ReadControlModules(path, names));
    EXPECT_THAT(names, ElementsAre("ZEM_GEN_Playlists.so", "bare_plugin.so",
                                   std::string(kControlModulesLine, 'a'),
                                   std::string(300 - kControlModulesLine, 'a'), "last"));

    ASSERT_TRUE(WriteControlModules(path, names));
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "ZEM_GEN_Playlists.so\nbare_plugin.so\n" + std::string(259, 'a') + "\n" +
                        std::string(41, 'a') + "\nlast\n");
    std::vector<std::string> again;
    ASSERT_TRUE(ReadControlModules(path, again));
    EXPECT_EQ(again, names);

    EXPECT_FALSE(ReadControlModules(path + ".missing", again));
    EXPECT_THAT(again, IsEmpty());
}

TEST(ScanKeyTest, NamesTheFileAndSplitsItsTimeIntoSignedHalves) {
    EXPECT_EQ(FormatScanKey("x.so", static_cast<int64_t>(0x89ABCDEFFEDCBA98ull)),
              "x.so|-1985229329|-19088744");
    EXPECT_EQ(FormatScanKey("x.so", 0x0000000500000007ll), "x.so|5|7");

    const std::string path = (std::filesystem::current_path() / "key.so").string();
    std::ofstream(path) << "x";
    int64_t time = 0;
    ASSERT_TRUE(FileCreationTime(path, time));
    // Made just now: within a day of the clock.
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    EXPECT_LT(std::llabs(now - time), 86400ll * 1000000000);
    EXPECT_EQ(ScanKey(path), FormatScanKey("key.so", time));
    EXPECT_FALSE(FileCreationTime(path + ".missing", time));
}

TEST_F(Host, RefusedLibrariesAreReleasedWithoutTheirCallsRunning) {
    for (const char* name : {"no_entry", "refusing", "null_ctor"}) {
        const std::string path = install(name);
        DLLInterfaceModule module;
        EXPECT_FALSE(module.Load(path, true)) << name;
        EXPECT_FALSE(module.IsLoaded()) << name;
        EXPECT_FALSE(Mapped(path)) << name;
        try {
            DLLInterfaceModule constructed(path);
            ADD_FAILURE() << name << " was accepted";
        } catch (const ZEMException& e) {
            EXPECT_STREQ(e.GetMessage(), "Unable to initialize DLLInterfaceModule!");
        }
        EXPECT_FALSE(Mapped(path)) << name;
    }
    // The refusing plug-in's initialiser never ran, nor the null-constructor one's destructor.
    EXPECT_THAT(logLines(), IsEmpty());
    DLLInterfaceModule missing;
    EXPECT_FALSE(missing.Load(zem::JoinPath(plugins, "missing.so"), false));
}

TEST_F(Host, ModuleRunsItsCallsAndSaysWhenItHasNoSettings) {
    const std::string bare = install("bare");
    const std::string playlist = install("playlist");
    {
        DLLInterfaceModule scanned;
        ASSERT_TRUE(scanned.Load(bare, false));
        EXPECT_EQ(scanned.GetPath(), bare);
        EXPECT_EQ(scanned.GetDescription(), "Bare");
        EXPECT_FALSE(scanned.IsConstructed());
        EXPECT_FALSE(scanned.Load(bare, false));
    }
    EXPECT_FALSE(Mapped(bare));
    EXPECT_THAT(logLines(), IsEmpty());
    {
        auto message = [this](const std::string& t) { messages.push_back(t); };
        DLLInterfaceModule withSettings(playlist, message);
        DLLInterfaceModule without(bare, message);
        EXPECT_TRUE(without.IsConstructed());
        withSettings.Update();
        withSettings.ShowSettings();
        without.Update();
        without.ShowSettings();
        EXPECT_THAT(messages, ElementsAre("No settings..."));
    }
    EXPECT_THAT(logLines(),
                ElementsAre("playlist constructor", "bare constructor", "playlist update",
                            "playlist settings", "bare destructor", "playlist destructor"));
    EXPECT_FALSE(Mapped(bare));
}

TEST_F(Host, ListedModulesLoadAtStartPastFailuresAndGoInListOrder) {
    install("playlist");
    install("bare");
    install("refusing");
    {
        std::ofstream(zem::JoinPath(ini, kControlModulesFile))
            << "playlist_plugin.so\nmissing.so\n\nC:\\Old\\refusing_plugin.so\nbare_plugin.so\n";
    }
    CInterfaceModules list = modules();
    list.LoadListed();
    EXPECT_THAT(messages, ElementsAre("Error loading " + plugins + "/missing.so\n",
                                      "Error loading " + plugins + "/refusing_plugin.so\n"));
    EXPECT_THAT(list.Paths(),
                ElementsAre(plugins + "/playlist_plugin.so", plugins + "/bare_plugin.so"));
    EXPECT_THAT(logLines(),
                ElementsAre("playlist constructor", "bare constructor", "playlist update"));

    ASSERT_TRUE(list.Save());
    EXPECT_EQ(readFile(list.ConfigPath()), "playlist_plugin.so\nbare_plugin.so\n");
    EXPECT_FALSE(list.Remove(2));
    ASSERT_TRUE(list.Remove(1));
    EXPECT_EQ(logLines().back(), "bare destructor");
    list.Add(plugins + "/bare_plugin.so");
    EXPECT_THROW(list.Add(plugins + "/refusing_plugin.so"), ZEMException);
    EXPECT_EQ(list.Count(), 2u);
    list.DestroyAll();
    EXPECT_EQ(list.Count(), 0u);
    const std::vector<std::string> lines = logLines();
    EXPECT_THAT(std::vector<std::string>(lines.end() - 2, lines.end()),
                ElementsAre("playlist destructor", "bare destructor"));
}

TEST_F(Host, ScanOffersEachPluginFileOnceUntilANewCopyReplacesIt) {
    const std::string playlist = install("playlist");
    const std::string bare = install("bare");
    for (const char* other : {"refusing", "no_entry", "null_ctor"})
        install(other);
    MemoryProfile profile;
    EXPECT_THAT(ScanForNewPlugins(plugins, profile, {}), UnorderedElementsAre(playlist, bare));
    EXPECT_EQ(profile.GetProfileInt(kScannedSection, ScanKey(playlist), 0), 1);
    EXPECT_EQ(profile.GetProfileInt(kScannedSection, ScanKey(bare), 0), 1);
    EXPECT_EQ(profile.values.size(), 2u);
    EXPECT_THAT(ScanForNewPlugins(plugins, profile, {}), IsEmpty());

    const std::string before = ScanKey(playlist);
    ASSERT_TRUE(zem::DeleteFilePath(playlist));
    // File times come from a clock that ticks in milliseconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    install("playlist");
    ASSERT_NE(ScanKey(playlist), before);
    EXPECT_THAT(ScanForNewPlugins(plugins, profile, {}), ElementsAre(playlist));

    // A loaded module is not offered, but its file is remembered all the same.
    MemoryProfile fresh;
    EXPECT_THAT(ScanForNewPlugins(plugins, fresh, {bare}), ElementsAre(playlist));
    EXPECT_EQ(fresh.GetProfileInt(kScannedSection, ScanKey(bare), 0), 1);
    // Scanning never constructs.
    EXPECT_THAT(logLines(), IsEmpty());

    const std::vector<InterfacePluginFile> listed = ListInterfacePlugins(plugins);
    ASSERT_EQ(listed.size(), 2u);
    const auto& first = listed[0].path == bare ? listed[0] : listed[1];
    EXPECT_EQ(first.fileName, "bare_plugin.so");
    EXPECT_EQ(first.description, "Bare");
}

TEST_F(Host, NewPluginsAreLoadedAsChosenAndTheListSavedAfterOkOrCancel) {
    const std::string playlist = install("playlist");
    const std::string bare = install("bare");
    CInterfaceModules list = modules();
    MemoryProfile profile;
    std::vector<std::string> asked;
    const bool offered = OfferNewPlugins(list, profile, [&](const std::vector<std::string>& p) {
        asked = p;
        return std::optional<std::vector<std::string>>(std::vector<std::string>{bare});
    });
    EXPECT_TRUE(offered);
    EXPECT_THAT(asked, UnorderedElementsAre(playlist, bare));
    EXPECT_THAT(list.Paths(), ElementsAre(bare));
    EXPECT_EQ(readFile(list.ConfigPath()), "bare_plugin.so\n");
    EXPECT_THAT(logLines(), ElementsAre("bare constructor"));

    // Nothing new: nothing asked, nothing written.
    std::filesystem::remove(list.ConfigPath());
    bool askedAgain = false;
    EXPECT_FALSE(OfferNewPlugins(list, profile, [&](const std::vector<std::string>&) {
        askedAgain = true;
        return std::optional<std::vector<std::string>>();
    }));
    EXPECT_FALSE(askedAgain);
    EXPECT_FALSE(zem::FileExists(list.ConfigPath()));

    // Cancel still saves the list; a chosen file that fails is shown and skipped.
    MemoryProfile other;
    EXPECT_TRUE(OfferNewPlugins(list, other, [](const std::vector<std::string>&) {
        return std::optional<std::vector<std::string>>();
    }));
    EXPECT_EQ(readFile(list.ConfigPath()), "bare_plugin.so\n");
    MemoryProfile third;
    const std::string refusing = install("refusing");
    OfferNewPlugins(list, third, [&](const std::vector<std::string>&) {
        return std::optional<std::vector<std::string>>(
            std::vector<std::string>{refusing, playlist});
    });
    EXPECT_THAT(messages, ElementsAre("Unable to initialize DLLInterfaceModule!"));
    EXPECT_THAT(list.Paths(), ElementsAre(bare, playlist));
    EXPECT_EQ(logLines().back(), "playlist update");
}
