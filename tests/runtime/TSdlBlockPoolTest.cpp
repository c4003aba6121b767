#include "runtime/TSdlBlockPool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

namespace {

class TSdlBlockPoolTest : public testing::Test {
  protected:
    void TearDown() override { TSdlBlockPool::UseOnThisThread(false); }
};

TEST_F(TSdlBlockPoolTest, BlocksComeOnlyToThreadsThatAskAndGoBackFromAnyThread) {
    const size_t Before = TSdlBlockPool::BlocksInUse();
    void* Heap = TSdlBlockPool::Allocate(32);
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before);

    TSdlBlockPool::UseOnThisThread(true);
    void* Small = TSdlBlockPool::Allocate(TSdlBlockPool::SmallBlock);
    void* Large = TSdlBlockPool::Allocate(TSdlBlockPool::SmallBlock + 1);
    void* Huge = TSdlBlockPool::Allocate(TSdlBlockPool::LargeBlock + 1);
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before + 2);

    // The mixer's thread frees what the game's thread took, and the other way round.
    std::thread([&] {
        TSdlBlockPool::Free(Small);
        TSdlBlockPool::Free(Heap);
    }).join();
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before + 1);
    TSdlBlockPool::Free(Large);
    TSdlBlockPool::Free(Huge);
    TSdlBlockPool::Free(nullptr);
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before);
}

TEST_F(TSdlBlockPoolTest, GrowingABlockPastItsSizeMovesItWithItsBytesAndZeroedOnesStartEmpty) {
    TSdlBlockPool::UseOnThisThread(true);
    const size_t Before = TSdlBlockPool::BlocksInUse();
    auto* Block = static_cast<unsigned char*>(TSdlBlockPool::Allocate(16));
    std::memset(Block, 0xAB, TSdlBlockPool::SmallBlock);
    EXPECT_EQ(TSdlBlockPool::Reallocate(Block, TSdlBlockPool::SmallBlock), Block);

    auto* Moved = static_cast<unsigned char*>(TSdlBlockPool::Reallocate(Block, 1000));
    ASSERT_NE(Moved, nullptr);
    for (size_t Byte = 0; Byte < TSdlBlockPool::SmallBlock; ++Byte)
        ASSERT_EQ(Moved[Byte], 0xAB) << Byte;
    auto* Out = static_cast<unsigned char*>(TSdlBlockPool::Reallocate(Moved, TSdlBlockPool::LargeBlock * 2));
    ASSERT_NE(Out, nullptr);
    EXPECT_EQ(Out[TSdlBlockPool::SmallBlock - 1], 0xAB);
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before);

    // The small block just given back, still holding the old bytes, is the next one handed out.
    auto* Zeroed = static_cast<unsigned char*>(TSdlBlockPool::AllocateZeroed(4, 8));
    for (size_t Byte = 0; Byte < 32; ++Byte)
        ASSERT_EQ(Zeroed[Byte], 0) << Byte;
    TSdlBlockPool::Free(Zeroed);
    TSdlBlockPool::Free(Out);
}

TEST_F(TSdlBlockPoolTest, WhenEveryBlockIsOutTheHeapServesAndNothingIsLost) {
    TSdlBlockPool::UseOnThisThread(true);
    const size_t Before = TSdlBlockPool::BlocksInUse();
    std::vector<void*> Blocks;
    for (size_t Count = 0; Count < TSdlBlockPool::SmallBlocks + TSdlBlockPool::LargeBlocks + 10; ++Count) {
        Blocks.push_back(TSdlBlockPool::Allocate(8));
        ASSERT_NE(Blocks.back(), nullptr);
    }
    EXPECT_LE(TSdlBlockPool::BlocksInUse(), TSdlBlockPool::SmallBlocks + TSdlBlockPool::LargeBlocks);
    for (void* Block : Blocks)
        TSdlBlockPool::Free(Block);
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before);
}

} // namespace
