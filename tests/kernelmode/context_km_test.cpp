// Printer contexts in the rendering library: engine pool memory, the data
// file name from the engine, the shared tab list, and a cache whose parked
// contexts never expire by time.
#include "settings/context/context_dcb2.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

constexpr ULONG kTag = 'D' | ('p' << 8) | ('s' << 16) | (static_cast<ULONG>('m') << 24);

using KernelContext = ContextTest;

// The rendering library opens with the engine's device handle, which here
// is the printer handle.
UCB* OpenForRendering(HANDLE printer) { return GetUcb(printer, printer, 0, kModeRendering); }

TEST_F(KernelContext, AContextComesFromTaggedEnginePool) {
  const std::size_t before = plat::LiveBlocksTagged(kTag);
  UCB* ucb = OpenForRendering(office_);
  ASSERT_NE(ucb, nullptr);
  EXPECT_GT(plat::LiveBlocksTagged(kTag), before);
  EXPECT_EQ(ucb->pWork->dwMode, kModeRenderingStored);
  EXPECT_NE(ucb->pDCB, nullptr);
  FreeUcb(ucb);
  FreeStoredUcb(TRUE);
  EXPECT_EQ(plat::LiveBlocksTagged(kTag), before);
}

TEST_F(KernelContext, TheDataFileNameComesFromTheEngine) {
  UCB* ucb = OpenForRendering(office_);
  ASSERT_NE(ucb, nullptr);
  const std::u16string expected = plat::DriverFilesDirectory() + u"\\KESM4200.KPD";
  EXPECT_EQ(std::u16string(ucb->pWork->szDataFileName), expected);
  FreeUcb(ucb);
}

TEST_F(KernelContext, WithoutADataHandleTheDataFileNameIsEmpty) {
  UCB* ucb = GetUcb(office_, nullptr, 0, kModeRendering);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->pWork->szDataFileName[0], u'\0');
  FreeUcb(ucb);
}

TEST_F(KernelContext, TheTabListIsSharedNotCopied) {
  UCB* ucb = OpenForRendering(office_);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->pTL, fgUCB.pTL);
  EXPECT_NE(ucb->pSFL, fgUCB.pSFL);
  FreeUcb(ucb);
}

TEST_F(KernelContext, AParkedContextDoesNotExpireByTime) {
  EXPECT_EQ(KesmGetTickCount(), 0u);
  UCB* first = OpenForRendering(office_);
  FreeUcb(first);
  plat::AdvanceClock(60000);
  EXPECT_EQ(OpenForRendering(office_), first);
  FreeUcb(first);
}

TEST_F(KernelContext, TheSavedStateCopiesTheArrays) {
  UCB* ucb = OpenForRendering(office_);
  ASSERT_NE(ucb, nullptr);
  PutArray(ucb->pDCB, kDcbOwnedArrays[1], 2, 0x44);
  ASSERT_TRUE(GetDCB2(ucb));
  EXPECT_TRUE(HoldsArray(ucb->pWork->pDCB2, kDcbOwnedArrays[1], 2, 0x44));
  BackupPrivateDevmode(ucb);
  RestorePrivateDevmode(ucb, TRUE);
  EXPECT_TRUE(HoldsArray(ucb->pDCB, kDcbOwnedArrays[1], 2, 0x44));
  FreeUcb(ucb);
}

TEST_F(KernelContext, RunningOutOfMemoryAtAnyAllocationFailsCleanly) {
  for (std::size_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    plat::FailAllocationAt(n);
    UCB* ucb = OpenForRendering(office_);
    void* probe = GetMemPtr(1);
    plat::FailAllocationAt(0);
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
    FreeMemPtr(probe);
    EXPECT_EQ(plat::LiveBlocks(), baseline_);
    if (probe == nullptr) {
      EXPECT_NE(ucb, nullptr);
      break;
    }
    ASSERT_LT(n, 5000u);
  }
}

}  // namespace
}  // namespace context_test
