// The playlist window's logic: cells, sorting, Find, and the paths that adding takes in
// (real folders in a temporary folder, symbolic link loops included).
#include "plugins/playlists/formats/playlist_columns.h"
#include "plugins/playlists/formats/playlist_find.h"
#include "plugins/playlists/formats/playlist_paths.h"
#include "tests/platform/test_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

using namespace playlists;

namespace {

PlaylistEntry Entry(const char* path, float bpm = 0, int total = 0, int lastPlayed = 0) {
    PlaylistEntry e;
    e.SetPath(path);
    e.bpm = bpm;
    e.totalTime = total;
    e.lastPlayed = lastPlayed;
    return e;
}

std::vector<int> Sorted(const std::vector<PlaylistEntry>& entries, int column, bool ascending) {
    std::vector<int> rows;
    for (size_t i = 0; i < entries.size(); ++i)
        rows.push_back(static_cast<int>(i));
    SortRows(rows, entries, column, ascending);
    return rows;
}

class PlaylistColumns : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

} // namespace

TEST_F(PlaylistColumns, CellTexts) {
    const PlaylistEntry e = Entry("C:\\Music\\a.mp3", 118.7f, 245, 1700000000);
    EXPECT_EQ(CellText(e, 0), "a.mp3");
    EXPECT_EQ(CellText(Entry("/m/b.mp3"), 0), "b.mp3");
    EXPECT_EQ(CellText(Entry("plain"), 0), "plain");
    EXPECT_EQ(CellText(e, 1), "118.70");
    EXPECT_EQ(CellText(e, 2), " 4:05");
    EXPECT_EQ(CellText(Entry("x", 0, 3600), 2), "60:00");
    EXPECT_EQ(CellText(e, 3), "10:13 PM"); // 2023-11-14 22:13:20 UTC
    EXPECT_EQ(CellText(Entry("x", 0, 0, 43200), 3), "12:00 PM");
    EXPECT_EQ(CellText(Entry("x", 0, 0, 60), 3), "12:01 AM");
    EXPECT_EQ(CellText(Entry("x"), 3), "") << "never played";
    EXPECT_EQ(CellText(e, 4), "");

    EXPECT_EQ(ColumnKey(2), "Column Total time");
    int position = -1, width = -1;
    EXPECT_TRUE(ParseColumnSetting(FormatColumnSetting(3, 140), position, width));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(width, 140);
    EXPECT_FALSE(ParseColumnSetting("2", position, width));
    EXPECT_FALSE(ParseColumnSetting("", position, width));
    EXPECT_EQ(width, 140) << "a bad setting changes nothing";
}

TEST_F(PlaylistColumns, SortingByEachColumn) {
    const std::vector<PlaylistEntry> e = {
        Entry("/m/b.mp3", 118.7f, 600, 1700000000), // 10:00, 10:13 PM
        Entry("/m/C.mp3", 117.9f, 245, 0),          //  4:05, never
        Entry("/m/a.mp3", 118.2f, 59, 1699956000),  //  0:59, 10:00 AM
        Entry("/m/d.mp3", 9.5f, 245, 0),            //  4:05, never
    };
    EXPECT_EQ(Sorted(e, 0, true), (std::vector<int>{2, 0, 1, 3})) << "case-insensitive";
    // 118.70 and 118.20 are equal whole numbers and keep their order either way.
    EXPECT_EQ(Sorted(e, 1, true), (std::vector<int>{3, 1, 0, 2}));
    EXPECT_EQ(Sorted(e, 1, false), (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(Sorted(e, 2, true), (std::vector<int>{2, 1, 3, 0})) << "text: \" \" before \"1\"";
    EXPECT_EQ(Sorted(e, 3, true), (std::vector<int>{1, 3, 2, 0})) << "empty cells first";
    EXPECT_EQ(Sorted(e, 3, false), (std::vector<int>{0, 2, 1, 3}));

    EXPECT_LT(CompareCells(SortKind::TimeOfDay, "12:30 AM", "01:00 AM"), 0);
    EXPECT_GT(CompareCells(SortKind::TimeOfDay, "01:00 PM", "11:59 AM"), 0);
    EXPECT_EQ(CompareCells(SortKind::TimeOfDay, "13:00", "01:00 pm"), 0);
    EXPECT_EQ(CompareCells(SortKind::TimeOfDay, "", "soon"), 0);
    EXPECT_EQ(ParseTimeOfDay("13:00 PM"), -1);
    EXPECT_LT(CompareCells(SortKind::TextCaseSensitive, "B", "a"), 0);
    EXPECT_GT(CompareCells(SortKind::TextCaseInsensitive, "B", "a"), 0);
    EXPECT_EQ(CompareCells(SortKind::WholeNumber, "abc", "0.9"), 0);
}

TEST(PlaylistFind, DirectionsWrapAndOptions) {
    const std::vector<std::string> cells = {"Intro Mix.mp3", "remix.mp3", "club mix 2.mp3",
                                            "Other.mp3"};
    int asked = 0;
    const auto yes = [&] { return ++asked, true; };
    const auto no = [&] { return ++asked, false; };

    // Up from row 2: rows 1 and 0, then the question, then on from the last row.
    EXPECT_EQ(FindRow(cells, 2, {"other", false}, yes), 3);
    EXPECT_EQ(asked, 1);
    asked = 0;
    EXPECT_EQ(FindRow(cells, 2, {"mix", false}, no), 1);
    EXPECT_EQ(FindRow(cells, 1, {"mix", false}, no), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(FindRow(cells, 0, {"mix", false}, no), -1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(FindRow(cells, 0, {"mix", false}, yes), 2);
    EXPECT_EQ(asked, 2);

    // Whole word: "mix" followed by a space; case folded unless asked not to.
    EXPECT_EQ(FindRow(cells, -1, {"mix", true, true}, no), 2);
    EXPECT_EQ(FindRow(cells, 2, {"MIX", true, false, false}, yes), 0);
    EXPECT_EQ(FindRow(cells, -1, {"mix", true, false, true}, no), 1);

    // No match: one full pass after the wrap, then it stops without asking again.
    asked = 0;
    EXPECT_EQ(FindRow(cells, 1, {"none", true}, yes), -1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(FindRow({}, -1, {"mix"}, yes), -1);
}

TEST(PlaylistPaths, SplittingDroppedAndChosenPaths) {
    EXPECT_EQ(SplitDropText("a.mp3|b.mp3"), (std::vector<std::string>{"a.mp3"}));
    EXPECT_EQ(SplitDropText("a.mp3|b.mp3|"), (std::vector<std::string>{"a.mp3", "b.mp3"}));
    EXPECT_EQ(SplitDropText("||/x|"), (std::vector<std::string>{"/x"}));
    EXPECT_EQ(SplitDialogPaths("/a|/b c"), (std::vector<std::string>{"/a", "/b c"}));
    EXPECT_EQ(SplitDialogPaths("/a||/b|"), (std::vector<std::string>{"/a", "/b"}));
}

TEST(PlaylistPaths, ExpandingFoldersRecursively) {
    TestDir dir;
    const auto touch = [&](const std::string& name) { std::ofstream(dir.file(name)) << "x"; };
    ASSERT_EQ(mkdir(dir.file("m").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("m/sub").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("m/sub/deeper").c_str(), 0755), 0);
    touch("m/b.mp3");
    touch("m/a.mp3");
    touch("m/sub/c.mp3");
    touch("m/sub/deeper/d.mp3");
    // A loop back to the top, a second way into a folder, and a link to nothing.
    ASSERT_EQ(symlink("..", dir.file("m/sub/deeper/loop").c_str()), 0);
    ASSERT_EQ(symlink("sub", dir.file("m/zlink").c_str()), 0);
    ASSERT_EQ(symlink("gone", dir.file("m/dangling").c_str()), 0);

    std::vector<std::string> added;
    const auto add = [&](const std::string& p) { added.push_back(p); };
    ExpandPath(dir.file("m"), add);
    EXPECT_EQ(added,
              (std::vector<std::string>{dir.file("m/a.mp3"), dir.file("m/b.mp3"),
                                        dir.file("m/sub/c.mp3"), dir.file("m/sub/deeper/d.mp3")}));
    added.clear();
    ExpandPath(dir.file("m/sub/"), add);
    EXPECT_EQ(added.front(), dir.file("m/sub/c.mp3"));
    added.clear();
    ExpandPath(dir.file("m/a.mp3"), add);
    ExpandPath(dir.file("m/none.mp3"), add);
    EXPECT_EQ(added, (std::vector<std::string>{dir.file("m/a.mp3")}));
}
