#include "../platform/test_dir.h"
#include "contracts/private_ini.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

TEST(PrivateINI, ReadsAndWritesEveryKindOfValue) {
    TestDir dir;
    const std::string path = dir.file("GlobalDSPPlugins.ini");
    PrivateINI ini(path.c_str());
    EXPECT_EQ(ini.GetInt("General", "DSP Count", 0), 0);
    ASSERT_TRUE(ini.WriteInt("General", "DSP Count", 2));
    ASSERT_TRUE(ini.WriteString("DSP Effects", "DSP 0", "/p/ZEM_DSP_Echo.so|0"));
    ASSERT_TRUE(ini.WriteFloat("ZEC Info", "BPM", 127.456f));

    int count = -1;
    EXPECT_EQ(ini.GetInt("general", "dsp count", count, 0), 2);
    EXPECT_EQ(count, 2);
    float bpm = 0;
    EXPECT_EQ(ini.GetFloat("ZEC Info", "BPM", bpm, 0.f), 127.456f);
    EXPECT_EQ(bpm, 127.456f);
    float missing = 1;
    EXPECT_EQ(ini.GetFloat("ZEC Info", "none", missing, 3.5f), 3.5f);
    EXPECT_EQ(missing, 3.5f);

    char buf[32];
    EXPECT_EQ(ini.GetString("DSP Effects", "DSP 0", buf, "", sizeof buf), buf);
    EXPECT_STREQ(buf, "/p/ZEM_DSP_Echo.so|0");
    ini.GetString("DSP Effects", "DSP 0", buf, "", 5); // at most size bytes, terminator included
    EXPECT_STREQ(buf, "/p/Z");
    ini.GetString("DSP Effects", "DSP 9", buf, "default", sizeof buf);
    EXPECT_STREQ(buf, "default");
    buf[0] = 'q';
    ini.GetString("DSP Effects", "DSP 0", buf, "", 0); // size 0 writes nothing
    EXPECT_EQ(buf[0], 'q');
    EXPECT_EQ(ini.GetString("A", "b", nullptr, "", 10), nullptr);
}

TEST(PrivateINI, IsItsPathAndCopiesBytewise) {
    TestDir dir;
    const std::string path = dir.file("x.ini");
    PrivateINI a(path.c_str());
    PrivateINI b(nullptr);
    std::memcpy(static_cast<void*>(&b), &a, sizeof a);
    ASSERT_TRUE(b.WriteInt("S", "k", 4));
    EXPECT_EQ(a.GetInt("S", "k", 0), 4);
    EXPECT_STREQ(b.GetPath(), path.c_str());

    const std::string longPath(400, 'a');
    PrivateINI c(longPath.c_str());
    EXPECT_EQ(std::strlen(c.GetPath()), 259u);
    PrivateINI none(nullptr);
    EXPECT_EQ(none.GetInt("S", "k", 11), 11);
    EXPECT_FALSE(none.WriteInt("S", "k", 1));
}

TEST(PrivateINI, NonNumbersGiveTheDefault) {
    TestDir dir;
    const std::string path = dir.file("y.ini");
    std::ofstream(path) << "[S]\nn=abc\nm=12abc\n";
    PrivateINI ini(path.c_str());
    EXPECT_EQ(ini.GetInt("S", "n", 5), 5);
    EXPECT_EQ(ini.GetInt("S", "m", 5), 12);
}
