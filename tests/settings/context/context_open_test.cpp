// What an open builds for each kind, and that an open which runs out of
// memory at any allocation fails cleanly, parks nothing and leaks nothing.
#include <filesystem>

#include "settings/cache/bkpd_cache.h"
#include "tests/platform/drive_files.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

using ContextOpen = ContextTest;

TEST_F(ContextOpen, AContextOwnsCopiesOfWhatItMayChange) {
  UCB* ucb = OpenContext(office_);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->hPrinter, office_);
  EXPECT_NE(ucb->pSFL, fgUCB.pSFL);
  EXPECT_EQ(ucb->pSFL->count, kSettingCount);
  // Building the DCB writes settings, which marks their records changed;
  // apart from that mark every record is the table's.
  for (int i = 0; i < kSettingCount; ++i) {
    SFCB record = ucb->pSFL->pSFCB[i];
    record.flags = static_cast<WORD>(record.flags & ~kSfcbChangedMask);
    ASSERT_EQ(std::memcmp(&record, &fgSFCB[i], sizeof(SFCB)), 0) << "record of " << fgSFCB[i].funcId;
  }
  EXPECT_NE(ucb->pTL, fgUCB.pTL);
  ASSERT_EQ(ucb->pTL->count, kTabCount);
  for (int i = 0; i < kTabCount; ++i) {
    const TCB& tab = ucb->pTL->pTCB[i];
    if (tab.itemCount == 0) continue;
    EXPECT_NE(tab.pICB, fgTCB[i].pICB);
    EXPECT_EQ(std::memcmp(tab.pICB, fgTCB[i].pICB, sizeof(ICB) * tab.itemCount), 0);
  }
  EXPECT_NE(ucb->pDP, &fgDP);
  EXPECT_EQ(ucb->pGKL, &fgGKL);  // keyword and alert tables are shared
  EXPECT_EQ(ucb->pAPL, &fgAPL);
  EXPECT_EQ(ucb->pWork->wOpenKind, 0);
  EXPECT_EQ(ucb->pWork->fTakeLock, 1);
  EXPECT_EQ(ucb->pWork->fCheckAdmin, 1);
  EXPECT_EQ(std::u16string(ucb->pWork->szPrinterName), kOffice);
  FreeUcb(ucb);
}

TEST_F(ContextOpen, TheOpenOptionsSetTheLockAndAdministratorFlags) {
  UCB* ucb = GetUcb2(office_, office_, 0, kOpenNoLock | kOpenNoAdminCheck | 1, kSheetMode);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->pWork->fTakeLock, 0);
  EXPECT_EQ(ucb->pWork->fCheckAdmin, 0);
  EXPECT_EQ(ucb->pWork->wOpenKind, 1);
  FreeUcb(ucb);
}

struct KindCase {
  DWORD kind;
  bool hasDcb;
  bool driverNameFetched;
};

TEST_F(ContextOpen, TheKindDecidesTheDcbAndTheDriverName) {
  const KindCase cases[] = {
      {0, true, true}, {1, true, true}, {2, true, false}, {3, true, true}, {4, false, false}, {255, false, false},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.kind);
    UCB* ucb = GetUcb2(office_, office_, 0, c.kind, kSheetMode);
    ASSERT_NE(ucb, nullptr);
    EXPECT_EQ(ucb->pDCB != nullptr, c.hasDcb);
    EXPECT_EQ(ucb->pBKPD != nullptr, c.hasDcb);  // kinds with a DCB have the description too
    EXPECT_EQ(ucb->pWork->pJudgeStack != nullptr, c.hasDcb);
    EXPECT_EQ(std::u16string(ucb->pWork->szDriverName), c.driverNameFetched ? kDriverName : u"");
    EXPECT_NE(ucb->pWork->pDCB2, nullptr);
    FreeUcb(ucb);
    FreeStoredUcb(TRUE);
  }
}

TEST_F(ContextOpen, TheDcbCarriesItsBlockOffsetsAndTheSavedStateACopyOfIt) {
  UCB* ucb = OpenContext(office_);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(LoadLE<WORD>(ucb->pDCB->devmode, 363), kDcbBlock2Offset);
  EXPECT_EQ(LoadLE<WORD>(ucb->pDCB->devmode, 365), kDcbBlock3Offset);
  EXPECT_EQ(std::memcmp(ucb->pWork->pDCB2, ucb->pDCB, sizeof(DCB)), 0);
  FreeUcb(ucb);
}

// Without a printer there is no data file and so no description: a kind
// that needs one does not open, one that does not still opens.
TEST_F(ContextOpen, AnUnknownPrinterHandleOpensOnlyTheKindsWithoutADescription) {
  EXPECT_EQ(GetUcb(nullptr, nullptr, 0, kSheetMode), nullptr);
  UCB* ucb = GetUcb2(nullptr, nullptr, 0, 4, kSheetMode);
  ASSERT_NE(ucb, nullptr);
  EXPECT_EQ(ucb->pBKPD, nullptr);
  EXPECT_EQ(ucb->pWork->szPrinterName[0], u'\0');
  FreeUcb(ucb);
}

TEST_F(ContextOpen, AContextOpensWithItsPrintersDescriptionAndAnEmptyJudgeStack) {
  UCB* ucb = OpenContext(office_);
  ASSERT_NE(ucb, nullptr);
  ASSERT_NE(ucb->pBKPD, nullptr);
  EXPECT_EQ(std::u16string(BkpdUiResDllName(ucb->pBKPD)), u"kesmm3res.dll");
  ASSERT_NE(ucb->pWork->pJudgeStack, nullptr);
  EXPECT_EQ(ucb->pWork->wJudgeStackCount, 0);
  UCB* other = GetUcb2(lobby_, lobby_, 0, 1, kSheetMode);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->pBKPD, ucb->pBKPD) << "two printers of one driver share the listed description";
  EXPECT_NE(other->pWork->pJudgeStack, ucb->pWork->pJudgeStack);
  FreeUcb(other);
  FreeUcb(ucb);
}

TEST_F(ContextOpen, APrinterWhoseDescriptionDoesNotCompileDoesNotOpen) {
  BKPDAddrFree();
  baseline_ = plat::LiveBlocks();
  std::filesystem::remove(plat::DriverFilesFolder() / "KESM4200.KPD");
  EXPECT_EQ(OpenContext(office_), nullptr);
  drive::Put("Windows/System32/spool/drivers/w32x86/3/KESM4200.KPD", "*OpenUI *KPD_X: PickOne\r\n*Bad: \"open");
  EXPECT_EQ(OpenContext(office_), nullptr) << "a text cut inside a quote compiles to nothing";
}

// Fails the n-th allocation from the start of an open, for every n the open
// reaches. A failed open leaves nothing behind; an open that survives the
// failure (the failed block was optional) releases to nothing.
void OpenFailingEachAllocation(HANDLE printer, DWORD flags, std::size_t baseline) {
  for (std::size_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    plat::FailAllocationAt(n);
    UCB* ucb = GetUcb2(printer, printer, 0, flags, kSheetMode);
    void* probe = GetMemPtr(1);
    plat::FailAllocationAt(0);
    if (ucb == nullptr) {
      EXPECT_EQ(plat::LiveBlocks(), baseline + (probe != nullptr ? 1 : 0)) << "a failed open kept blocks";
    } else {
      if (ucb->pDCB != nullptr) {
        EXPECT_NE(ucb->pBKPD, nullptr) << "an open survived without its description";
        EXPECT_NE(ucb->pWork->pJudgeStack, nullptr) << "an open survived without its judge stack";
      }
      FreeUcb(ucb);
      FreeStoredUcb(TRUE);
      EXPECT_EQ(plat::LiveBlocks(), baseline + (probe != nullptr ? 1 : 0));
    }
    FreeMemPtr(probe);
    if (probe == nullptr) {
      EXPECT_NE(ucb, nullptr) << "an open with no failed allocation failed";
      return;
    }
    ASSERT_LT(n, 5000u) << "the open never stopped allocating";
  }
}

TEST_F(ContextOpen, RunningOutOfMemoryAtAnyAllocationFailsCleanly) {
  for (DWORD flags : {DWORD{0}, DWORD{2}, DWORD{4}, kOpenReadProperties | 1}) {
    SCOPED_TRACE(flags);
    OpenFailingEachAllocation(office_, flags, baseline_);
  }
}

TEST_F(ContextOpen, AFailedOpenIsNeverParked) {
  UCB* parked = OpenContext(lobby_);
  FreeUcb(parked);  // slot 0
  const std::size_t withParked = plat::LiveBlocks();
  UCB* failed = nullptr;
  for (std::size_t n = 1; n < 100; ++n) {
    plat::FailAllocationAt(n);
    failed = OpenContext(office_);
    plat::FailAllocationAt(0);
    if (failed == nullptr) break;
    FreeUcb2(failed, 1);
  }
  ASSERT_EQ(failed, nullptr);
  EXPECT_EQ(plat::LiveBlocks(), withParked);
  EXPECT_EQ(OpenContext(lobby_), parked);
  FreeUcb(parked);
}

}  // namespace
}  // namespace context_test
