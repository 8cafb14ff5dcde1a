// The painting helpers' tables against the layout tables and the libraries:
// every tray line, entry picture and button caption names a control of our
// dialogs of the kind it is painted for (or one of the few rows no dialog
// of ours holds), and a string or picture the libraries have; and what the
// owner-drawn controls look up in them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "settings/context/context_names.h"
#include "tests/ui/page_host.h"
#include "ui/bitmaps/bitmap_library.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/painting_tables.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

// The first item of the static layout with the control id, or null.
const ICB* LayoutItem(int controlId) {
  for (const TCB& tab : fgTCB) {
    for (int i = 0; i < tab.itemCount; ++i) {
      if (tab.pICB[i].itemId == controlId) return &tab.pICB[i];
    }
  }
  return nullptr;
}

// The tray lines no dialog of ours shows: the fourth line of the cover and
// mark dialogs, the third and fourth of the back cover, the later groups
// of trays 3, 25 and 27 of the initial settings, and chapter and cover
// lines of trays the dialogs do not list.
const std::set<int> kTrayLinesOnNoDialog = {2461, 2465, 2520, 2521, 2541, 2542, 2543, 2544, 2545, 2546, 2547, 2548,
                                            2549, 2567, 2568, 2569, 2768, 2761, 2762, 2763, 2764, 2765, 2766, 2811};
// The buttons no dialog of ours shows.
const std::set<int> kButtonsOnNoDialog = {2502, 2503, 2792, 2803};

TEST(PaintingTables, EveryTrayLineIsATextItemOfADialog) {
  std::set<int> seen, trays;
  for (const TRAYINFO* row = TrayInfo; row->nControlId != 0; ++row) {
    SCOPED_TRACE(row->nControlId);
    EXPECT_TRUE(seen.insert(row->nControlId).second) << "one row a line";
    trays.insert(row->nTrayIndex);
    const ICB* item = LayoutItem(row->nControlId);
    if (kTrayLinesOnNoDialog.count(row->nControlId) != 0) {
      EXPECT_EQ(item, nullptr) << "now on a dialog: take it off the list";
      continue;
    }
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, kCtlText1);
  }
  EXPECT_EQ(trays, (std::set<int>{0, 1, 2, 3, 4, 25, 27, 28, 29}));
}

TEST(PaintingTables, EveryOwnerCaptionRowIsAButtonOfADialog) {
  for (const OWNERCTRLSTRING* row = OwnerCtrlStringResource; row->wControlId != 0; ++row) {
    SCOPED_TRACE(row->wControlId);
    const ICB* item = LayoutItem(row->wControlId);
    if (kButtonsOnNoDialog.count(row->wControlId) != 0) {
      EXPECT_EQ(item, nullptr) << "now on a dialog: take it off the list";
      continue;
    }
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->kind == kCtlPushButton || item->kind == kCtlCustomButton) << item->kind;
  }
}

TEST(PaintingTables, TheEntryPicturesBelongToAnOwnerDrawnChoice) {
  for (const RELATEDRESOURCE* row = aRelatedResource; row->wOptionValue != 0; ++row) {
    SCOPED_TRACE(row->wOptionValue);
    const ICB* item = LayoutItem(row->wControlId);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->kind == kCtlOwnerComboBox || item->kind == kCtlOwnerListBox) << item->kind;
  }
}

// The W2 printer with the bitmap library in place as well.
class PaintingLookups : public PageMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PageMachine::SetUp());
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
  }
};

TEST_F(PaintingLookups, TheLibrariesHoldEveryCaptionAndPicture) {
  for (const OWNERCTRLSTRING* row = OwnerCtrlStringResource; row->wControlId != 0; ++row) {
    if (row->wCaptionId == kNoOwnerCaption) continue;
    WCHAR text[64];
    EXPECT_GT(LoadStringFromResDll(ucb_, row->wCaptionId, text, 64, FALSE), 0) << row->wCaptionId;
  }
  for (const RELATEDRESOURCE* row = aRelatedResource; row->wOptionValue != 0; ++row) {
    for (const WORD id : {row->wBitmapId, row->wDisabledBitmapId}) {
      if (id == 0) continue;
      const HBITMAP picture = LoadBitmapFromResDll(ucb_, id);
      EXPECT_NE(picture, nullptr) << id;
      DeleteObject(picture);
    }
    if (row->wHintId != 0) {
      WCHAR text[64];
      EXPECT_GT(LoadStringFromResDll(ucb_, row->wHintId, text, 64, FALSE), 0) << row->wHintId;
    }
  }
}

TEST_F(PaintingLookups, ACopyGuardEntryShowsItsGreyedPictureWhileTheChoiceIsDisabled) {
  ASSERT_TRUE(host_.Open(ucb_, 4017));
  ICB* choice = host_.item(2937);
  ASSERT_NE(choice, nullptr);
  struct Case {
    WORD option, picture, greyed;
  };
  const Case cases[] = {{13137, 7447, 7451}, {13138, 7446, 7450}, {13139, 7445, 7449}, {13140, 7448, 7452}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    choice->status = 0;
    EXPECT_EQ(GetBmpFromRRTable(choice, c.option), c.picture);
    choice->status = 0x0004;  // disabled, as the refresh marks it
    EXPECT_EQ(GetBmpFromRRTable(choice, c.option), c.greyed);
    EXPECT_EQ(GetHintFromRRTable(choice, c.option), 0);
  }
  choice->status = 0;
  EXPECT_EQ(GetBmpFromRRTable(choice, 13141), 0) << "an entry without a picture";
  EXPECT_EQ(GetBmpFromRRTable(host_.item(2931), 13137), 0) << "another control";
  EXPECT_EQ(GetBmpFromRRTable(nullptr, 13137), 0);
}

TEST_F(PaintingLookups, AButtonsOwnerCaptionIsItsRowsOrNone) {
  ASSERT_TRUE(host_.Open(ucb_, 1002));
  struct Case {
    WORD control, caption;
  };
  for (const Case& c : {Case{2037, kNoOwnerCaption}, Case{3352, 0}}) {
    SetOwnerCtrlStringResourceID(ucb_, host_.item(c.control));
    EXPECT_EQ(ucb_->pWork->dialog.wOwnerCaptionId, c.caption) << c.control;
  }
  ASSERT_TRUE(host_.Open(ucb_, 1001));
  SetOwnerCtrlStringResourceID(ucb_, host_.item(2002));
  EXPECT_EQ(ucb_->pWork->dialog.wOwnerCaptionId, 13188);
  SetOwnerCtrlStringResourceID(ucb_, nullptr);
  EXPECT_EQ(ucb_->pWork->dialog.wOwnerCaptionId, 0);
}

}  // namespace
}  // namespace ui_test
