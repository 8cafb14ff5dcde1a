// The saved state, the undo ring and the setting-record copy: every DCB
// image owns its own arrays, so taking, restoring and freeing images never
// frees a block twice or leaks one.
#include "settings/context/context_dcb2.h"
#include "tests/settings/context/context_fixture.h"

namespace context_test {
namespace {

const DcbOwnedArray& kFontTable = kDcbOwnedArrays[0];
const DcbOwnedArray& kDeviceFonts = kDcbOwnedArrays[1];
const DcbOwnedArray& kOptionFonts = kDcbOwnedArrays[2];

class SavedState : public ContextTest {
 protected:
  void SetUp() override {
    ContextTest::SetUp();
    ucb_ = OpenContext(office_);
    ASSERT_NE(ucb_, nullptr);
    PutArray(ucb_->pDCB, kFontTable, 2, 0x11);
    PutArray(ucb_->pDCB, kDeviceFonts, 3, 0x22);
    PutArray(ucb_->pDCB, kOptionFonts, 1, 0x33);
  }
  void TearDown() override {
    FreeUcb(ucb_);
    ContextTest::TearDown();
  }
  DCB* dcb() { return ucb_->pDCB; }
  DCB* saved() { return ucb_->pWork->pDCB2; }

  UCB* ucb_ = nullptr;
};

TEST_F(SavedState, TheSavedStateHoldsCopiesOfTheArrays) {
  ASSERT_TRUE(GetDCB2(ucb_));
  for (const DcbOwnedArray& array : kDcbOwnedArrays) {
    EXPECT_NE(GetDcbArray(saved(), array).entries, GetDcbArray(dcb(), array).entries);
  }
  EXPECT_TRUE(HoldsArray(saved(), kFontTable, 2, 0x11));
  EXPECT_TRUE(HoldsArray(saved(), kDeviceFonts, 3, 0x22));
  EXPECT_TRUE(HoldsArray(saved(), kOptionFonts, 1, 0x33));
}

TEST_F(SavedState, TakingTheSavedStateAgainFreesTheOldCopies) {
  ASSERT_TRUE(GetDCB2(ucb_));
  const std::size_t once = plat::LiveBlocks();
  ASSERT_TRUE(GetDCB2(ucb_));
  EXPECT_EQ(plat::LiveBlocks(), once);
}

TEST_F(SavedState, FreeingTheSavedStateLeavesTheCurrentArrays) {
  ASSERT_TRUE(GetDCB2(ucb_));
  EXPECT_TRUE(FreeDCB2(ucb_));
  EXPECT_TRUE(FreeDCB2(ucb_));
  EXPECT_EQ(GetDcbArray(saved(), kFontTable).entries, nullptr);
  EXPECT_TRUE(HoldsArray(dcb(), kFontTable, 2, 0x11));
}

TEST_F(SavedState, AnArrayThatCannotBeCopiedIsSavedEmpty) {
  plat::FailAllocationAt(2);  // the device fonts
  EXPECT_TRUE(GetDCB2(ucb_));
  plat::FailAllocationAt(0);
  EXPECT_TRUE(HoldsArray(saved(), kFontTable, 2, 0x11));
  EXPECT_EQ(GetDcbArray(saved(), kDeviceFonts).count, 0);
  EXPECT_EQ(GetDcbArray(saved(), kDeviceFonts).entries, nullptr);
}

TEST_F(SavedState, AReleaseThatKeepsTheRegistryStateStillFreesTheArrays) {
  ASSERT_TRUE(GetDCB2(ucb_));
  FreeUcb2(ucb_, 1);  // an empty cache: freed at once
  ucb_ = nullptr;
  EXPECT_EQ(plat::LiveBlocks(), baseline_);
}

TEST_F(SavedState, AContextWithoutDcbHasNoSavedStateToTake) {
  UCB* names = GetUcb2(office_, office_, 0, 4, kSheetMode);
  ASSERT_NE(names, nullptr);
  EXPECT_FALSE(GetDCB2(names));
  EXPECT_TRUE(FreeDCB2(names));
  BackupPrivateDevmode(names);
  RestorePrivateDevmode(names, TRUE);
  FreeUcb(names);
}

// The state of the DCB an undo step should bring back.
struct Snapshot {
  BYTE marker;
  BYTE fontFill;
  WORD fontCount;
  INT request;
};

void Apply(UCB* ucb, const Snapshot& s) {
  ucb->pDCB->devmode[500] = s.marker;
  FreeMemPtr(GetDcbArray(ucb->pDCB, kFontTable).entries);
  SetDcbArray(ucb->pDCB, kFontTable, {});
  PutArray(ucb->pDCB, kFontTable, s.fontCount, s.fontFill);
  ucb->pWork->dwRequest = s.request;
}

void ExpectState(UCB* ucb, const Snapshot& s) {
  EXPECT_EQ(ucb->pDCB->devmode[500], s.marker);
  EXPECT_TRUE(HoldsArray(ucb->pDCB, kFontTable, s.fontCount, s.fontFill));
  EXPECT_EQ(ucb->pWork->dwRequest, s.request);
}

TEST_F(SavedState, TheUndoRingRestoresNewestFirstAndRepeatsTheOldest) {
  const Snapshot states[] = {{1, 0xA1, 1, 0x10}, {2, 0xA2, 2, 0x20}, {3, 0xA3, 3, 0x30}, {4, 0xA4, 4, 0x40}};
  for (const Snapshot& s : states) {
    Apply(ucb_, s);
    BackupPrivateDevmode(ucb_);
  }
  Apply(ucb_, {9, 0xFF, 5, 0x90});
  ucb_->pWork->fChanged = 1;
  ucb_->pSFL->pSFCB[40].flags |= kSfcbChangedMask;
  // The ring holds the last three; the third stays after each restore.
  for (const Snapshot* s : {&states[3], &states[2], &states[1], &states[1]}) {
    RestorePrivateDevmode(ucb_, TRUE);
    ExpectState(ucb_, *s);
  }
  EXPECT_EQ(ucb_->pWork->fChanged, 0);
  EXPECT_EQ(ucb_->pSFL->pSFCB[40].flags & kSfcbChangedMask, 0);
}

TEST_F(SavedState, DroppingAnEntryKeepsTheCurrentState) {
  BackupPrivateDevmode(ucb_);
  Apply(ucb_, {7, 0x77, 2, 0x70});
  RestorePrivateDevmode(ucb_, FALSE);
  ExpectState(ucb_, {7, 0x77, 2, 0x70});
}

// The font editor's first change sets the current table aside and installs
// a new one.
void ChangeFontTableFirstTime(UCB* ucb, BYTE fill) {
  const DcbArray current = GetDcbArray(ucb->pDCB, kFontTable);
  ucb->pWork->pSavedFontTable = current.entries;
  ucb->pWork->cSavedFontTable = current.count;
  SetDcbArray(ucb->pDCB, kFontTable, {});
  PutArray(ucb->pDCB, kFontTable, 4, fill);
}

TEST_F(SavedState, UndoingTheFontEditorsFirstChangeDropsTheTableItSetAside) {
  BackupPrivateDevmode(ucb_);
  ChangeFontTableFirstTime(ucb_, 0x5E);
  RestorePrivateDevmode(ucb_, TRUE);
  EXPECT_EQ(ucb_->pWork->pSavedFontTable, nullptr);
  EXPECT_TRUE(HoldsArray(dcb(), kFontTable, 2, 0x11));
}

TEST_F(SavedState, UndoingALaterStateKeepsTheTableSetAsideBeforeIt) {
  ChangeFontTableFirstTime(ucb_, 0x5E);
  BackupPrivateDevmode(ucb_);
  Apply(ucb_, {3, 0x6F, 1, 0});
  RestorePrivateDevmode(ucb_, TRUE);
  EXPECT_NE(ucb_->pWork->pSavedFontTable, nullptr);
  EXPECT_TRUE(HoldsArray(dcb(), kFontTable, 4, 0x5E));
}

TEST_F(SavedState, KeepingTheFontEditorsChangeFreesTheTableSetAside) {
  BackupPrivateDevmode(ucb_);
  ChangeFontTableFirstTime(ucb_, 0x5E);
  RestorePrivateDevmode(ucb_, FALSE);
  EXPECT_EQ(ucb_->pWork->pSavedFontTable, nullptr);
  EXPECT_TRUE(HoldsArray(dcb(), kFontTable, 4, 0x5E));
}

TEST_F(SavedState, TheSettingRecordsComeBackFromTheirCopy) {
  SFCB& record = ucb_->pSFL->pSFCB[100];
  const SFCB before = record;
  SFL* copy = BackupSFCB(ucb_);
  ASSERT_NE(copy, nullptr);
  record.uiRequest = 0x12345678;
  record.flags |= kSfcbChangedMask;
  RestoreSFCB(ucb_, copy);
  EXPECT_EQ(std::memcmp(&record, &before, sizeof(SFCB)), 0);
  RestoreSFCB(ucb_, nullptr);
}

}  // namespace
}  // namespace context_test
