// Plain logic of the framework, without a display: document strings, extension matching, the
// recent-file list and the stored child-window placement.
#include "app/framework/doc_string.h"
#include "app/framework/placement.h"
#include "app/framework/recent_file_list.h"

#include "memory_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(DocString, FieldsReadByIndexAndMissingOnesAreEmpty) {
    const std::string mixer = "\nMixer\nMain Mixer\n\n\nZEM.Mixer.Document\nZEM Mixer Document";
    EXPECT_EQ(ZemGetDocStringField(mixer, kDocStringWindowTitle), "");
    EXPECT_EQ(ZemGetDocStringField(mixer, kDocStringFileNewName), "Main Mixer");
    EXPECT_EQ(ZemGetDocStringField(mixer, kDocStringRegFileTypeName), "ZEM Mixer Document");
    EXPECT_EQ(ZemGetDocStringField(mixer, 7), "");
    EXPECT_EQ(ZemGetDocStringField("Title\nDoc", kDocStringFileNewName), "");
}

TEST(DocString, SetReplacesOnlyTheNamedFieldOrFailsUntouched) {
    std::string s = "\nZEM\n\nAll files\n.*\nZEM.Document\nZEM Document";
    ASSERT_TRUE(ZemSetDocStringField(s, kDocStringFilterName, "MPEG audio"));
    ASSERT_TRUE(ZemSetDocStringField(s, kDocStringFilterExt, ".mp3;.mp2"));
    ASSERT_TRUE(ZemSetDocStringField(s, kDocStringWindowTitle, "Deck"));
    ASSERT_TRUE(ZemSetDocStringField(s, kDocStringRegFileTypeName, ""));
    EXPECT_EQ(s, "Deck\nZEM\n\nMPEG audio\n.mp3;.mp2\nZEM.Document\n");

    std::string three = "Title\nDoc\nNew"; // fields 0, 1 and 2
    EXPECT_TRUE(ZemSetDocStringField(three, 2, "Fresh"));
    EXPECT_FALSE(ZemSetDocStringField(three, 3, ".mp3"));
    EXPECT_FALSE(ZemSetDocStringField(three, -1, "x"));
    EXPECT_EQ(three, "Title\nDoc\nFresh");
}

TEST(ExtensionMatch, ListedExtensionFromTheLastDotIsNativeWithoutRegardToCase) {
    EXPECT_EQ(ZemFileExtension("/music/set.one/song.tar.MP3"), ".MP3");
    EXPECT_EQ(ZemFileExtension("/music/noext"), "");
    const std::string list = ".mp3;.MP2;.wav";
    EXPECT_EQ(ZemMatchExtensions(list, "/a/song.Mp3"), kConfidenceYesNative);
    EXPECT_EQ(ZemMatchExtensions(list, "/a/song.mp2"), kConfidenceYesNative);
    EXPECT_EQ(ZemMatchExtensions(list, "c:\\music\\song.WaV"), kConfidenceYesNative);
}

TEST(ExtensionMatch, EverythingElseIsForeignNeverNoAttempt) {
    const std::string list = ".mp3;;.wav;";
    EXPECT_EQ(ZemMatchExtensions(list, "song.ogg"), kConfidenceYesForeign);
    // Whole tokens only, dot included.
    EXPECT_EQ(ZemMatchExtensions(list, "song.mp"), kConfidenceYesForeign);
    EXPECT_EQ(ZemMatchExtensions(list, "song.mp3x"), kConfidenceYesForeign);
    EXPECT_EQ(ZemMatchExtensions("mp3", "song.mp3"), kConfidenceYesForeign);
    // Empty tokens from doubled or trailing ";" do not claim files without a dot.
    EXPECT_EQ(ZemMatchExtensions(list, "noext"), kConfidenceYesForeign);
    EXPECT_EQ(ZemMatchExtensions("", "noext"), kConfidenceYesForeign);
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostEight) {
    ZemRecentFileList list;
    for (int i = 1; i <= 9; ++i)
        list.Add("/m/" + std::to_string(i) + ".mp3");
    ASSERT_EQ(list.Entries().size(), 8u);
    EXPECT_EQ(list.Entries().front(), "/m/9.mp3");
    EXPECT_EQ(list.Entries().back(), "/m/2.mp3"); // the oldest, 1, dropped off

    list.Add("/m/5.mp3");
    ASSERT_EQ(list.Entries().size(), 8u);
    EXPECT_EQ(list.Entries()[1], "/m/9.mp3");
    EXPECT_EQ(std::count(list.Entries().begin(), list.Entries().end(), "/m/5.mp3"), 1);
    EXPECT_EQ(list.Entries().back(), "/m/2.mp3");
    list.Remove(0);
    list.Remove(42);
    EXPECT_EQ(list.Entries().size(), 7u);
    EXPECT_EQ(list.MenuText(0), "&1 /m/9.mp3");
}

TEST(RecentFileList, SurvivesTheProfileWithGapsClosedAndRemovalsKept) {
    MemoryProfile profile;
    ZemRecentFileList list;
    list.Add("/m/a.mp3");
    list.Add("/m/b.mp3");
    list.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", "?"), "/m/b.mp3");
    list.Remove(0);
    list.Save(profile);
    ZemRecentFileList again;
    again.Load(profile);
    EXPECT_EQ(again.Entries(), std::vector<std::string>{"/m/a.mp3"});

    profile.WriteProfileString("Recent File List", "File5", "/m/y.mp3");
    profile.WriteProfileString("Recent File List", "File9", "/m/beyond.mp3");
    again.Load(profile);
    EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/m/a.mp3", "/m/y.mp3"}));
}

TEST(Placement, AnyAbsentKeyOrAnEmptySectionMeansNothing) {
    MemoryProfile profile;
    ZemStorePlacement(profile, "", "Channel 0", {kShowStateNormal, 1, 2, 3, 4});
    EXPECT_TRUE(profile.values.empty());

    const char* const keys[] = {" Status", " Top", " Left", " Bottom", " Right"};
    for (const char* missing : keys) {
        MemoryProfile partial;
        for (const char* key : keys)
            if (key != missing)
                partial.WriteProfileInt("S", std::string("Base") + key, 5);
        ZemPlacement untouched{kShowStateNormal, 7, 7, 7, 7};
        EXPECT_FALSE(ZemLoadPlacement(partial, "S", "Base", untouched)) << missing;
        EXPECT_EQ(untouched.top, 7) << missing;
    }
    ZemStorePlacement(profile, "S", "Base", {kShowStateMaximized, 1, 2, 3, 4});
    ZemPlacement p;
    EXPECT_FALSE(ZemLoadPlacement(profile, "", "Base", p));
    ASSERT_TRUE(ZemLoadPlacement(profile, "s", "Base", p));
    EXPECT_EQ(p.status, kShowStateMaximized);
    EXPECT_EQ(p.right, 4);
}
