#include "platform/files.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <dirent.h>

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

TEST(Files, TempDirectoryFollowsTMPDIR) {
    TestDir dir;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", (dir.path() + "/").c_str(), 1);
    EXPECT_EQ(TempDirectory(), dir.path()); // trailing separator dropped
    unsetenv("TMPDIR");
    EXPECT_EQ(TempDirectory(), "/tmp");
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
}

TEST(Files, UniqueFilesAreCreatedEmptyWithTheirPrefix) {
    TestDir dir;
    const std::string a = CreateUniqueFile(dir.path(), "ZEM");
    const std::string b = CreateUniqueFile(dir.path(), "ZEM");
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(dir.path() + "/ZEM", 0), 0u);
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(slurp(a), "");
    EXPECT_EQ(CreateUniqueFile(dir.file("missing-folder"), "ZEM"), "");
}

TEST(Files, CopyOverwritesAndDeleteRemoves) {
    TestDir dir;
    spit(dir.file("src"), std::string("abc\0def", 7));
    spit(dir.file("dst"), "old contents that are longer");
    EXPECT_TRUE(CopyFileOverwrite(dir.file("src"), dir.file("dst")));
    EXPECT_EQ(slurp(dir.file("dst")), std::string("abc\0def", 7));
    EXPECT_FALSE(CopyFileOverwrite(dir.file("nope"), dir.file("dst2")));
    EXPECT_FALSE(CopyFileOverwrite(dir.path(), dir.file("dst3"))); // a folder is no file
    EXPECT_FALSE(CopyFileOverwrite(dir.file("src"), dir.file("no/such/dst")));
    EXPECT_TRUE(DeleteFilePath(dir.file("dst")));
    EXPECT_FALSE(FileExists(dir.file("dst")));
    EXPECT_FALSE(DeleteFilePath(dir.file("dst")));
}

TEST(Files, ScanMatchesThePatternInFileSystemOrder) {
    TestDir dir;
    for (const char* n : {"b.so", "a.so", "c.txt", "d.so.bak", "e.SO"})
        spit(dir.file(n), "x");
    std::filesystem::create_directory(dir.file("folder.so"));
    const std::vector<std::string> found = ScanDirectory(dir.path(), "*.so");

    // Same order as readdir gives, without the non-matching names and the folder.
    std::vector<std::string> expected;
    DIR* d = opendir(dir.path().c_str());
    while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n == "a.so" || n == "b.so")
            expected.push_back(n);
    }
    closedir(d);
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(ScanDirectory(dir.file("missing"), "*.so").empty());
}

TEST(Files, CurrentDirectoryAndJoin) {
    EXPECT_EQ(CurrentDirectory(), std::filesystem::current_path().string());
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
}
