#include "platform/files.h"
#include "platform/library.h"
#include "test_dir.h"

#include <gtest/gtest.h>

using namespace zem;

namespace {
using CounterFn = int (*)();
}

TEST(Library, SuffixConstants) {
    EXPECT_STREQ(kPluginSuffix, ".so");
    EXPECT_STREQ(kPluginPattern, "*.so");
}

TEST(Library, LoadsResolvesAndReportsFailures) {
    LibraryHandle h = LoadLibraryPath(ZEM_TEST_COUNTER_LIB);
    ASSERT_NE(h, nullptr) << LastLibraryError();
    EXPECT_TRUE(LastLibraryError().empty());
    EXPECT_NE(GetLibrarySymbol(h, "zem_test_counter_next"), nullptr);
    EXPECT_EQ(GetLibrarySymbol(h, "no_such_symbol"), nullptr);
    EXPECT_FALSE(LastLibraryError().empty());
    EXPECT_EQ(GetLibrarySymbol(nullptr, "zem_test_counter_next"), nullptr);
    FreeLibraryHandle(h);
    FreeLibraryHandle(nullptr);

    EXPECT_EQ(LoadLibraryPath("/no/such/library.so"), nullptr);
    EXPECT_FALSE(LastLibraryError().empty());
    EXPECT_EQ(LoadLibraryPath(""), nullptr);
    EXPECT_EQ(LoadLibraryPath(nullptr), nullptr);

    TestDir dir; // a file that is not a library
    const std::string fake = CreateUniqueFile(dir.path(), "fake");
    EXPECT_EQ(LoadLibraryPath(fake.c_str()), nullptr);
}

// Two private copies of one library file have separate globals; the same path loaded twice
// shares them. This is what gives each deck its own instance of a plug-in.
TEST(Library, PrivateCopiesKeepSeparateGlobals) {
    TestDir dir;
    const std::string copyA = dir.file("ZEMa.so"), copyB = dir.file("ZEMb.so");
    ASSERT_TRUE(CopyFileOverwrite(ZEM_TEST_COUNTER_LIB, copyA));
    ASSERT_TRUE(CopyFileOverwrite(ZEM_TEST_COUNTER_LIB, copyB));
    LibraryHandle a = LoadLibraryPath(copyA.c_str());
    LibraryHandle b = LoadLibraryPath(copyB.c_str());
    LibraryHandle a2 = LoadLibraryPath(copyA.c_str());
    ASSERT_TRUE(a && b && a2);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, a2);
    auto nextA = reinterpret_cast<CounterFn>(GetLibrarySymbol(a, "zem_test_counter_next"));
    auto nextB = reinterpret_cast<CounterFn>(GetLibrarySymbol(b, "zem_test_counter_next"));
    auto nextA2 = reinterpret_cast<CounterFn>(GetLibrarySymbol(a2, "zem_test_counter_next"));
    EXPECT_EQ(nextA(), 1);
    EXPECT_EQ(nextA(), 2);
    EXPECT_EQ(nextB(), 1);
    EXPECT_EQ(nextA2(), 3);
    FreeLibraryHandle(a2);
    FreeLibraryHandle(a);
    FreeLibraryHandle(b);
    EXPECT_TRUE(DeleteFilePath(copyA));
    EXPECT_TRUE(DeleteFilePath(copyB));
}
