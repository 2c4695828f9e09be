#include "engine/foundations/standard_dirs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {
std::string zecDir() {
    return ZEM_GetZEMPath(1);
}

std::string zec(const char* song) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s", song);
    FNameToZEC(buf);
    return buf;
}
} // namespace

TEST(StandardDirs, FiveEntriesFromTheWorkingDirectoryAtLoad) {
    const std::string cwd = std::filesystem::current_path().string();
    ASSERT_NE(ZEM_GetZEMPath(0), nullptr);
    EXPECT_EQ(std::string(ZEM_GetZEMPath(0)), cwd);
    EXPECT_EQ(std::string(ZEM_GetZEMPath(1)), cwd + "/ZEC");
    EXPECT_EQ(std::string(ZEM_GetZEMPath(2)), cwd + "/Plugins");
    EXPECT_EQ(std::string(ZEM_GetZEMPath(3)), cwd + "/INI");
    EXPECT_EQ(std::string(ZEM_GetZEMPath(4)), cwd + "/SFX");
    EXPECT_EQ(ZEM_GetZEMPath(5), nullptr);
    EXPECT_EQ(ZEM_GetZEMPath(-1), nullptr);
    EXPECT_NE(std::string(ZEM_GetZEMPath(0)).back(), '/');
}

TEST(StandardDirs, ALaterChangeOfWorkingDirectoryDoesNotMoveThem) {
    const std::string before = ZEM_GetZEMPath(0);
    const std::string cwd = std::filesystem::current_path().string();
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(std::string(ZEM_GetZEMPath(0)), before);
    ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST(FNameToZEC, MapsASongToItsSettingsFile) {
    EXPECT_EQ(zec("D:\\Music\\Set 1\\Track.mp3"), zecDir() + "/Track.zec");
    EXPECT_EQ(zec("/home/dj/Set 1/Track.mp3"), zecDir() + "/Track.zec");
    EXPECT_EQ(zec("C:\\a\\b.c\\song"), zecDir() + "/song.zec"); // dot only in a folder
    EXPECT_EQ(zec("/a/b.c/song"), zecDir() + "/song.zec");
    EXPECT_EQ(zec("/music/track.tar.mp3"), zecDir() + "/track.tar.zec");
    EXPECT_EQ(zec("C:\\mixed/folders\\name.flac"), zecDir() + "/name.zec");
    EXPECT_EQ(zec("plain"), zecDir() + "/plain.zec");
    EXPECT_EQ(zec("/x/.hidden"), zecDir() + "/.zec");
}

TEST(FNameToZEC, NeverWritesPastTheBuffer) {
    char buf[600];
    std::memset(buf, '#', sizeof buf);
    std::string longName = "/" + std::string(505, 'n') + ".mp3";
    std::memcpy(buf, longName.c_str(), longName.size() + 1);
    FNameToZEC(buf);
    EXPECT_EQ(std::strlen(buf), 511u);
    EXPECT_EQ(buf[512], '#');
}
