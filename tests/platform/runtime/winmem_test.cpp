#include "platform/runtime/winmem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "tests/common/invalid_frees.h"

namespace {

constexpr ULONG kTag = plat::PoolTag("Dpsm");

bool AllZero(const void* p, std::size_t n) {
  const auto* b = static_cast<const BYTE*>(p);
  return std::all_of(b, b + n, [](BYTE v) { return v == 0; });
}

// Stands for code under test that forgets one of its blocks.
void* LeakyRoutine() {
  void* kept = GlobalAlloc(GPTR, 16);
  GlobalFree(GlobalAlloc(GPTR, 32));
  return kept;
}

}  // namespace

TEST(WinMem, GlobalBlocksAreZeroedAndSized) {
  HGLOBAL h = GlobalAlloc(GMEM_FIXED, 100);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(AllZero(h, 100));
  EXPECT_EQ(GlobalSize(h), 100u);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(WinMem, EnginePoolIsZeroedOnlyOnRequestAndKeepsTags) {
  const std::size_t before = plat::LiveBlocksTagged(kTag);
  void* dirty = EngAllocMem(0, 64, kTag);
  void* clean = EngAllocMem(FL_ZERO_MEMORY, 64, kTag);
  void* other = EngAllocMem(FL_ZERO_MEMORY, 8, plat::PoolTag("Dpsh"));
  ASSERT_TRUE(dirty && clean && other);
  EXPECT_FALSE(AllZero(dirty, 64));
  EXPECT_TRUE(AllZero(clean, 64));
  EXPECT_EQ(plat::LiveBlocksTagged(kTag), before + 2);
  EngFreeMem(dirty);
  EngFreeMem(clean);
  EngFreeMem(other);
  EngFreeMem(nullptr);
  EXPECT_EQ(plat::LiveBlocksTagged(kTag), before);
  EXPECT_EQ(kTag, 0x4470736Du);
}

TEST(WinMem, AccountingCatchesALeak) {
  const std::size_t before = plat::LiveBlocks();
  void* leaked = LeakyRoutine();
  EXPECT_EQ(plat::LiveBlocks(), before + 1);
  GlobalFree(leaked);
  EXPECT_EQ(plat::LiveBlocks(), before);
}

TEST(WinMem, FailSwitchFailsExactlyTheChosenAllocation) {
  plat::FailAllocationAt(3);
  void* first = GlobalAlloc(GPTR, 8);
  void* second = EngAllocMem(0, 8, kTag);
  SetLastError(0);
  const std::size_t live = plat::LiveBlocks();
  void* third = EngAllocMem(FL_ZERO_MEMORY, 8, kTag);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(plat::LiveBlocks(), live);
  void* fourth = GlobalAlloc(GPTR, 8);
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
  EXPECT_EQ(third, nullptr);
  EXPECT_NE(fourth, nullptr);
  GlobalFree(first);
  EngFreeMem(second);
  GlobalFree(fourth);

  plat::FailAllocationAt(1);
  plat::FailAllocationAt(0);  // switched off again
  void* fifth = GlobalAlloc(GPTR, 8);
  EXPECT_NE(fifth, nullptr);
  GlobalFree(fifth);
}

TEST(WinMem, FreesOfAnythingButALiveBlockFailAndAreCounted) {
  kesm_test::ExpectInvalidFrees(2);
  const std::size_t invalid = plat::InvalidFrees();
  HGLOBAL h = GlobalAlloc(GPTR, 8);
  EngFreeMem(h);  // wrong pool: the block stays
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GlobalSize(h), 8u);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalFree(h), h);  // twice
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(plat::InvalidFrees(), invalid + 2);
}

// Addresses inside a live block, just past it or misaligned are no blocks:
// freeing them frees nothing, and the block itself stays whole.
TEST(WinMem, AddressesInsideOrBesideABlockAreNotBlocks) {
  constexpr int kOffsets[] = {1, 8, 16, 32, 48, 64};
  kesm_test::ExpectInvalidFrees(2 * std::size(kOffsets));
  const std::size_t invalid = plat::InvalidFrees();
  auto* g = static_cast<BYTE*>(GlobalAlloc(GPTR, 64));
  auto* e = static_cast<BYTE*>(EngAllocMem(FL_ZERO_MEMORY, 64, kTag));
  ASSERT_TRUE(g && e);
  for (int offset : kOffsets) {
    EXPECT_EQ(GlobalFree(g + offset), g + offset) << offset;
    EXPECT_EQ(GlobalSize(g + offset), 0u) << offset;
    EngFreeMem(e + offset);
  }
  EXPECT_EQ(plat::InvalidFrees(), invalid + 2 * std::size(kOffsets));
  EXPECT_EQ(GlobalSize(g), 64u);
  EXPECT_TRUE(AllZero(g, 64));
  EXPECT_TRUE(AllZero(e, 64));
  EXPECT_EQ(GlobalFree(g), nullptr);
  EngFreeMem(e);
  EXPECT_EQ(plat::InvalidFrees(), invalid + 2 * std::size(kOffsets));
}

TEST(WinMem, LockCountOfAGlobalBlock) {
  HGLOBAL h = GlobalAlloc(GHND, 4);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_TRUE(GlobalUnlock(h));
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), NO_ERROR);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
  GlobalFree(h);
}

TEST(WinMem, OversizedRequestsFailAsOutOfMemory) {
  SetLastError(0);
  EXPECT_EQ(GlobalAlloc(GPTR, SIZE_T{1} << 40), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(EngAllocMem(0, 0xFFFFFFFFu, kTag), nullptr);
}

TEST(WinMem, ThreadsAllocateAndFreeAtOnce) {
  const std::size_t before = plat::LiveBlocks();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 500; ++i) {
        void* g = GlobalAlloc(GPTR, 24);
        void* e = EngAllocMem(0, 24, kTag);
        GlobalFree(g);
        EngFreeMem(e);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(plat::LiveBlocks(), before);
}

// Many blocks live at once and freed in another order than made: every
// block keeps its own size, a freed one is gone, and the others stay
// findable while the ones around them come and go.
TEST(WinMem, ManyLiveBlocksFreedOutOfOrderKeepTheirRecords) {
  const std::size_t before = plat::LiveBlocks();
  const std::size_t invalid = plat::InvalidFrees();
  constexpr int kBlocks = 5000;
  std::vector<HGLOBAL> blocks;
  for (int i = 0; i < kBlocks; ++i) blocks.push_back(GlobalAlloc(GPTR, static_cast<SIZE_T>(i % 97 + 1)));
  ASSERT_EQ(plat::LiveBlocks(), before + kBlocks);
  // Every third block, from the back.
  for (int i = kBlocks - 1; i >= 0; i -= 3) {
    EXPECT_EQ(GlobalFree(blocks[i]), nullptr);
  }
  for (int i = 0; i < kBlocks; ++i) {
    const bool freed = (kBlocks - 1 - i) % 3 == 0;
    EXPECT_EQ(GlobalSize(blocks[i]), freed ? 0u : static_cast<SIZE_T>(i % 97 + 1)) << i;
  }
  EXPECT_EQ(plat::InvalidFrees(), invalid);
  for (int i = 0; i < kBlocks; ++i) {
    if ((kBlocks - 1 - i) % 3 != 0) {
      EXPECT_EQ(GlobalFree(blocks[i]), nullptr) << i;
    }
  }
  EXPECT_EQ(plat::LiveBlocks(), before);
  EXPECT_EQ(plat::InvalidFrees(), invalid);
}
