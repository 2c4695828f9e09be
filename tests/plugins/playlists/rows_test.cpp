// The playlist window's rows without widgets: adding, removing, moving, sorting and opening, and
// where the selection, the focus and the next mark end up.
#include "plugins/playlists/playlist_rows.h"
#include "tests/platform/test_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace playlists;

namespace {

PlaylistEntry Entry(const std::string& path, float bpm = 0) {
    PlaylistEntry e;
    e.SetPath(path);
    e.bpm = bpm;
    e.infoPending = false;
    return e;
}

struct Rig {
    std::vector<PlaylistEntry> entries;
    std::vector<std::string> opened;
    int modified = 0;
    int channel = 4;
    PlaylistRows rows{entries, RowsServices{
                                   [](PlaylistEntry& e) { e.infoPending = false; },
                                   [this](const std::string& p) {
                                       opened.push_back(p);
                                       return channel;
                                   },
                                   [] { return int32_t{1'700'000'000}; },
                                   [this] { ++modified; },
                               }};
    std::vector<std::string> Paths() {
        std::vector<std::string> paths;
        for (int r = 0; r < rows.RowCount(); ++r)
            paths.emplace_back(entries[rows.EntryOfRow(r)].Path());
        return paths;
    }
    std::string NextPath() { return std::string(entries[rows.EntryOfRow(rows.NextRow())].Path()); }
};

void Touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "x";
}

} // namespace

TEST(PlaylistRows, AddingFoldersAndFilesSelectsTheFirstRowAndMarksItNext) {
    TestDir dir;
    Touch(dir.file("set/b.wav"));
    Touch(dir.file("set/deeper/c.wav"));
    Rig rig;
    rig.rows.AddPaths({dir.file("missing.wav"), dir.file("set"), dir.file("set/b.wav")});
    EXPECT_EQ(rig.Paths(),
              (std::vector<std::string>{dir.file("set/b.wav"), dir.file("set/deeper/c.wav"),
                                        dir.file("set/b.wav")}));
    EXPECT_EQ(rig.rows.Selection(), std::set<int>{0});
    EXPECT_EQ(rig.rows.FocusRow(), 0);
    EXPECT_EQ(rig.rows.NextRow(), 0);
    EXPECT_EQ(rig.modified, 3);
    for (const PlaylistEntry& e : rig.entries)
        EXPECT_TRUE(e.infoPending) << "looked up when shown, not when added";
}

TEST(PlaylistRows, RemovingKeepsTheNextMarkOnItsSongAndFocusesWhatFollows) {
    Rig rig;
    for (const char* p : {"a", "b", "c", "d", "e"})
        rig.entries.push_back(Entry(p));
    rig.rows.Fill();
    rig.rows.MarkNext(3); // "d"
    rig.rows.SetSelection({0, 1});
    rig.rows.SetFocusRow(1);
    rig.rows.RemoveSelected();
    EXPECT_EQ(rig.Paths(), (std::vector<std::string>{"c", "d", "e"}));
    EXPECT_EQ(rig.NextPath(), "d");
    EXPECT_EQ(rig.rows.FocusRow(), 0);
    EXPECT_EQ(rig.rows.Selection(), std::set<int>{0});
    EXPECT_EQ(rig.entries.size(), 3u) << "the array drops the removed entries";

    // The next row itself, at the end: the last row left becomes next.
    rig.rows.MarkNext(2);
    rig.rows.SetSelection({2});
    rig.rows.RemoveSelected();
    EXPECT_EQ(rig.rows.NextRow(), 1);
    EXPECT_EQ(rig.rows.FocusRow(), 1);
    rig.rows.SelectAll();
    rig.rows.RemoveSelected();
    EXPECT_EQ(rig.rows.RowCount(), 0);
    EXPECT_TRUE(rig.rows.Selection().empty());
}

TEST(PlaylistRows, DraggedRowsMoveAsOneBlockAndSortsReorderOnlyTheRows) {
    Rig rig;
    rig.entries = {Entry("a", 118.7f), Entry("b", 90), Entry("c", 118.2f), Entry("d", 100)};
    rig.rows.Fill();
    // a and b dropped before d: the position counts without the moved rows.
    rig.rows.SetSelection({0, 1});
    rig.rows.MoveSelectedTo(3);
    EXPECT_EQ(rig.Paths(), (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_EQ(rig.rows.Selection(), (std::set<int>{1, 2}));
    EXPECT_EQ(rig.rows.FocusRow(), 1);
    EXPECT_EQ(rig.NextPath(), "a") << "the next mark stays on its song";
    EXPECT_EQ(rig.rows.DragText(), "a|b|");
    EXPECT_EQ(std::string(rig.entries[0].Path()), "c") << "the array follows a move";

    // By BPM: whole numbers, so 118.2 and 118.7 keep their order; then reversed.
    rig.rows.SortByColumn(1);
    EXPECT_EQ(rig.Paths(), (std::vector<std::string>{"b", "d", "c", "a"}));
    EXPECT_EQ(std::string(rig.entries[0].Path()), "c") << "a sort leaves the array alone";
    rig.rows.SortByColumn(1);
    EXPECT_FALSE(rig.rows.SortAscending());
    EXPECT_EQ(rig.Paths().back(), "b");
    EXPECT_EQ(rig.NextPath(), "a");
    std::vector<std::string> saved;
    for (const PlaylistEntry* e : rig.rows.EntriesInRowOrder())
        saved.emplace_back(e->Path());
    EXPECT_EQ(saved, rig.Paths()) << "a save writes the rows' order";
}

TEST(PlaylistRows, OpeningARowStampsItEvenWhenTheDeckFails) {
    Rig rig;
    rig.entries = {Entry("/m/a.wav"), Entry("/m/b.wav")};
    rig.rows.Fill();
    rig.channel = -1;
    EXPECT_EQ(rig.rows.OpenRow(1), -1);
    EXPECT_EQ(rig.opened, std::vector<std::string>{"/m/b.wav"});
    EXPECT_EQ(rig.entries[1].lastPlayed, 1'700'000'000);
    EXPECT_EQ(rig.entries[0].lastPlayed, 0);
    EXPECT_EQ(rig.rows.OpenRow(7), -1) << "no such row";
    EXPECT_EQ(rig.opened.size(), 1u);
    rig.rows.SetPlayed(0);
    EXPECT_EQ(rig.rows.UnplayedRows(), std::vector<int>{1});
    rig.rows.ClearPlayedMarks();
    EXPECT_EQ(rig.rows.UnplayedRows(), (std::vector<int>{0, 1}));
}
