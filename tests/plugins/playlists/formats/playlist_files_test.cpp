// Playlist files written to a temporary folder and read back, in every format and encoding.
#include "plugins/playlists/formats/playlist_format.h"
#include "plugins/playlists/formats/playlist_text.h"
#include "tests/platform/test_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <fstream>
#include <random>
#include <sstream>

using namespace playlists;

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<PlaylistEntry> Load(const TestDir& dir, const std::string& name,
                                const std::string& bytes) {
    WriteFile(dir.file(name), bytes);
    return ReadPlaylist(dir.file(name));
}

} // namespace

TEST(PlaylistFormat, HeaderVersionDecidesTheFields) {
    auto e = ParsePlaylist("<1.80>\r\na.mp3|120.5|200|0\r\n", "C:\\Lists\\list.zpl");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Path(), "C:\\Lists\\a.mp3");
    EXPECT_FLOAT_EQ(e[0].bpm, 120.5f);
    EXPECT_EQ(e[0].totalTime, 200);
    EXPECT_EQ(e[0].lastPlayed, 0);
    EXPECT_FALSE(e[0].infoPending);

    e = ParsePlaylist("<1.70>\n/a.mp3|99|300|1234\n", "/l/x.zpl");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].totalTime, 300);
    EXPECT_EQ(e[0].lastPlayed, 0) << "a 1.70 line has two fields";

    // Unknown BPM (-1), an unparsable BPM, and no fields at all: looked up later.
    e = ParsePlaylist("<1.80>\n/a|-1.000000|5|6\n/b|x|5|6\n/c\n/d|+7|  8|-9\n", "/l/x.zpl");
    ASSERT_EQ(e.size(), 4u);
    EXPECT_TRUE(e[0].infoPending);
    EXPECT_EQ(e[0].bpm, 0.0f);
    EXPECT_EQ(e[0].totalTime, 5);
    EXPECT_TRUE(e[1].infoPending);
    EXPECT_EQ(e[1].totalTime, 0) << "conversion stops at the failed field";
    EXPECT_TRUE(e[2].infoPending);
    EXPECT_EQ(e[3].bpm, 7.0f);
    EXPECT_EQ(e[3].totalTime, 8);
    EXPECT_EQ(e[3].lastPlayed, -9);

    // Out of range: no undefined behaviour; the BPM stays unknown, the integers saturate.
    e = ParsePlaylist("<1.80>\n/a|1e999|99999999999|-99999999999999999999999\n", "/l/x.zpl");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_TRUE(e[0].infoPending);
    EXPECT_EQ(e[0].totalTime, INT32_MAX);
    EXPECT_EQ(e[0].lastPlayed, INT32_MIN);
}

TEST(PlaylistFormat, PlainListsAndZplWithoutHeader) {
    auto e = ParsePlaylist("x.mp3,98\n#note\ny.mp3\n", "/l/old.zpl");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Path(), "/l/x.mp3");
    EXPECT_EQ(e[0].bpm, 98.0f);
    EXPECT_EQ(e[0].totalTime, 0);
    EXPECT_FALSE(e[0].infoPending);
    EXPECT_EQ(e[1].Path(), "/l/#note") << "without a header \"#\" lines are entries";
    EXPECT_TRUE(e[2].infoPending);

    e = ParsePlaylist("#EXTM3U\n#EXTINF:215,Artist - Title\nD:\\a,b.mp3\nsub\\c|120.mp3,5\n",
                      "/m/list.m3u");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Path(), "D:\\a");
    EXPECT_EQ(e[1].Path(), "/m/sub/c|120.mp3");
    EXPECT_TRUE(e[0].infoPending);
    EXPECT_TRUE(e[1].infoPending) << "a plain list carries no information";

    e = ParsePlaylist("<1.80>\n/a.mp3|1|2|3\n", "/l/LIST.ZPL");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Path(), "/l/<1.80>");
    EXPECT_EQ(e[1].Path(), "/a.mp3|1|2|3");
    EXPECT_TRUE(IsZplPath("a.b/c.zpl"));
    EXPECT_FALSE(IsZplPath("c.zpl.bak"));
    EXPECT_FALSE(IsZplPath("zpl"));
}

TEST(PlaylistFormat, ReadsFilesWithAnyLineEndsAndPaths) {
    TestDir dir;
    // CR LF and LF mixed, empty lines, no final line end; relative paths with Windows
    // separators are joined to the playlist's folder, absolute ones stay as written.
    auto e = Load(dir, "p.zpl",
                  "<1.80>\r\n\r\nsub\\b.mp3|1|2|3\n/abs/c.mp3|1|2|3\r\n\nE:\\x\\y.mp3|4|5|6");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Path(), dir.file("sub/b.mp3"));
    EXPECT_EQ(e[1].Path(), "/abs/c.mp3");
    EXPECT_EQ(e[2].Path(), "E:\\x\\y.mp3");
    EXPECT_EQ(e[2].lastPlayed, 6);

    EXPECT_TRUE(ReadPlaylist(dir.file("missing.zpl")).empty());
    EXPECT_TRUE(ReadPlaylist(dir.path()).empty()) << "a folder reads as nothing";
    EXPECT_TRUE(Load(dir, "empty.zpl", "").empty());
}

TEST(PlaylistFormat, LongLinesAndPathsThatDoNotFit) {
    const std::string p255 = "/" + std::string(254, 'a');
    const std::string p258 = "/" + std::string(257, 'b');
    const std::string p259 = "/" + std::string(258, 'c');
    // A 255-character line, lines longer than 255 (a 258-byte path and its fields, as saving
    // writes them), and a path that does not fit, which alone is left out.
    auto e = ParsePlaylist(p255 + "\n" + p259 + "|1|2|3\n<x>\n", "/l/a.m3u");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Path(), p255);
    e = ParsePlaylist("<1.80>\n" + p258 + "|120.000000|100|0\n" + p259 + "|1|2|3\n/z|1|2|3\n",
                      "/l/a.zpl");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].Path(), p258);
    EXPECT_EQ(e[0].totalTime, 100);
    EXPECT_EQ(e[1].Path(), "/z");
    // Joining to the folder can push a short line over the limit.
    e = ParsePlaylist(std::string(250, 'd') + "\n", "/" + std::string(10, 'f') + "/a.m3u");
    EXPECT_TRUE(e.empty());
}

TEST(PlaylistFormat, EncodingsBecomeUtf8) {
    TestDir dir;
    // Windows-1252: e-acute, the euro sign, and an undefined code.
    auto e = Load(dir, "w.m3u", "Caf\xE9 \x80\x81.mp3\r\n");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(FileNameOf(e[0].Path()), "Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81.mp3");

    // UTF-8 with a byte-order mark: the mark goes, the names stay byte-exact through a save.
    const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB5 Caf\xC3\xA9.mp3";
    e = Load(dir, "u.zpl", "\xEF\xBB\xBF<1.80>\n" + name + "|128.000000|61|0\n");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Path(), dir.file(name));
    ASSERT_TRUE(WritePlaylist(dir.file("u.zpl"), InArrayOrder(e)));
    EXPECT_EQ(ReadFile(dir.file("u.zpl")), "<1.80>\n" + dir.file(name) + "|128.000000|61|0\n");

    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
}

TEST(PlaylistFormat, GarbageLoadsWithoutHarm) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<size_t>(random() % 2000), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 8 == 0 ? "\n|,<\r#"[random() % 6] : random());
        for (const char* path : {"/g/a.zpl", "/g/a.m3u"}) {
            for (const PlaylistEntry& e : ParsePlaylist(bytes, path)) {
                ASSERT_FALSE(e.Path().empty());
                ASSERT_TRUE(IsValidUtf8(e.Path()));
            }
        }
    }
}

TEST(PlaylistFormat, SaveWritesRowOrderAndRoundTrips) {
    TestDir dir;
    std::vector<PlaylistEntry> e(3);
    e[0].SetPath("C:\\Music\\a.mp3");
    e[0].bpm = 118.0f;
    e[0].totalTime = 245;
    e[1].SetPath("/m/b.mp3");
    e[1].bpm = 118.123456f;
    e[1].totalTime = 3;
    e[1].lastPlayed = 1700000000;
    e[1].played = true;
    e[2].SetPath("/m/c.mp3");
    const std::string file = dir.file("s.zpl");
    // A sorted window order, not the array's.
    ASSERT_TRUE(WritePlaylist(file, {&e[2], &e[0], &e[1]}));
    EXPECT_EQ(ReadFile(file), "<1.80>\n/m/c.mp3|0.000000|0|0\nC:\\Music\\a.mp3|118.000000|245|0\n"
                              "/m/b.mp3|118.123459|3|1700000000\n");
    const auto back = ReadPlaylist(file);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[2].Path(), "/m/b.mp3");
    EXPECT_EQ(back[2].bpm, e[1].bpm) << "six decimals identify the float";
    EXPECT_EQ(back[2].totalTime, 3);
    EXPECT_EQ(back[2].lastPlayed, 1700000000);
    EXPECT_FALSE(back[2].played);
    EXPECT_FALSE(back[0].infoPending) << "a saved 0 BPM counts as known";

    // The old file's permissions survive; saving through a link replaces the file it names.
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(symlink(file.c_str(), dir.file("link.zpl").c_str()), 0);
    ASSERT_TRUE(WritePlaylist(dir.file("link.zpl"), {&e[0]}));
    struct stat st {};
    ASSERT_EQ(lstat(dir.file("link.zpl").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadPlaylist(file).size(), 1u);
}

TEST(PlaylistFormat, FailedSaveLeavesNothingBehind) {
    TestDir dir;
    PlaylistEntry entry;
    entry.SetPath("/a.mp3");
    ASSERT_EQ(mkdir(dir.file("taken.zpl").c_str(), 0755), 0);
    WriteFile(dir.file("taken.zpl/inside"), "keep");
    EXPECT_FALSE(WritePlaylist(dir.file("taken.zpl"), {&entry}));
    EXPECT_FALSE(WritePlaylist(dir.file("no/such/folder.zpl"), {&entry}));
    EXPECT_EQ(ReadFile(dir.file("taken.zpl/inside")), "keep");
    int files = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1) << "the temporary file was removed";
}

TEST(PlaylistFormat, NumbersIgnoreTheProcessLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    PlaylistEntry entry;
    entry.SetPath("/a.mp3");
    entry.bpm = 120.5f;
    const std::string text = FormatPlaylist({&entry});
    const auto back = ParsePlaylist(text, "/l/a.zpl");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "<1.80>\n/a.mp3|120.500000|0|0\n");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].bpm, 120.5f);
}

TEST(PlaylistFormat, TitleCarriesTheTotal) {
    std::vector<PlaylistEntry> e(2);
    e[0].totalTime = 3600;
    e[1].totalTime = 123;
    EXPECT_EQ(TotalSeconds(e), 3723u);
    const std::string title = PlaylistWindowTitle("party.zpl", 3723, true);
    EXPECT_EQ(title, "party.zpl   <1:02:03> *");
    EXPECT_EQ(PlaylistWindowTitle(title, 100 * 3600 + 59, false), "party.zpl   <100:00:59>");
}
