// The PDEV heap: blocks chained from the engine pool under one tag, freed one
// by one from anywhere in the chain or all at once, never leaked.
#include "render/platform/pdev_heap.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/base/control.h"

namespace {

class PdevHeap : public ::testing::Test {
 protected:
  void SetUp() override {
    live_ = plat::LiveBlocks();
    invalid_ = plat::InvalidFrees();
  }
  void TearDown() override {
    plat::FailAllocationAt(0);
    EXPECT_EQ(plat::LiveBlocks(), live_);
    EXPECT_EQ(plat::InvalidFrees(), invalid_);
  }

  std::size_t live_ = 0;
  std::size_t invalid_ = 0;
};

TEST_F(PdevHeap, BlocksAreFreedFromAnyPlaceInTheChainAndTheRestByDestroy) {
  HANDLE heap = HEAPCREATE();
  ASSERT_NE(heap, nullptr);
  const std::size_t tagged = plat::LiveBlocksTagged(kPdevHeapTag);
  std::vector<BYTE*> blocks;
  for (SIZE_T size : {SIZE_T{0}, SIZE_T{1}, SIZE_T{40}, SIZE_T{10240}, SIZE_T{3}}) {
    auto* block = static_cast<BYTE*>(HEAPALLOC(heap, size));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
    std::memset(block, 0x5A, size);  // the caller's bytes are the caller's
    blocks.push_back(block);
  }
  EXPECT_EQ(plat::LiveBlocksTagged(kPdevHeapTag), tagged + 5);
  HEAPFREE(heap, blocks[2]);  // the middle
  HEAPFREE(heap, blocks[4]);  // the newest
  HEAPFREE(heap, blocks[0]);  // the oldest
  EXPECT_EQ(plat::LiveBlocksTagged(kPdevHeapTag), tagged + 2);
  // Pointers that are no blocks of this heap change nothing.
  HEAPFREE(heap, blocks[2]);
  HEAPFREE(heap, blocks[1] + 1);
  HEAPFREE(heap, nullptr);
  HANDLE other = HEAPCREATE();
  ASSERT_NE(other, nullptr);
  HEAPFREE(other, blocks[3]);
  HEAPDESTROY(other);
  EXPECT_EQ(plat::LiveBlocksTagged(kPdevHeapTag), tagged + 2);
  HEAPDESTROY(heap);
  EXPECT_EQ(plat::LiveBlocksTagged(kPdevHeapTag), tagged - 1);
}

TEST_F(PdevHeap, AnEmptyHeapAndNullHeapsAreHandled) {
  HEAPDESTROY(HEAPCREATE());
  EXPECT_EQ(HEAPALLOC(nullptr, 8), nullptr);
  HEAPFREE(nullptr, nullptr);
  HEAPDESTROY(nullptr);
}

TEST_F(PdevHeap, ShortMemoryFailsOneRequestAndKeepsTheHeap) {
  plat::FailAllocationAt(1);
  EXPECT_EQ(HEAPCREATE(), nullptr);
  HANDLE heap = HEAPCREATE();
  ASSERT_NE(heap, nullptr);
  void* first = HEAPALLOC(heap, 16);
  ASSERT_NE(first, nullptr);
  plat::FailAllocationAt(1);
  EXPECT_EQ(HEAPALLOC(heap, 16), nullptr);
  EXPECT_EQ(HEAPALLOC(heap, SIZE_T{0xFFFFFFFF}), nullptr);  // no 32-bit request holds it
  void* second = HEAPALLOC(heap, 16);
  ASSERT_NE(second, nullptr);
  HEAPFREE(heap, first);
  HEAPDESTROY(heap);
}

}  // namespace
