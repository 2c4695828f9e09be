#include "platform/ini_file.h"
#include "platform/profile.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

using namespace zem;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spit(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(Ini, SectionsAndKeysIgnoreCaseAndValuesKeepInnerSpaces) {
    TestDir dir;
    const std::string f = dir.file("a.ini");
    spit(f, "; comment\n[ZEC Info]\n  Notes =  two  words here  \nBPM=127.5\r\n[other]\nBPM=1\n");
    EXPECT_EQ(ini::GetString(f, "zec info", "NOTES", "d"), "two  words here");
    EXPECT_FLOAT_EQ(ini::GetFloat(f, "ZEC INFO", "bpm", 0.f), 127.5f);
    EXPECT_EQ(ini::GetInt(f, "Other", "Bpm", 7), 1);
    EXPECT_EQ(ini::GetString(f, "ZEC Info", "missing", "def"), "def");
    EXPECT_EQ(ini::GetString(f, "No section", "Notes", "def"), "def");
    EXPECT_EQ(ini::GetString(dir.file("missing.ini"), "ZEC Info", "Notes", "def"), "def");
    spit(f, "[s]\nq=\"quoted value\"\nempty=\n");
    EXPECT_EQ(ini::GetString(f, "s", "q", ""), "quoted value");
    EXPECT_EQ(ini::GetString(f, "s", "empty", "def"), ""); // present but empty
}

TEST(Ini, IntegersTakeTheLeadingNumber) {
    EXPECT_EQ(ini::ParseLeadingInt("42abc", -1), 42);
    EXPECT_EQ(ini::ParseLeadingInt("  -17 ", 0), -17);
    EXPECT_EQ(ini::ParseLeadingInt("+3", 0), 3);
    EXPECT_EQ(ini::ParseLeadingInt("abc", 9), 9);
    EXPECT_EQ(ini::ParseLeadingInt("", 9), 9);
    EXPECT_EQ(ini::ParseLeadingInt("-", 9), 9);
    EXPECT_EQ(ini::ParseLeadingInt("1.80", 0), 1);
    EXPECT_EQ(ini::ParseLeadingInt("99999999999999999999", 0), INT_MAX);
    EXPECT_EQ(ini::ParseLeadingInt("-99999999999999999999", 0), INT_MIN);
    EXPECT_FLOAT_EQ(ini::ParseLeadingFloat("1.5x", 0), 1.5f);
    EXPECT_FLOAT_EQ(ini::ParseLeadingFloat("x", 2.f), 2.f);
}

TEST(Ini, FloatsRoundTripExactly) {
    for (float v : {127.456f, 0.1f, -3.25f, 1e-7f, 123456789.f, 0.f}) {
        EXPECT_EQ(ini::ParseLeadingFloat(ini::FormatFloat(v), 99.f), v) << v;
    }
    EXPECT_EQ(ini::FormatFloat(127.456f), "127.456");
}

TEST(Ini, WritesCreateFileSectionAndKeyAndKeepEveryOtherLine) {
    TestDir dir;
    const std::string f = dir.file("b.ini");
    ASSERT_TRUE(ini::WriteValue(f, "Version Info", "Version", "1.80"));
    EXPECT_EQ(slurp(f), "[Version Info]\nVersion=1.80\n");

    spit(f, "; keep me\n[A]\nx=1\r\nunknown = stays\n\n[B]\ny=2\n");
    ASSERT_TRUE(ini::WriteValue(f, "a", "X", "5"));   // replaced in place, CRLF kept
    ASSERT_TRUE(ini::WriteValue(f, "A", "z", "new")); // appended after the section's last key
    ASSERT_TRUE(ini::WriteValue(f, "C", "w", "3 4")); // new section at the end
    EXPECT_EQ(slurp(f), "; keep me\n[A]\nX=5\r\nunknown = stays\nz=new\n\n[B]\ny=2\n[C]\nw=3 4\n");

    ASSERT_TRUE(ini::WriteValue(f, "A", "unknown", nullptr)); // delete a key
    ASSERT_TRUE(ini::WriteValue(f, "B", nullptr, nullptr));   // delete a section
    EXPECT_EQ(slurp(f), "; keep me\n[A]\nX=5\r\nz=new\n\n[C]\nw=3 4\n");
}

TEST(Ini, WriteIntoAFileWithoutFinalLineEnd) {
    TestDir dir;
    const std::string f = dir.file("c.ini");
    spit(f, "[A]\nx=1");
    ASSERT_TRUE(ini::WriteValue(f, "A", "y", "2"));
    EXPECT_EQ(slurp(f), "[A]\nx=1\ny=2\n");
    spit(f, "[A]\nx=1");
    ASSERT_TRUE(ini::WriteValue(f, "B", "y", "2"));
    EXPECT_EQ(slurp(f), "[A]\nx=1\n[B]\ny=2\n");
}

TEST(Ini, LineBreaksInValuesCannotForgeLines) {
    TestDir dir;
    const std::string f = dir.file("d.ini");
    ASSERT_TRUE(ini::WriteValue(f, "A", "notes", "one\n[B]\nevil=1"));
    EXPECT_EQ(ini::GetString(f, "B", "evil", "none"), "none");
    EXPECT_EQ(ini::GetString(f, "A", "notes", ""), "one [B] evil=1");
}

TEST(Ini, WriteFailsCleanlyWhereTheFolderIsMissing) {
    TestDir dir;
    EXPECT_FALSE(ini::WriteValue(dir.file("no/such/e.ini"), "A", "x", "1"));
    EXPECT_FALSE(ini::WriteValue("", "A", "x", "1"));
}

// The write goes through a temporary file and a rename: the file's inode changes, no stray
// temporary file stays behind, and a reader never sees a half-written file.
TEST(Ini, WritesReplaceTheFileAtomically) {
    TestDir dir;
    const std::string f = dir.file("f.ini");
    spit(f, "[A]\nx=1\n");
    struct stat before {
    }, after{};
    ASSERT_EQ(stat(f.c_str(), &before), 0);
    ASSERT_TRUE(ini::WriteValue(f, "A", "x", "2"));
    ASSERT_EQ(stat(f.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);

    std::string big(200000, 'v');
    std::thread writer([&] {
        for (int i = 0; i < 50; ++i)
            ini::WriteValue(f, "A", "big", (i % 2 ? big : std::string("small")).c_str());
    });
    for (int i = 0; i < 200; ++i) {
        const std::string text = slurp(f);
        // Every snapshot is a whole file: it ends with its final line end.
        ASSERT_FALSE(text.empty());
        ASSERT_EQ(text.back(), '\n');
        ASSERT_EQ(ini::GetString(f, "A", "x", ""), "2");
    }
    writer.join();
}

TEST(Ini, GarbageAndHugeLinesGiveDefaults) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
    std::string out;
    EXPECT_FALSE(ini::FindInText(garbage, "A", "x", out));
    const std::string longLine(1 << 20, 'k');
    EXPECT_FALSE(ini::FindInText(longLine, "A", "x", out));
    EXPECT_TRUE(ini::FindInText("[A]\nx=" + longLine, "A", "x", out));
    EXPECT_EQ(out.size(), longLine.size());
    EXPECT_TRUE(ini::FindInText("[A", "A", "x", out) == false);
    EXPECT_TRUE(ini::FindInText("[A]\rx=3\r", "A", "x", out)); // old Mac line ends
    EXPECT_EQ(out, "3");
}

TEST(Ini, FirstMatchingSectionAndKeyWin) {
    std::string out;
    EXPECT_TRUE(ini::FindInText("[A]\nx=1\nX=2\n[a]\nx=3\n", "A", "x", out));
    EXPECT_EQ(out, "1");
    EXPECT_EQ(ini::UpdateText("[A]\nx=1\n[a]\nx=3\n", "a", "x", "9"), "[A]\nx=9\n[a]\nx=3\n");
}

TEST(Profile, PathFollowsTheEnvironment) {
    TestDir dir;
    setenv("ZEM_PROFILE", dir.file("p/ZEM.ini").c_str(), 1);
    EXPECT_EQ(profile::Path(), dir.file("p/ZEM.ini"));
    EXPECT_EQ(profile::GetInt("Playback", "Timing Method", 1), 1);
    ASSERT_TRUE(profile::WriteInt("Playback", "Timing Method", 0)); // creates the folder
    EXPECT_EQ(profile::GetInt("playback", "timing method", 1), 0);
    ASSERT_TRUE(profile::WriteString("Skins", "Skin", "Default skin"));
    EXPECT_EQ(profile::GetString("Skins", "Skin", ""), "Default skin");
    unsetenv("ZEM_PROFILE");
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    EXPECT_EQ(profile::Path(), dir.path() + "/Fennick Works Applications/ZEM.ini");
    unsetenv("XDG_CONFIG_HOME");
}
