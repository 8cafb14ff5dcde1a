// Display DCs: where they come from and go back to, the state stack,
// object selection, and the per-window log of calls.
#include <gtest/gtest.h>

#include "platform/base/winerror.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

class DisplayDcTest : public WindowTest {};

TEST_F(DisplayDcTest, WindowDCsGoBackOnlyToTheirWindow) {
  HWND a = Make("a", nullptr, RECT{0, 0, 50, 50});
  HWND b = Make("b", nullptr, RECT{0, 0, 50, 50});
  HDC dc = GetDC(a);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  EXPECT_EQ(ReleaseDC(b, dc), 0);
  EXPECT_FALSE(DeleteDC(dc));  // a window's DC goes back with ReleaseDC
  EXPECT_EQ(ReleaseDC(a, dc), 1);
  EXPECT_EQ(ReleaseDC(a, dc), 0);
  SetLastError(0);
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// What a leak check counts: every object made and DC taken until it is
// deleted or released; stock objects never.
TEST_F(DisplayDcTest, TheGdiCountFollowsObjectsAndDCsInUse) {
  HWND a = Make("a", nullptr, RECT{0, 0, 50, 50});
  const DWORD start = GetGuiResources(nullptr, GR_GDIOBJECTS);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HDC memory = CreateCompatibleDC(nullptr);
  HDC window = GetDC(a);
  GetStockObject(WHITE_BRUSH);
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), start + 3);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_EQ(ReleaseDC(a, window), 1);
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), start);
  SetLastError(0);
  EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(DisplayDcTest, SaveAndRestoreByLevel) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  struct Step {
    COLORREF set;
    int save;  // SaveDC's answer after setting
  };
  const Step steps[] = {{RGB(1, 0, 0), 1}, {RGB(2, 0, 0), 2}, {RGB(3, 0, 0), 3}};
  for (const Step& s : steps) {
    SetTextColor(dc, s.set);
    EXPECT_EQ(SaveDC(dc), s.save);
  }
  SetTextColor(dc, RGB(9, 9, 9));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), RGB(3, 0, 0));
  EXPECT_TRUE(RestoreDC(dc, 1));  // level 1 and everything after it
  EXPECT_EQ(GetTextColor(dc), RGB(1, 0, 0));
  EXPECT_FALSE(RestoreDC(dc, 1));  // gone now
  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(DisplayDcTest, SelectionReturnsThePreviousObjectOfItsKind) {
  HWND a = Make("a", nullptr, RECT{0, 0, 50, 50});
  HDC dc = GetDC(a);
  HBRUSH mine = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, mine), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(DeleteObject(mine));  // still selected
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), static_cast<HGDIOBJ>(mine));
  EXPECT_TRUE(DeleteObject(mine));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));  // allowed, and nothing happens
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(SelectObject(dc, mine), nullptr);  // deleted
  ReleaseDC(a, dc);
  const auto log = plat::gdi::GdiCallLog(a);
  std::vector<std::string> calls;
  for (const auto& call : log) calls.push_back(call.call);
  EXPECT_EQ(calls, (std::vector<std::string>{"SelectObject", "SelectObject", "SelectObject"}));
}

TEST_F(DisplayDcTest, PaintCycleIsLoggedUnderTheWindow) {
  HWND a = Make("a", nullptr, RECT{0, 0, 50, 50});
  PAINTSTRUCT ps{};
  BeginPaint(a, &ps);  // the first paint erases with the class brush
  EndPaint(a, &ps);
  std::vector<std::string> calls;
  for (const auto& call : plat::gdi::GdiCallLog(a)) calls.push_back(call.call);
  EXPECT_EQ(calls, (std::vector<std::string>{"BeginPaint", "FillRect", "EndPaint"}));
  EXPECT_EQ(plat::gdi::GdiCallLog(a)[1].args.back(),
            reinterpret_cast<LONG_PTR>(reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_3DFACE + 1))));
}

TEST_F(DisplayDcTest, SystemColoursAndMetricsAreTheMachinesFixedOnes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(25), 0u);
  EXPECT_EQ(GetSysColorBrush(25), nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_WINDOW)), OBJ_BRUSH);  // still there
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CXHSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(9999), 0);
}

}  // namespace
}  // namespace kesm_test
