#include "app/small_windows/small_windows_texts.h"
#include "app/small_windows/tip_of_the_day.h"
#include "tests/app/framework/memory_profile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;
using zem::small::TipOfTheDay;
using zem::small::TipSource;

namespace {

class TipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("zem-tips-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_path = (m_dir / "tips.txt").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void Write(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string Shown() { return TipOfTheDay(profile, m_path).Current(); }

    MemoryProfile profile;
    fs::path m_dir;
    std::string m_path;
};

TEST_F(TipsTest, WalksTheTipsSkippingCommentsAndWrapsAtTheEnd) {
    Write("; heading\nFirst\n\n;comment\r\nSecond\r\n   \nThird");
    TipOfTheDay tips(profile, m_path);
    EXPECT_EQ(tips.Source(), TipSource::File);
    std::string seen;
    for (int i = 0; i < 4; ++i, tips.Next())
        seen += tips.Current() + "|";
    EXPECT_EQ(seen, "First|Second|Third|First|");
}

TEST_F(TipsTest, NextOpeningGoesOnWhereTheLastClosed) {
    Write("First\nSecond\nThird\n");
    {
        TipOfTheDay tips(profile, m_path);
        tips.Next();
        tips.StoreFilePos();
    }
    EXPECT_EQ(profile.GetProfileInt("Tip", "FilePos", -1), 13); // just past "Second\n"
    EXPECT_EQ(Shown(), "Third");
    // Opening without storing (the window never closed) repeats the same tip.
    EXPECT_EQ(Shown(), "Third");
    {
        TipOfTheDay tips(profile, m_path);
        tips.StoreFilePos();
    }
    EXPECT_EQ(Shown(), "First");
}

TEST_F(TipsTest, AChangedFileStartsOverAndStoresItsTime) {
    Write("First\nSecond\nThird\n");
    profile.WriteProfileInt("Tip", "FilePos", 6);
    // No stamp yet: a first run starts at the top whatever "FilePos" says.
    EXPECT_EQ(Shown(), "First");
    const std::string stamp = profile.GetProfileString("Tip", "TimeStamp", "");
    EXPECT_EQ(stamp, TipOfTheDay::FileTimeText(m_path));
    EXPECT_FALSE(stamp.empty());
    EXPECT_EQ(Shown(), "Second"); // same stamp: "FilePos" holds

    fs::last_write_time(m_path, fs::last_write_time(m_path) + std::chrono::seconds(5));
    EXPECT_EQ(Shown(), "First");
    EXPECT_NE(profile.GetProfileString("Tip", "TimeStamp", ""), stamp);
}

TEST_F(TipsTest, DamagedPositionsLandOnAWholeTip) {
    Write("First\nSecond\nThird\n");
    Shown();                                      // stores the stamp
    profile.WriteProfileInt("Tip", "FilePos", 8); // inside "Second"
    EXPECT_EQ(Shown(), "Third");
    profile.WriteProfileInt("Tip", "FilePos", 5000);
    EXPECT_EQ(Shown(), "First");
    profile.WriteProfileInt("Tip", "FilePos", -3);
    EXPECT_EQ(Shown(), "First");
}

TEST_F(TipsTest, MissingFileGivesTheBuiltInTipAndStoresNothing) {
    TipOfTheDay tips(profile, m_path);
    EXPECT_EQ(tips.Source(), TipSource::Missing);
    EXPECT_EQ(tips.Current(), zem::small::kBuiltInTip);
    tips.Next();
    EXPECT_EQ(tips.Current(), zem::small::kBuiltInTip);
    tips.StoreFilePos();
    EXPECT_TRUE(profile.values.empty());
}

TEST_F(TipsTest, FilesWithoutReadableTipsGiveTheBuiltInTip) {
    for (const std::string& bytes :
         {std::string(), std::string("; only\n;comments\n\n"),
          std::string("PK\x03\x04\0\0 looks like text\n", 23), std::string("\xff\xfe\x01\n")}) {
        Write(bytes);
        TipOfTheDay tips(profile, m_path);
        EXPECT_EQ(tips.Source(), TipSource::Unreadable) << bytes;
        EXPECT_EQ(tips.Current(), zem::small::kBuiltInTip);
    }
}

TEST_F(TipsTest, LinesThatAreNotTextAreSkipped) {
    Write("\xc3\x28 bad\nBeat \xe2\x80\x93 matching\ncontrol\x1b[0m\nover\xf4\x90\x80\x80long\n");
    TipOfTheDay tips(profile, m_path);
    EXPECT_EQ(tips.Current(), "Beat \xe2\x80\x93 matching");
    tips.Next();
    EXPECT_EQ(tips.Current(), "Beat \xe2\x80\x93 matching");
}

TEST_F(TipsTest, StartUpBoxIsStoredInverted) {
    TipOfTheDay tips(profile, m_path);
    EXPECT_TRUE(tips.ShowAtStartUp());
    tips.SetShowAtStartUp(false);
    EXPECT_EQ(profile.GetProfileInt("Tip", "StartUp", -1), 1);
    EXPECT_FALSE(tips.ShowAtStartUp());
    tips.SetShowAtStartUp(true);
    EXPECT_EQ(profile.GetProfileInt("Tip", "StartUp", -1), 0);
}

// The file the program ships: every tip readable and seen once per round.
TEST(ShippedTips, EveryTipIsReadableAndTheRoundIsComplete) {
    MemoryProfile profile;
    TipOfTheDay tips(profile, ZEM_TIPS_FILE);
    ASSERT_EQ(tips.Source(), TipSource::File);
    const std::string first = tips.Current();
    std::set<std::string> seen;
    do {
        EXPECT_TRUE(seen.insert(tips.Current()).second) << tips.Current();
        tips.Next();
    } while (tips.Current() != first && seen.size() < 100);
    EXPECT_GE(seen.size(), 20u);
    EXPECT_LE(seen.size(), 30u);
}

} // namespace
