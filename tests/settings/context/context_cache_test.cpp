// The cache of released printer contexts: which open reuses a parked
// context, when parked contexts are freed, and which releases park.
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "tests/settings/context/context_fixture.h"
#include "ui/ts_modify.h"

namespace context_test {
namespace {

using ContextCache = ContextTest;

TEST_F(ContextCache, AnOpenWithinTheIdleTimeGetsTheSameContextAsItWasLeft) {
  UCB* first = OpenContext(office_);
  ASSERT_NE(first, nullptr);
  first->pDCB->devmode[400] = 0x5A;
  FreeUcb(first);
  plat::AdvanceClock(kParkedIdleMilliseconds);
  UCB* second = OpenContext(office_);
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->pDCB->devmode[400], 0x5A);
  FreeUcb(second);
}

TEST_F(ContextCache, AContextIdleForLongerIsFreedAndANewOneBuilt) {
  UCB* first = OpenContext(office_);
  ASSERT_NE(first, nullptr);
  const std::size_t oneContext = plat::LiveBlocks();
  first->pDCB->devmode[400] = 0x5A;
  FreeUcb(first);
  plat::AdvanceClock(kParkedIdleMilliseconds + 1);
  UCB* second = OpenContext(office_);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->pDCB->devmode[400], 0);
  EXPECT_EQ(plat::LiveBlocks(), oneContext) << "the parked context was not swept";
  FreeUcb(second);
}

TEST_F(ContextCache, IdleTimeIsMeasuredAcrossAWrapOfTheTickCount) {
  plat::SetClock(SYSTEMTIME{2024, 3, 0, 14, 9, 30, 0, 0}, 0xFFFFFF00u);
  UCB* first = OpenContext(office_);
  FreeUcb(first);
  plat::AdvanceClock(100);  // parked time + 500 wraps, the clock does not yet
  EXPECT_EQ(OpenContext(office_), first);
  FreeUcb(first);
  plat::AdvanceClock(kParkedIdleMilliseconds);  // the clock wraps
  EXPECT_EQ(OpenContext(office_), first);
  FreeUcb(first);
  plat::AdvanceClock(kParkedIdleMilliseconds + 1);
  FreeStoredUcb(FALSE);
  EXPECT_EQ(plat::LiveBlocks(), baseline_);
}

// Contexts of two printers opened, used and released on eight threads at
// once, as a spooler's threads do: a parked context goes to one opener
// only, and every context is freed in the end.
TEST_F(ContextCache, ThreadsOpeningAndReleasingAtOnceNeverShareAContext) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 25;
  std::atomic<int> ready{0};
  std::atomic<int> shared{0};
  std::atomic<int> failed{0};
  std::mutex inUseLock;
  std::set<UCB*> inUse;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ++ready;
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int r = 0; r < kRounds; ++r) {
        UCB* ucb = OpenContext((r + t) % 2 == 0 ? office_ : lobby_);
        if (ucb == nullptr) {
          ++failed;
          continue;
        }
        {
          std::lock_guard hold(inUseLock);
          if (!inUse.insert(ucb).second) ++shared;
        }
        ucb->pDCB->devmode[400] = static_cast<BYTE>(t);
        {
          std::lock_guard hold(inUseLock);
          inUse.erase(ucb);
        }
        FreeUcb(ucb);
      }
    });
  }
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(failed.load(), 0);
  EXPECT_EQ(shared.load(), 0) << "one context was handed to two openers";
  FreeStoredUcb(TRUE);
  EXPECT_EQ(plat::LiveBlocks(), baseline_);
}

struct ReopenCase {
  const char* what;
  DWORD openMode;
  DWORD reopenFlags;
  DWORD reopenMode;
  bool otherHandle;
  bool reused;
};

TEST_F(ContextCache, OnlyAPlainOpenForTheSameHandleAndModeReuses) {
  const ReopenCase cases[] = {
      {"same handle, flags and mode", kSheetMode, 0, kSheetMode, false, true},
      {"another mode word", kSheetMode, 0, 0x2000000, false, false},
      {"another handle on the same printer", kSheetMode, 0, kSheetMode, true, false},
      {"open flags with an option bit", kSheetMode, kOpenReadProperties, kSheetMode, false, false},
      {"open flags with a bit above the options", kSheetMode, 0x8000, kSheetMode, false, false},
      {"the rendering mode and its stored form", kModeRendering, 0, kModeRenderingStored, false, true},
  };
  for (const ReopenCase& c : cases) {
    SCOPED_TRACE(c.what);
    UCB* first = OpenContext(office_, c.openMode);
    ASSERT_NE(first, nullptr);
    FreeUcb(first);
    HANDLE printer = c.otherHandle ? Open(kOffice) : office_;
    UCB* second = GetUcb2(printer, printer, 0, c.reopenFlags, c.reopenMode);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second == first, c.reused);
    FreeUcb(second);
    FreeStoredUcb(TRUE);
  }
}

TEST_F(ContextCache, TheRenderingModeIsStoredInItsOtherForm) {
  UCB* ucb = OpenContext(office_, kModeRendering);
  EXPECT_EQ(ucb->pWork->dwMode, kModeRenderingStored);
  FreeUcb(ucb);
}

TEST_F(ContextCache, TheTerminalServerBitIsSetNotAdded) {
  UCBTSModify = 1;
  UCB* ucb = OpenContext(office_, kModeTsModify | kSheetMode);
  UCBTSModify = 0;
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->pWork->dwMode, kModeTsModify | kSheetMode);
  FreeUcb(ucb);
}

TEST_F(ContextCache, AContextOfAnotherKindNeverServesAPlainOpen) {
  for (DWORD flags : {DWORD{4}, DWORD{2}, kOpenNoLock, kOpenNoAdminCheck}) {
    SCOPED_TRACE(flags);
    UCB* other = GetUcb2(office_, office_, 0, flags, kSheetMode);
    ASSERT_NE(other, nullptr);
    FreeUcb(other);
    EXPECT_EQ(plat::LiveBlocks(), baseline_) << "a context no plain open can reuse was parked";
    UCB* plain = OpenContext(office_);
    ASSERT_NE(plain, nullptr);
    EXPECT_NE(plain->pDCB, nullptr);
    EXPECT_EQ(plain->pWork->wOpenKind, 0);
    FreeUcb(plain);
    FreeStoredUcb(TRUE);
  }
}

TEST_F(ContextCache, AFullCacheEvictsSlotOneAndKeepsSlotZero) {
  HANDLE third = Open(kOffice);
  UCB* a = OpenContext(office_);
  UCB* b = OpenContext(lobby_);
  UCB* c = OpenContext(third);
  const std::size_t threeContexts = plat::LiveBlocks();
  FreeUcb(a);  // slot 0
  FreeUcb(b);  // slot 1
  FreeUcb(c);  // replaces b in slot 1
  EXPECT_LT(plat::LiveBlocks(), threeContexts) << "the evicted context was not freed";
  EXPECT_EQ(OpenContext(office_), a);
  EXPECT_EQ(OpenContext(third), c);
  UCB* lobby = OpenContext(lobby_);
  EXPECT_NE(lobby, nullptr);
  for (UCB* ucb : {a, c, lobby}) FreeUcb(ucb);
}

TEST_F(ContextCache, ANonZeroWordFreesAtOnceUnlessTheCacheIsFull) {
  UCB* a = OpenContext(office_);
  FreeUcb2(a, 1);
  EXPECT_EQ(plat::LiveBlocks(), baseline_);

  HANDLE third = Open(kOffice);
  a = OpenContext(office_);
  UCB* b = OpenContext(lobby_);
  UCB* c = OpenContext(third);
  FreeUcb(a);
  FreeUcb(b);
  FreeUcb2(c, 1);  // both slots full: c still replaces b
  EXPECT_EQ(OpenContext(third), c);
  FreeUcb(c);
}

TEST_F(ContextCache, ReleasingAParkedContextAgainLeavesItParked) {
  UCB* a = OpenContext(office_);
  FreeUcb(a);
  FreeUcb(a);
  FreeUcb2(a, 1);
  EXPECT_EQ(OpenContext(office_), a);
  FreeUcb(a);
}

TEST_F(ContextCache, ASweepOfAllFreesEveryParkedContext) {
  FreeUcb(OpenContext(office_));
  FreeUcb(OpenContext(lobby_));
  EXPECT_GT(plat::LiveBlocks(), baseline_);
  FreeStoredUcb(TRUE);
  EXPECT_EQ(plat::LiveBlocks(), baseline_);
}

}  // namespace
}  // namespace context_test
