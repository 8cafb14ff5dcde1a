// Owner-drawn lists and combo boxes of the L4 description's pages, as the
// screen shows them: entries of the item table's fixed sizes, the selected
// entry on the highlight, an entry's option text (a picture list draws its
// option's picture instead; our libraries hold none for the punch types,
// so those entries show their texts), and a disabled option greyed
// beside the red mark when its combo has list data with a mark.
#include <gtest/gtest.h>

#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kPresetPage = 1001;
constexpr WORD kFinishPage = 1004;
constexpr WORD kPaperCombo = 2017;
constexpr WORD kPrintSizeCombo = 2023;
constexpr WORD kColourCombo = 3302;
constexpr WORD kFoldList = 3387;
constexpr WORD kPunchList = 2100;
constexpr COLORREF kMarkRed = RGB(200, 0, 0);  // the disabled mark's disc

COLORREF Sys(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

class OwnerDrawing : public ListMachine {
 protected:
  RECT EntryRect(WORD list, int entry) const {
    RECT r{};
    SendMessageW(Control(list), LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // The selection field of a combo box, left of its button.
  RECT Field(WORD combo) const {
    RECT r{};
    GetClientRect(Control(combo), &r);
    r.right -= GetSystemMetrics(SM_CXVSCROLL);
    InflateRect(&r, -3, -3);
    return r;
  }
};

TEST_F(OwnerDrawing, EntriesTakeTheFixedSizesOfTheItemTable) {
  ASSERT_TRUE(host_.Open(ucb_, kFinishPage));
  EXPECT_EQ(SendMessageW(Control(kFoldList), LB_GETITEMHEIGHT, 0, 0), 14);
  EXPECT_EQ(SendMessageW(Control(kPunchList), LB_GETITEMHEIGHT, 0, 0), 42);
  host_.Close();
  ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
  EXPECT_EQ(SendMessageW(Control(kPaperCombo), CB_GETITEMHEIGHT, 0, 0), 14);
}

TEST_F(OwnerDrawing, TheChosenEntryIsHighlightedAndEveryEntryShowsItsOptionOrPicture) {
  Store(kFold, V("KKDMFOLDTYPE_ZFOLD"));
  Store(kPunch, V("KKDMPUNCHTYPE_2HOLE_TOP"));
  ASSERT_TRUE(host_.Open(ucb_, kFinishPage));
  Dump("owner_lists_finish");
  const Picture shot = Shot();
  const HWND page = host_.page();
  const HWND fold = Control(kFoldList);
  const RECT chosen = EntryRect(kFoldList, 1), other = EntryRect(kFoldList, 0);
  EXPECT_GT(shot.Count(page, fold, chosen, Sys(COLOR_HIGHLIGHT)), 0);
  EXPECT_GT(shot.Count(page, fold, chosen, Sys(COLOR_HIGHLIGHTTEXT)), 0) << "the option's text on the highlight";
  EXPECT_EQ(shot.Count(page, fold, other, Sys(COLOR_HIGHLIGHT)), 0);
  EXPECT_GT(shot.Count(page, fold, other, Sys(COLOR_WINDOWTEXT)), 0) << "the option's text";
  const HWND punch = Control(kPunchList);
  EXPECT_GT(shot.Count(page, punch, EntryRect(kPunchList, 0), Sys(COLOR_WINDOWTEXT)), 0)
      << "an option without a picture shows its text";
}

struct MarkCase {
  const char* what;
  WORD combo;
  WORD setting;
  const char* value;
  bool marked;
};

TEST_F(OwnerDrawing, ADisabledOptionIsGreyedBesideTheMarkOfItsListData) {
  const MarkCase cases[] = {
      {"paper, list data with mark", kPaperCombo, kPaper, "PAPER_LETTER", true},
      {"print size, list data with mark", kPrintSizeCombo, kPrintSize, "PAPER_LETTER", true},
      {"colour, no list data", kColourCombo, kColour, "DMCOLOR_MONOCHROME", false},
  };
  for (const char* tray : {"TRAY_MANUAL", "TRAY_AUTO"}) {
    const bool disabled = std::string(tray) == "TRAY_MANUAL";
    Store(kTray, V(tray));
    for (const MarkCase& c : cases) Store(c.setting, V(c.value));
    ASSERT_TRUE(host_.Open(ucb_, kPresetPage));
    if (disabled) Dump("owner_combos_disabled");
    const Picture shot = Shot();
    for (const MarkCase& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " from " + tray);
      const HWND combo = Control(c.combo);
      const bool marked = disabled && c.marked;
      EXPECT_EQ(shot.Count(host_.page(), combo, Field(c.combo), kMarkRed) > 0, marked);
      EXPECT_EQ(shot.Count(host_.page(), combo, Field(c.combo), Sys(COLOR_GRAYTEXT)) > 0, marked);
    }
    host_.Close();
  }
}

}  // namespace
}  // namespace ui_test
