// The tab control as its parent sees it: what each action of a person or of
// the program tells the parent (a table of actions and the notifications
// they send), and the control's items and geometry.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/window/propsheet/tabctrl.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

using plat::window::WindowRef;

constexpr int kTabsId = 55;

// The parent's record of the tab control's notifications; the parent may
// refuse a change.
std::vector<std::string> g_notes;
bool g_refuse = false;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    EXPECT_EQ(header->idFrom, static_cast<UINT_PTR>(kTabsId));
    EXPECT_EQ(wParam, static_cast<WPARAM>(kTabsId));
    const LRESULT current = SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0);
    if (header->code == TCN_SELCHANGING) {
      g_notes.push_back("SELCHANGING@" + std::to_string(current));
      return g_refuse ? TRUE : FALSE;
    }
    if (header->code == TCN_SELCHANGE) g_notes.push_back("SELCHANGE@" + std::to_string(current));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class TabControlTest : public WindowTest {
 public:
  HWND parent = nullptr;
  HWND tabs = nullptr;
  void SetUp() override {
    WindowTest::SetUp();
    g_notes.clear();
    g_refuse = false;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = reinterpret_cast<LPCWSTR>(u"KesmTabParent");
    RegisterClassExW(&wc);
    parent = CreateWindowExW(0, wc.lpszClassName, reinterpret_cast<LPCWSTR>(u"Tabs"), WS_POPUP | WS_VISIBLE, 100, 100,
                             400, 300, nullptr, nullptr, nullptr, nullptr);
    tabs = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(WC_TABCONTROLW), nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           10, 10, 360, 250, parent, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(kTabsId)), nullptr,
                           nullptr);
    ASSERT_NE(tabs, nullptr);
    for (const char16_t* text : {u"General", u"Paper", u"Finishing"}) Insert(99, text, 0);
  }
  LRESULT Insert(int at, const char16_t* text, LPARAM param) {
    TCITEMW item{TCIF_TEXT | TCIF_PARAM, 0, 0, const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text)), 0, 0, param};
    return SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
  }
  LRESULT Current() { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0); }
};

using Notes = std::vector<std::string>;

TEST_F(TabControlTest, EachActionTellsTheParentWhatTheTableSays) {
  struct Case {
    const char* what;
    std::function<void(UiScript&, HWND)> act;
    bool refuse;
    Notes notes;
    LRESULT currentAfter;
  };
  const Case cases[] = {
      {"a click on another tab", [](UiScript& s, HWND t) { s.tab(t, 2); }, false,
       {"SELCHANGING@0", "SELCHANGE@2"}, 2},
      {"a click on the chosen tab", [](UiScript& s, HWND t) { s.tab(t, 0); }, false, {}, 0},
      {"a click the parent refuses", [](UiScript& s, HWND t) { s.tab(t, 1); }, true, {"SELCHANGING@0"}, 0},
      {"right arrow on the focused tabs",
       [](UiScript& s, HWND t) { s.tab(t, 0).key(VK_RIGHT); }, false, {"SELCHANGING@0", "SELCHANGE@1"}, 1},
      {"left arrow at the first tab", [](UiScript& s, HWND t) { s.tab(t, 0).key(VK_LEFT); }, false, {}, 0},
      {"the program's own choice", [](UiScript& s, HWND t) {
         s.check("set", [t] { EXPECT_EQ(SendMessageW(t, TCM_SETCURSEL, 1, 0), 0); });
       }, false, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
    g_notes.clear();
    g_refuse = c.refuse;
    {
      UiScript script;
      c.act(script, tabs);
      EXPECT_TRUE(script.run());
    }
    EXPECT_EQ(g_notes, c.notes);
    EXPECT_EQ(Current(), c.currentAfter);
  }
}

TEST_F(TabControlTest, ItemsKeepTheirTextAndValue) {
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Current(), 0);  // the first tab inserted is chosen
  EXPECT_EQ(Insert(0, u"Layout", 77), 0);
  EXPECT_EQ(Current(), 1);  // the chosen tab moved along
  WCHAR text[4] = {};
  TCITEMW item{TCIF_TEXT | TCIF_PARAM, 0, 0, text, 4, 0, 0};
  ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), u"Lay");  // cut to the buffer
  EXPECT_EQ(item.lParam, 77);
  EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMW, 9, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 9, 0), -1);
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(Current(), -1);
  EXPECT_EQ(Insert(5, u"Only", 0), 0);
}

TEST_F(TabControlTest, TheDisplayAreaAndTheItemsLieInsideTheControl) {
  RECT client{};
  GetClientRect(tabs, &client);
  RECT area = client;
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_GT(area.top, client.top);
  EXPECT_GT(area.left, client.left);
  EXPECT_LT(area.right, client.right);
  EXPECT_LT(area.bottom, client.bottom);
  SendMessageW(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&area));
  EXPECT_TRUE(EqualRect(&area, &client));
  RECT previous{};
  for (int i = 0; i < 3; ++i) {
    RECT item{};
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
    RECT display = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_LE(item.bottom, display.top);
    if (i > 0) {
      EXPECT_GE(item.left, previous.right - 2);  // one row, left to right
    }
    previous = item;
  }
  RECT none{};
  EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&none)));
}

}  // namespace
}  // namespace kesm_test
