// Icons of the resource library drawn where the pages ask: the test
// library's icon 3001 leaves a four-pixel border transparent around a black
// square, so the background must show at the corner and black in the
// middle.
#include "ui/bitmaps/resource_icons.h"

#include <gtest/gtest.h>

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "tests/ui/engine_machine.h"

namespace ui_test {
namespace {

constexpr UINT kFramedIcon = 3001;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class ResourceIcons : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    dc_ = CreateCompatibleDC(nullptr);
    const HDC screen = GetDC(nullptr);
    target_ = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, target_);
    const RECT all{0, 0, 64, 64};
    const HBRUSH blue = CreateSolidBrush(kBlue);
    FillRect(dc_, &all, blue);
    DeleteObject(blue);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(target_);
    DeleteDC(dc_);
    EngineMachine::TearDown();
  }
  HDC dc_ = nullptr;
  HBITMAP target_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(ResourceIcons, TheIconIsDrawnThroughItsMaskAtThePoint) {
  ASSERT_TRUE(PaintIconFromResDll2(ucb_, dc_, 4, 4, kFramedIcon));
  EXPECT_EQ(GetPixel(dc_, 5, 5), kBlue);     // the transparent border
  EXPECT_EQ(GetPixel(dc_, 15, 15), kBlack);  // the square
  EXPECT_EQ(GetPixel(dc_, 2, 2), kBlue);     // left of and above the point: untouched
  // Drawn again the icon is still there: the shared icon was not destroyed.
  ASSERT_TRUE(PaintIconFromResDll2(ucb_, dc_, 30, 30, kFramedIcon));
  EXPECT_EQ(GetPixel(dc_, 41, 41), kBlack);
}

TEST_F(ResourceIcons, AMissingIconOrDcDrawsNothing) {
  EXPECT_FALSE(PaintIconFromResDll2(ucb_, dc_, 4, 4, 3002));
  EXPECT_FALSE(PaintIconFromResDll2(ucb_, nullptr, 4, 4, kFramedIcon));
  EXPECT_FALSE(PaintIconFromResDll2(nullptr, dc_, 4, 4, kFramedIcon));
  EXPECT_EQ(GetPixel(dc_, 15, 15), kBlue);
  EXPECT_FALSE(LoadIconFromResDll(ucb_, nullptr, kFramedIcon));
}

TEST_F(ResourceIcons, TheIconIsDrawnIntoTheControlAtItsTopLeft) {
  const HWND control = CreateWindowExW(0, u"STATIC", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 120, 120,
                                       nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(control, nullptr);
  const HDC dc = GetDC(control);
  const RECT all{0, 0, 60, 60};
  const HBRUSH blue = CreateSolidBrush(kBlue);
  FillRect(dc, &all, blue);
  DeleteObject(blue);
  ASSERT_TRUE(LoadIconFromResDll(ucb_, control, kFramedIcon));
  EXPECT_EQ(GetPixel(dc, 11, 11), kBlack);
  EXPECT_EQ(GetPixel(dc, 1, 1), kBlue);
  ReleaseDC(control, dc);
  DestroyWindow(control);
}

}  // namespace
}  // namespace ui_test
