// A window's own scroll bars: the scroll calls for SB_HORZ and SB_VERT, the
// bars taking their room from the client area, showing and hiding, the
// frame's picture, and clicks telling the window itself (lParam 0).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

std::vector<std::string> g_told;

LRESULT CALLBACK Scrolled(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    g_told.push_back(std::string(message == WM_VSCROLL ? "VSCROLL " : "HSCROLL ") + std::to_string(LOWORD(wParam)) +
                     (lParam == 0 ? " window" : " bar"));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class OwnScrollBarsTest : public WindowTest {
 public:
  void SetUp() override {
    WindowTest::SetUp();
    g_told.clear();
    ASSERT_TRUE(RegisterTestClass(u"Scrolled", Scrolled, COLOR_WINDOW));
  }
  static HWND Make(DWORD style) {
    return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"Scrolled"), nullptr, WS_POPUP | WS_VISIBLE | style, 20, 20,
                           200, 150, nullptr, nullptr, nullptr, nullptr);
  }
  static SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
  }
};

TEST_F(OwnScrollBarsTest, CallsKeepEachBarsState) {
  HWND w = Make(WS_VSCROLL | WS_HSCROLL);
  EXPECT_EQ(ClientSize(w).cx, 200 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(ClientSize(w).cy, 150 - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_TRUE(SetScrollRange(w, SB_VERT, 0, 50, TRUE));
  int low = -1, high = -1;
  EXPECT_TRUE(GetScrollRange(w, SB_VERT, &low, &high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 50);
  EXPECT_EQ(SetScrollPos(w, SB_VERT, 20, TRUE), 0);
  EXPECT_EQ(SetScrollPos(w, SB_VERT, 80, TRUE), 20);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 50);  // kept in the range
  SCROLLINFO si{sizeof(si), SIF_PAGE | SIF_POS, 0, 0, 10, 45, 0};
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 41);  // max - page + 1
  SCROLLINFO got{sizeof(got), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
  EXPECT_EQ(got.nMax, 50);
  EXPECT_EQ(got.nPage, 10u);
  EXPECT_EQ(got.nPos, 41);
  EXPECT_EQ(GetScrollPos(w, SB_HORZ), 0);  // the other bar is its own
  EXPECT_TRUE(EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH));
  EXPECT_FALSE(EnableScrollBar(w, SB_HORZ, ESB_DISABLE_BOTH));  // already so

  SCROLLINFO bad{sizeof(bad) + 4, SIF_POS, 0, 0, 0, 1, 0};
  SetLastError(0);
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &bad, TRUE), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 41);
}

TEST_F(OwnScrollBarsTest, BarsShowWhenThereIsSomethingToScroll) {
  HWND w = Make(0);
  const SIZE bare = ClientSize(w);
  SCROLLINFO none{sizeof(none), SIF_ALL, 0, 0, 0, 0, 0};
  SetLastError(0);
  EXPECT_FALSE(GetScrollInfo(w, SB_VERT, &none));
  EXPECT_EQ(GetLastError(), ERROR_NO_SCROLLBARS);
  EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));

  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 99, 20, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);
  EXPECT_EQ(ClientSize(w).cx, bare.cx - GetSystemMetrics(SM_CXVSCROLL));
  si.nPage = 100;  // the whole range in one page: nothing to scroll
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);
  EXPECT_EQ(ClientSize(w).cx, bare.cx);
  si.fMask |= SIF_DISABLENOSCROLL;  // kept, disabled
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & static_cast<LONG>(WS_VSCROLL), 0);
  EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));  // already disabled

  EXPECT_TRUE(ShowScrollBar(w, SB_BOTH, TRUE));
  EXPECT_EQ(ClientSize(w).cy, bare.cy - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_TRUE(ShowScrollBar(w, SB_HORZ, FALSE));
  EXPECT_EQ(ClientSize(w).cy, bare.cy);
}

TEST_F(OwnScrollBarsTest, ClicksOnTheFramesBarsTellTheWindowItself) {
  struct Case {
    DWORD style;
    POINT (*at)(SIZE client);  // a client point beyond the client area, on the bar
    std::vector<std::string> told;
  };
  const Case cases[] = {
      {WS_VSCROLL, [](SIZE c) { return POINT{c.cx + 8, 8}; }, {"VSCROLL 0 window", "VSCROLL 8 window"}},
      {WS_VSCROLL, [](SIZE c) { return POINT{c.cx + 8, c.cy - 8}; }, {"VSCROLL 1 window", "VSCROLL 8 window"}},
      {WS_VSCROLL, [](SIZE c) { return POINT{c.cx + 8, c.cy - 30}; }, {"VSCROLL 3 window", "VSCROLL 8 window"}},
      {WS_HSCROLL, [](SIZE c) { return POINT{c.cx - 8, c.cy + 8}; }, {"HSCROLL 1 window", "HSCROLL 8 window"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.told.front());
    HWND w = Make(c.style);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    SetScrollInfo(w, (c.style & WS_VSCROLL) != 0 ? SB_VERT : SB_HORZ, &si, TRUE);
    g_told.clear();
    UiScript script;
    script.clickAt(w, c.at(ClientSize(w)));
    ASSERT_TRUE(script.run());
    Drain();
    EXPECT_EQ(g_told, c.told);
    EXPECT_EQ(GetScrollPos(w, (c.style & WS_VSCROLL) != 0 ? SB_VERT : SB_HORZ), 0);  // the window moves it
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(w);
  }
}

TEST_F(OwnScrollBarsTest, TheFramePaintsTheBars) {
  HWND w = Make(WS_VSCROLL);
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  std::vector<std::uint32_t> pixels;
  SIZE size{};
  ASSERT_TRUE(plat::window::PaintWindowImage(w, &pixels, &size));
  auto at = [&](LONG x, LONG y) { return pixels[static_cast<std::size_t>(y) * size.cx + x]; };
  const std::uint32_t text = 0x000000, highlight = 0xFFFFFF;
  const LONG left = 200 - GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(at(left + 1, 1), highlight);  // the up arrow's raised edge
  bool arrow = false;
  for (LONG y = 4; y < 12; ++y) arrow = arrow || at(left + 8, y) == text;
  EXPECT_TRUE(arrow);
  EXPECT_EQ(at(left + 1, 17), highlight);  // the thumb at the top
  EXPECT_EQ(at(10, 10), 0xFFFFFFu);         // the client area is the window's own
}

}  // namespace
}  // namespace kesm_test
