// A multi-column list box worked with the keys: left and right move by a
// column, and the list scrolls by whole columns to keep the current item
// shown, telling each move of the selection.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/window/winuser_controls.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

int g_selectionChanges = 0;

LRESULT CALLBACK Parent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) ++g_selectionChanges;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ListBoxColumns : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    g_selectionChanges = 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Parent;
    wc.lpszClassName = u"ColumnsParent";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    parent_ = CreateWindowExW(0, u"ColumnsParent", u"Parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
    // Three rows of 16 pixels, three columns of 60 shown whole.
    list_ = CreateWindowExW(0, u"ListBox", nullptr, WS_CHILD | WS_VISIBLE | LBS_MULTICOLUMN | LBS_NOTIFY, 10, 10,
                            200, 48, parent_, reinterpret_cast<HMENU>(8), nullptr, nullptr);
    ASSERT_NE(list_, nullptr);
    SendMessageW(list_, LB_SETCOLUMNWIDTH, 60, 0);
    for (const char16_t* t : {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j", u"k"}) {
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    }
  }
  LRESULT Top() const { return SendMessageW(list_, LB_GETTOPINDEX, 0, 0); }
  LRESULT Selected() const { return SendMessageW(list_, LB_GETCURSEL, 0, 0); }

  HWND parent_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(ListBoxColumns, TheKeysMoveByColumnsAndScrollWholeColumnsIntoView) {
  UiScript script;
  script.select(list_, 1).key(VK_RIGHT).check("the next column, shown", [&] {
    EXPECT_EQ(Selected(), 4);
    EXPECT_EQ(Top(), 0);
  });
  script.key(VK_RIGHT).key(VK_RIGHT).check("the fourth column scrolls one column in", [&] {
    EXPECT_EQ(Selected(), 10);
    EXPECT_EQ(Top(), 3);
    RECT r{};
    SendMessageW(list_, LB_GETITEMRECT, 10, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, 120);
  });
  script.key(VK_LEFT).key(VK_LEFT).key(VK_LEFT).check("back to the first column", [&] {
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Top(), 0);
  });
  script.key(VK_END).check("the last item", [&] {
    EXPECT_EQ(Selected(), 10);
    EXPECT_EQ(Top(), 3);
  });
  EXPECT_TRUE(script.run());
  EXPECT_EQ(g_selectionChanges, 1 + 3 + 3 + 1);
}

TEST_F(ListBoxColumns, ASingleColumnListLeavesLeftAndRightAlone) {
  SetWindowLongW(list_, GWL_STYLE, GetWindowLongW(list_, GWL_STYLE) & ~static_cast<LONG>(LBS_MULTICOLUMN));
  UiScript script;
  script.select(list_, 1).key(VK_RIGHT).key(VK_LEFT).check("unmoved", [&] { EXPECT_EQ(Selected(), 1); });
  EXPECT_TRUE(script.run());
  EXPECT_EQ(g_selectionChanges, 1);
}

}  // namespace
}  // namespace kesm_test
