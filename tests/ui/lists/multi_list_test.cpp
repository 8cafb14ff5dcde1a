// The multi list of the hidden-functions dialog: one entry per option of
// its group, entry i standing for the i-th setting of its id list and
// showing it as a check mark (greyed for a disabled option: from the
// bypass tray, the L4 description disables the second entry); a click or
// the space bar turns the entry's setting over. A list with
// more entries than its id list has settings (the L5 description) shows
// the extra entries unchecked and reads nothing past the list.
#include <gtest/gtest.h>

#include "tests/ui/lists/list_machine.h"

namespace ui_test {
namespace {

constexpr WORD kHiddenFunctions = 1065;
constexpr WORD kMultiList = 2817;
constexpr WORD kFirstFunction = 349;  // kdmHiddenFunc0
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreyedBox = RGB(192, 192, 192);

COLORREF Sys(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

class MultiList : public ListMachine {
 protected:
  RECT Box(int entry) const {
    RECT r{};
    SendMessageW(Control(kMultiList), LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&r));
    return RECT{r.left, r.top, r.left + 13, r.bottom};
  }
  RECT Label(int entry) const {
    RECT r{};
    SendMessageW(Control(kMultiList), LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&r));
    r.left += 20;
    return r;
  }
  int Ink(const Picture& shot, int entry, COLORREF colour) const {
    return shot.Count(host_.page(), Control(kMultiList), Box(entry), colour);
  }
};

TEST_F(MultiList, EachEntryShowsItsSettingAsACheckMarkGreyedWhenDisabled) {
  Store(kTray, V("TRAY_MANUAL"));
  Store(kFirstFunction, 1);
  Store(kFirstFunction + 1, 1);
  Store(kFirstFunction + 2, 0);
  ASSERT_TRUE(host_.Open(ucb_, kHiddenFunctions));
  EXPECT_EQ(Entries(kMultiList), (std::vector<WORD>{V("TRAY_TRAY1"), V("TRAY_TRAY2"), V("TRAY_TRAY3")}));
  Dump("multi_list");
  const Picture shot = Shot();
  const int frameOnly = Ink(shot, 2, kBlack);
  EXPECT_GT(frameOnly, 0) << "an unchecked box";
  EXPECT_GT(Ink(shot, 0, kBlack), frameOnly) << "a checked box";
  EXPECT_GT(Ink(shot, 1, kGreyedBox), 0) << "the disabled entry's greyed box";
  EXPECT_EQ(Ink(shot, 1, kBlack), 0);
  EXPECT_GT(shot.Count(host_.page(), Control(kMultiList), Label(1), Sys(COLOR_GRAYTEXT)), 0);
  EXPECT_GT(shot.Count(host_.page(), Control(kMultiList), Label(0), Sys(COLOR_WINDOWTEXT)), 0);
}

TEST_F(MultiList, AClickOrTheSpaceBarTurnsTheChosenEntrysSettingOver) {
  Store(kFirstFunction + 1, 0);
  ASSERT_TRUE(host_.Open(ucb_, kHiddenFunctions));
  const HWND list = Control(kMultiList);
  kesm_test::UiScript script;
  script.select(list, 1).check("on", [&] {
    EXPECT_EQ(Ui(kFirstFunction + 1), 1);
    EXPECT_EQ(Ui(kFirstFunction), 0);
  });
  script.key(VK_SPACE).check("off again", [&] { EXPECT_EQ(Ui(kFirstFunction + 1), 0); });
  script.select(list, 1).check("on again", [&] {
    EXPECT_EQ(Ui(kFirstFunction + 1), 1);
    const Picture shot = Shot();
    EXPECT_GT(Ink(shot, 1, kBlack), Ink(shot, 2, kBlack)) << "its box checked";
  });
  EXPECT_TRUE(script.run());
}

class LongMultiList : public ListMachine {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenOn("kesm_l5_long_list.kpd")); }
};

TEST_F(LongMultiList, EntriesPastTheIdListStandForNoSetting) {
  ASSERT_TRUE(host_.Open(ucb_, kHiddenFunctions));
  const HWND list = Control(kMultiList);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 66);
  kesm_test::UiScript script;
  script.select(list, 0).key(VK_END).check("the last entries drawn", [&] {
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    const Picture shot = Shot();
    RECT last{};
    SendMessageW(list, LB_GETITEMRECT, 65, reinterpret_cast<LPARAM>(&last));
    last.right = last.left + 13;
    RECT inside = last;
    InflateRect(&inside, -2, -2);
    EXPECT_GT(shot.Count(host_.page(), list, last, kBlack), 0) << "its box";
    EXPECT_EQ(shot.Count(host_.page(), list, inside, kBlack), 0) << "unchecked";
  });
  EXPECT_TRUE(script.run());
}

}  // namespace
}  // namespace ui_test
