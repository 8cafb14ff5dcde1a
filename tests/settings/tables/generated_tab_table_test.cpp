// The layout tables generated from the dialog definitions must keep every
// record of the hand-written tables they replaced, field by field, so that
// the engine, the feature modules and the bound settings see no change.
#include <cstring>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/class_data.h"
#include "settings/tables/dialog_tables.h"
#include "tests/settings/tables/legacy_tab_table.h"

namespace {

std::size_t SizeOfOldClassData(const ICB& old) {
  // The only record the old tables carried: the hidden-function id list.
  return old.pClassData ? sizeof IDC_HIDDEN_FUNC_aTID : 0;
}

void ExpectSameItem(const ICB& made, const ICB& old, WORD tab) {
  SCOPED_TRACE(testing::Message() << "dialog " << tab << " item " << old.itemId);
  EXPECT_EQ(made.groupId, old.groupId);
  EXPECT_EQ(made.itemId, old.itemId);
  EXPECT_EQ(made.kind, old.kind);
  EXPECT_EQ(made.kindItemId, old.kindItemId);
  EXPECT_EQ(made.helpId, old.helpId);
  EXPECT_EQ(made.popupId, old.popupId);
  EXPECT_EQ(made.hintId, old.hintId);
  EXPECT_EQ(made.linkId, old.linkId);
  EXPECT_EQ(made.builtInId, old.builtInId);
  EXPECT_EQ(made.pUiGroup, old.pUiGroup);
  EXPECT_EQ(made.pSFCB, old.pSFCB);
  EXPECT_EQ(made.pfnSavedWndProc, old.pfnSavedWndProc);
  EXPECT_EQ(made.flags, old.flags);
  EXPECT_EQ(made.status, old.status);
  EXPECT_EQ(made.hWnd, old.hWnd);
  const std::size_t size = SizeOfOldClassData(old);
  ASSERT_EQ(made.pClassData == nullptr, old.pClassData == nullptr);
  if (size != 0) {
    EXPECT_EQ(std::memcmp(made.pClassData, old.pClassData, size), 0);
  }
}

TEST(GeneratedTabTable, KeepsEveryTabOfTheHandWrittenTable) {
  ASSERT_EQ(fgTL.count, legacy::fgTL.count);
  ASSERT_EQ(fgTL.pTCB, fgTCB);
  for (int i = 0; i < kTabCount; ++i) {
    const TCB& made = fgTCB[i];
    const TCB& old = legacy::fgTCB[i];
    SCOPED_TRACE(testing::Message() << "tab " << i << " dialog " << old.tabId);
    EXPECT_EQ(made.tabId, old.tabId);
    EXPECT_EQ(made.groupId, old.groupId);
    EXPECT_EQ(made.kind, old.kind);
    EXPECT_EQ(std::string_view(made.keyword), std::string_view(old.keyword));
    EXPECT_EQ(made.helpId, old.helpId);
    EXPECT_EQ(made.reserved, old.reserved);
    EXPECT_EQ(made.hWnd, old.hWnd);
    ASSERT_EQ(made.itemCount, old.itemCount);
    for (int k = 0; k < old.itemCount; ++k) ExpectSameItem(made.pICB[k], old.pICB[k], old.tabId);
  }
}

}  // namespace
