// The layout tables generated from the dialog definitions must keep every
// record of the hand-written tables they replaced, field by field, so that
// the engine, the feature modules and the bound settings see no change; the
// only differences are the custom-control records and the hint strings the
// definitions added.
#include <cstring>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/tables/class_data.h"
#include "settings/tables/dialog_tables.h"
#include "tests/settings/tables/legacy_tab_table.h"

namespace {

struct AddedRecord {
  WORD dialog;
  WORD item;
  const void* record;
};
const AddedRecord kAdded[] = {
    {1001, 2007, &IDC_PRESET_CHOICE_SOURCETRAY_aCSPL},
    {1001, 2011, &IDC_PRESET_CHOICE_OUTPUT_aCSPL},
    {1001, 2017, &IDC_PRESET_CHOICE_PAPERSIZE_aCSPL},
    {1001, 2023, &IDC_PRESET_CHOICE_PRINTSIZE_aCSPL},
    {1001, 2148, &IDC_MAINTENANCE_STATUS_cdSPL},
    {1001, 3301, &IDC_PRESET_CHOICE_MEDIATYPE_aCSPL},
    {1002, 2039, cdWMI},
    {1003, 3379, cdWMI},
    {1004, 3404, cdWMI},
    {1005, 3434, cdWMI},
    {1020, 2248, &IDC_STATUS_LIST_cdSPL},
    {1038, 2249, &IDC_USER_QUALITY_SAMPLE_cdBMPI},
    {1038, 2264, &IDC_USER_QUALITY_SCROLLBAR_BRIGHTNESS_cdSBI},
    {1038, 2267, &IDC_USER_QUALITY_SCROLLBAR_CONTRAST_cdSBI},
    {1038, 2270, &IDC_USER_QUALITY_SCROLLBAR_SATURATION_cdSBI},
    {1038, 2273, &IDC_USER_QUALITY_SCROLLBAR_COLORBALANCER_cdSBI},
    {1038, 2275, &IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEG_cdSBI},
    {1038, 2277, &IDC_USER_QUALITY_SCROLLBAR_COLORBALANCEB_cdSBI},
    {1038, 3607, &IDC_USER_QUALITY_BUTTON_COLORBALANCEDOWN_cdRPL},
    {1038, 3608, &IDC_USER_QUALITY_BUTTON_COLORBALANCEUP_cdRPL},
    {1023, 3632, &IDC_STAMP_IMAGE_SCROLLBAR_DENSITY_cdSBI},
    {1023, 3641, cdWMI},
    {1022, 3652, &IDC_STAMP_CHAR_SCROLLBAR_COLORR_cdSBI},
    {1022, 3653, &IDC_STAMP_CHAR_SCROLLBAR_COLORG_cdSBI},
    {1022, 3654, &IDC_STAMP_CHAR_SCROLLBAR_COLORB_cdSBI},
    {1022, 3666, cdWMI},
    {1024, 3714, &IDC_MARGIN_SCROLLBAR_cdSBI},
};

// The preset page's paper size and colour explain a disabled choice.
struct AddedHint {
  WORD dialog;
  WORD item;
  WORD hint;
};
const AddedHint kAddedHints[] = {
    {1001, 2017, 40067},
    {1001, 3302, 40067},
};

WORD HintOf(WORD dialog, const ICB& old) {
  for (const AddedHint& a : kAddedHints) {
    if (a.dialog == dialog && a.item == old.itemId) return a.hint;
  }
  return old.hintId;
}

const void* AddedRecordOf(WORD dialog, WORD item) {
  for (const AddedRecord& a : kAdded) {
    if (a.dialog == dialog && a.item == item) return a.record;
  }
  return nullptr;
}

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
  EXPECT_EQ(made.hintId, HintOf(tab, old));
  EXPECT_EQ(made.linkId, old.linkId);
  EXPECT_EQ(made.builtInId, old.builtInId);
  EXPECT_EQ(made.pUiGroup, old.pUiGroup);
  EXPECT_EQ(made.pSFCB, old.pSFCB);
  EXPECT_EQ(made.pfnSavedWndProc, old.pfnSavedWndProc);
  EXPECT_EQ(made.flags, old.flags);
  EXPECT_EQ(made.status, old.status);
  EXPECT_EQ(made.hWnd, old.hWnd);
  if (const void* added = AddedRecordOf(tab, old.itemId)) {
    EXPECT_EQ(old.pClassData, nullptr);
    EXPECT_EQ(made.pClassData, added);
    return;
  }
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
