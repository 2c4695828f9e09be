#include "engine/buffers/data_buffer.h"
#include "engine/buffers/input_lock_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DataBuffer, StartsEmptyFreeAndWithoutData) {
    DataBuffer b;
    EXPECT_EQ(b.start, nullptr);
    EXPECT_EQ(b.current, nullptr);
    EXPECT_EQ(b.length, 0u);
    EXPECT_TRUE(b.isFree);
    EXPECT_TRUE(b.evFree.IsManualReset());
    EXPECT_TRUE(b.evFree.IsSet());
    EXPECT_FALSE(b.evData.IsManualReset());
    EXPECT_FALSE(b.evData.IsSet());
    EXPECT_EQ(b.counter, 0u);
    EXPECT_FALSE(b.flag);
}

TEST(DataBuffer, ResizeReportsFalseAndKeepsTheLength) {
    DataBuffer b;
    b.length = 123;
    EXPECT_FALSE(b.ResizeBuffer(4096));
    ASSERT_NE(b.start, nullptr);
    EXPECT_EQ(b.current, b.start);
    EXPECT_EQ(b.capacity, 4096u);
    EXPECT_EQ(b.length, 123u);
    std::memset(b.start, 0x5A, 4096); // the whole block is writable
    EXPECT_FALSE(b.ResizeBuffer(16));
    EXPECT_EQ(b.capacity, 16u);
    EXPECT_EQ(b.current, b.start);
}

TEST(DataBuffer, AssignmentCopiesTheDataAtTheSameOffset) {
    DataBuffer source;
    source.ResizeBuffer(1000);
    for (int i = 0; i < 1000; ++i)
        source.start[i] = static_cast<unsigned char>(i);
    source.current = source.start + 300;
    source.length = 200;
    source.counter = 42;
    source.flag = true;

    DataBuffer target;
    target.ResizeBuffer(50);
    unsigned char* oldBlock = target.start;
    EXPECT_EQ(target = source, 1);
    ASSERT_NE(target.start, nullptr);
    EXPECT_NE(target.start, oldBlock);
    EXPECT_NE(target.start, source.start);
    EXPECT_EQ(target.current - target.start, 300);
    EXPECT_EQ(target.capacity, 500u); // offset plus length
    EXPECT_EQ(target.length, 200u);
    EXPECT_EQ(std::memcmp(target.current, source.current, 200), 0);
    EXPECT_EQ(target.counter, 42u);
    EXPECT_TRUE(target.flag);
    // The events stay the target's own.
    EXPECT_FALSE(target.evFree.SameAs(source.evFree));
    EXPECT_FALSE(target.evData.SameAs(source.evData));
}

TEST(DataBuffer, AssigningAnEmptyRecordReleasesTheBlock) {
    DataBuffer source;
    source.counter = 7;
    DataBuffer target;
    target.ResizeBuffer(64);
    target.length = 10;
    EXPECT_EQ(target = source, 1);
    EXPECT_EQ(target.start, nullptr);
    EXPECT_EQ(target.current, nullptr);
    EXPECT_EQ(target.length, 0u);
    EXPECT_EQ(target.counter, 7u);
}

// A length left over from before a smaller resize must not read past the source's block.
TEST(DataBuffer, AssignmentCopiesOnlyBytesInsideTheSourceBlock) {
    DataBuffer source;
    source.length = 5000;
    source.ResizeBuffer(100); // the length stays 5000
    std::memset(source.start, 0x11, 100);
    source.current = source.start + 40;

    DataBuffer target;
    EXPECT_EQ(target = source, 1);
    EXPECT_EQ(target.length, 60u);
    EXPECT_EQ(target.capacity, 100u);
    EXPECT_EQ(target.current[59], 0x11);

    DataBuffer noBlock;
    noBlock.length = 30;
    EXPECT_EQ(target = noBlock, 1);
    EXPECT_EQ(target.length, 0u);
    EXPECT_EQ(target.start, nullptr);
}

TEST(DataBuffer, SelfAssignmentAndCopiesKeepTheData) {
    DataBuffer b;
    b.ResizeBuffer(10);
    std::memcpy(b.start, "0123456789", 10);
    b.length = 10;
    DataBuffer& same = b;
    EXPECT_EQ(b = same, 1);
    ASSERT_NE(b.start, nullptr);
    EXPECT_EQ(std::memcmp(b.start, "0123456789", 10), 0);

    DataBuffer copy(b);
    EXPECT_NE(copy.start, b.start);
    EXPECT_EQ(copy.length, 10u);
    EXPECT_EQ(std::memcmp(copy.current, "0123456789", 10), 0);
    EXPECT_TRUE(copy.evFree.IsSet());
}

TEST(InputLockBuffer, ZeroAndCopied) {
    InputLockBuffer a;
    EXPECT_EQ(a.position, 0u);
    EXPECT_EQ(a.length, 0u);
    a.position = 10;
    a.length = 20;
    InputLockBuffer b = a;
    EXPECT_EQ(b.position, 10u);
    EXPECT_EQ(b.length, 20u);
}

} // namespace
