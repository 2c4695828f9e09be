#include "../../platform/test_dir.h"
#include "engine/foundations/temp_files.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class TempFilesTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("TMPDIR", dir.path().c_str(), 1); }
    void TearDown() override { unsetenv("TMPDIR"); }
    TestDir dir;
};

} // namespace

TEST_F(TempFilesTest, CreatedFilesAreListedAndRemovedWithTheList) {
    const std::string a = ZEM_CreateTempFile();
    const std::string b = ZEM_CreateTempFile();
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(dir.path() + "/ZEM", 0), 0u);
    EXPECT_TRUE(zem::FileExists(a));
    EXPECT_EQ(ZEM_TempFileListPath(), dir.file("ZEM_TempFiles.dat"));
    std::ifstream list(ZEM_TempFileListPath());
    std::string l1, l2;
    std::getline(list, l1);
    std::getline(list, l2);
    EXPECT_EQ(l1, a);
    EXPECT_EQ(l2, b);
    list.close();

    ZEM_RemoveTempFiles();
    EXPECT_FALSE(zem::FileExists(a));
    EXPECT_FALSE(zem::FileExists(b));
    EXPECT_FALSE(zem::FileExists(ZEM_TempFileListPath()));
}

TEST_F(TempFilesTest, PathsWithSpacesAndCRLFEntriesAreDeleted) {
    const std::string spaced = dir.file("ZEM with spaces.tmp");
    const std::string crlf = dir.file("ZEMcrlf");
    std::ofstream(spaced) << "x";
    std::ofstream(crlf) << "x";
    std::ofstream(ZEM_TempFileListPath()) << spaced << "\n\n"
                                          << crlf << "\r\n"
                                          << dir.file("already gone") << "\n";
    ZEM_RemoveTempFiles();
    EXPECT_FALSE(zem::FileExists(spaced));
    EXPECT_FALSE(zem::FileExists(crlf));
    EXPECT_FALSE(zem::FileExists(ZEM_TempFileListPath()));
}

TEST_F(TempFilesTest, AMissingListDoesNothing) {
    const std::string keep = dir.file("keep");
    std::ofstream(keep) << "x";
    ZEM_RemoveTempFiles();
    EXPECT_TRUE(zem::FileExists(keep));
}

TEST_F(TempFilesTest, AnUncreatableFileGivesAnEmptyPath) {
    setenv("TMPDIR", dir.file("no/such/folder").c_str(), 1);
    EXPECT_EQ(ZEM_CreateTempFile(), "");
}
