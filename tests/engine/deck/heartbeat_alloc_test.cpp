// The heartbeat allocates nothing per tick (a loop-back's event object aside): every
// allocation made on this thread while ticks run is counted.
#include "deck_rig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Replacing the allocation functions with malloc and free is the point here.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
thread_local bool counting = false;
std::atomic<long> allocations{0};
} // namespace

void* operator new(std::size_t n) {
    if (counting)
        ++allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {
long allocationsDuring(DeckRig& rig, int ticks) {
    allocations = 0;
    for (int i = 0; i < ticks; ++i) {
        counting = true;
        rig.deck->Tick();
        counting = false;
        rig.Advance(DeckRig::kFramesPerTick);
    }
    return allocations.load();
}
} // namespace

TEST(HeartbeatAllocations, NoneWhilePlayingStoppedOrDraining) {
    DeckRig rig(44100 * 3);
    ASSERT_NE(rig.group, nullptr);
    EXPECT_EQ(allocationsDuring(rig, 20), 0); // stopped, filling, then idle
    rig.deck->Play();
    EXPECT_EQ(allocationsDuring(rig, 60), 0); // playing
    rig.deck->SetPosition(44100 * 4, false);
    EXPECT_EQ(allocationsDuring(rig, 80), 0); // reposition, refill, end of the song
    EXPECT_TRUE(rig.deck->GetFoundEndFlag());
}

TEST(HeartbeatAllocations, OneEventObjectPerLoopBack) {
    DeckRig rig(44100 * 20);
    ASSERT_NE(rig.group, nullptr);
    rig.deck->StoreStoredPosition(0, 4 * 10000, 0);
    rig.deck->StoreStoredPosition(0, 4 * 40000, 1);
    rig.deck->SetLoopSlot(0);
    rig.deck->Play();
    // 120 ticks play about 4 s: the first pass to the loop's end, then five or six passes
    // of 30000 frames; one event object each, nothing per tick.
    const long n = allocationsDuring(rig, 120);
    EXPECT_GE(n, 4);
    EXPECT_LE(n, 7);
}
