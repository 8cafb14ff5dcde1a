// Pictures of the pages painted onto a memory DC and a window: placed at
// their offset, combined by raster operation or through their mask, greyed
// on a monochrome machine, held in a copy until released; sources that give
// no picture paint nothing.
#include "ui/bitmaps/paint_bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/wingdi.h"
#include "platform/files/winpath.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/values/setting_value.h"
#include "tests/ui/engine_machine.h"
#include "ui/bitmaps/bitmap_info.h"
#include "ui/bitmaps/bitmap_library.h"
#include "ui/bitmaps/palette256.h"
#include "ui/resource_dll.h"

namespace ui_test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMarkerBlue = RGB(0, 0, 160);  // marker 6801's disc
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kMarker = 6801;

// The delivered libraries in place of the test ones.
class PaintBitmap : public EngineMachine {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(EngineMachine::SetUp());
    FreeResDll(ucb_);
    const auto bitmaps = plat::HostPathOf(GetBmpDllName(ucb_));
    ASSERT_TRUE(bitmaps.has_value());
    std::filesystem::copy_file(KESM_UI_BITMAPS, *bitmaps, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(KESM_UI_STRINGS, resourceDll_, std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 234, 1));  // a colour machine
    dc_ = CreateCompatibleDC(nullptr);
    const HDC screen = GetDC(nullptr);
    target_ = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, target_);
    Fill(dc_, RECT{0, 0, 64, 64}, kBlue);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(target_);
    DeleteDC(dc_);
    EngineMachine::TearDown();
  }
  static void Fill(HDC dc, const RECT& r, COLORREF colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  HDC dc_ = nullptr;
  HBITMAP target_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(PaintBitmap, EveryRowOfTheInfoListNamesAPictureOfItsSize) {
  int rows = 0;
  for (const BITMAPINFOROW* row = GetBitmapInfoList(); row->wBitmapId != 0; ++row, ++rows) {
    const HBITMAP bitmap = LoadBitmapFromResDll(ucb_, row->wBitmapId);
    ASSERT_NE(bitmap, nullptr) << row->wBitmapId;
    BITMAP b{};
    GetObjectW(bitmap, sizeof b, &b);
    if (row->wWidth != 0) {
      EXPECT_EQ(b.bmWidth, row->wWidth) << row->wBitmapId;
      EXPECT_EQ(b.bmHeight, row->wHeight) << row->wBitmapId;
    }
    EXPECT_EQ(row->wOverlayBitmapId, 0);
    DeleteObject(bitmap);
  }
  EXPECT_EQ(rows, 64 + 4 + 9 + 11 + 5 + 2);
  EXPECT_EQ(FindBitmapInfo(6801)->sOffsetX, 8);
  EXPECT_EQ(FindBitmapInfo(6801)->sOffsetY, 59);
  EXPECT_EQ(FindBitmapInfo(6001)->dwFlags, 0x50u);
  EXPECT_EQ(FindBitmapInfo(5000), nullptr);
}

TEST_F(PaintBitmap, ACopiedPictureLandsAtItsPoint) {
  const RECT all{0, 0, 64, 64};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &all, 10, 20, MAKEINTRESOURCEW(kMarker), kPaintCopy));
  EXPECT_EQ(GetPixel(dc_, 10 + 3, 20 + 6), kMarkerBlue);
  EXPECT_EQ(GetPixel(dc_, 10, 20), kWhite);  // the picture's corner, copied
  EXPECT_EQ(GetPixel(dc_, 9, 19), kBlue);    // outside it: untouched
}

TEST_F(PaintBitmap, CentringFlagsMoveTheAnchorByHalfThePicture) {
  const RECT all{0, 0, 64, 64};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &all, 32, 32, MAKEINTRESOURCEW(kMarker),
                                     kPaintCopy | kPaintCentreX | kPaintCentreY));
  EXPECT_EQ(GetPixel(dc_, 26, 26), kWhite);  // the corner at 32 - 13 / 2
  EXPECT_EQ(GetPixel(dc_, 25, 25), kBlue);
}

TEST_F(PaintBitmap, AnOwnSizePaintLeavesTheBackgroundWhereThePictureIsTransparent) {
  const RECT at{20, 20, 40, 40};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &at, 0, 0, MAKEINTRESOURCEW(kMarker), kPaintOwnSize));
  EXPECT_EQ(GetPixel(dc_, 20, 20), kBlue);            // the white corner is transparent
  EXPECT_EQ(GetPixel(dc_, 20 + 3, 20 + 6), kMarkerBlue);
}

TEST_F(PaintBitmap, AndKeepsTheDarkerOfPictureAndBackground) {
  const RECT all{0, 0, 64, 64};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &all, 10, 10, MAKEINTRESOURCEW(kMarker), kPaintAnd));
  EXPECT_EQ(GetPixel(dc_, 10, 10), kBlue);  // white AND blue
  EXPECT_EQ(GetPixel(dc_, 13, 16), RGB(0, 0, 160));
}

TEST_F(PaintBitmap, AMonochromeMachineGetsGreyPictures) {
  ASSERT_TRUE(SetDevmodeValueDirectByFuncID(ucb_, 234, 0));
  const RECT all{0, 0, 64, 64};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &all, 10, 10, MAKEINTRESOURCEW(kMarker), kPaintCopy));
  const BYTE luminance = static_cast<BYTE>(11 * 160 / 100);
  EXPECT_EQ(GetPixel(dc_, 13, 16), RGB(luminance, luminance, luminance));
}

TEST_F(PaintBitmap, SourcesWithoutAPicturePaintNothing) {
  const RECT all{0, 0, 64, 64};
  for (const LPCWSTR source : {MAKEINTRESOURCEW(5000), static_cast<LPCWSTR>(u"C:\\no\\such.bmp"),
                               static_cast<LPCWSTR>(u"no_such_name"), static_cast<LPCWSTR>(nullptr)}) {
    EXPECT_FALSE(PaintBitmapFromResDll2(ucb_, dc_, &all, 0, 0, source, kPaintCopy));
  }
  EXPECT_FALSE(PaintBitmapFromResDll2(ucb_, nullptr, &all, 0, 0, MAKEINTRESOURCEW(kMarker), kPaintCopy));
  EXPECT_FALSE(PaintBitmapFromResDll2(ucb_, dc_, nullptr, 0, 0, MAKEINTRESOURCEW(kMarker), kPaintCopy));
  for (int y = 0; y < 64; y += 7) {
    for (int x = 0; x < 64; x += 7) ASSERT_EQ(GetPixel(dc_, x, y), kBlue) << x << "," << y;
  }
}

TEST_F(PaintBitmap, HeldPaintsReachTheWindowOnlyOnRelease) {
  const HWND window = CreateWindowExW(0, u"STATIC", u"", WS_POPUP | WS_VISIBLE, 10, 10, 120, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const HDC dc = GetDC(window);
  Fill(dc, RECT{0, 0, 120, 100}, kBlue);
  const RECT area{0, 0, 120, 100};
  HoldPaintBitmap(ucb_);
  // In the client rectangle at the marker's offset (8, 59).
  ASSERT_TRUE(PaintBitmapFromResDll(ucb_, window, nullptr, kMarker, kPaintCopy));
  EXPECT_EQ(GetPixel(dc, 8, 59), kBlue);  // nothing on screen yet
  EXPECT_EQ(GetPixel(dc, 8 + 3, 59 + 6), kBlue);
  ReleasePaintBitmap(ucb_, window, &area);
  EXPECT_EQ(GetPixel(dc, 8, 59), kWhite);
  EXPECT_EQ(GetPixel(dc, 8 + 3, 59 + 6), kMarkerBlue);
  EXPECT_EQ(GetPixel(dc, 2, 2), kBlue);
  ReleaseDC(window, dc);
  DestroyWindow(window);
}

// While an item paints itself, or a caller hands a picture item its own DC,
// pictures go to that DC and not to the window.
TEST_F(PaintBitmap, APaintDCSetForTheItemTakesThePicture) {
  const HWND window = CreateWindowExW(0, u"STATIC", u"", WS_POPUP | WS_VISIBLE, 10, 10, 64, 64, nullptr, nullptr,
                                      nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const HDC own = GetDC(window);
  Fill(own, RECT{0, 0, 64, 64}, kBlue);
  ucb_->pWork->dialog.hPaintDC = dc_;
  // A four-coloured square at its own size, dark blue at the top left.
  ASSERT_TRUE(PaintBitmapFromResDll(ucb_, window, nullptr, 6205, 0));
  ucb_->pWork->dialog.hPaintDC = nullptr;
  EXPECT_EQ(GetPixel(dc_, 4, 4), kMarkerBlue);
  EXPECT_EQ(GetPixel(own, 4, 4), kBlue);
  ReleaseDC(window, own);
  DestroyWindow(window);
}

// A colour sample (own-size paint) whose option has no picture fails
// before anything is held; the release ends the hold all the same, so the
// paints after it reach their DC.
TEST_F(PaintBitmap, AHoldThatPaintedNothingEndsWithItsRelease) {
  const HWND window = CreateWindowExW(0, u"STATIC", u"", WS_POPUP | WS_VISIBLE, 10, 10, 120, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const RECT area{0, 0, 120, 100};
  HoldPaintBitmap(ucb_);
  EXPECT_FALSE(PaintBitmapFromResDll(ucb_, window, nullptr, 2026, kPaintOwnSize));  // an option id, no picture
  ReleasePaintBitmap(ucb_, window, &area);
  const RECT all{0, 0, 64, 64};
  ASSERT_TRUE(PaintBitmapFromResDll2(ucb_, dc_, &all, 10, 20, MAKEINTRESOURCEW(kMarker), kPaintCopy));
  EXPECT_EQ(GetPixel(dc_, 10 + 3, 20 + 6), kMarkerBlue);
  DestroyWindow(window);
}

TEST(Palette256, TheTrueColourDisplayIsNotPaletteBased) {
  EXPECT_EQ(MakePalette256(nullptr, 0, 0), 0);
  const HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(MakePalette256(dc, 3, RGB(1, 2, 3)), 0);
  EXPECT_EQ(MakePalette256(dc, -1, 0), 0);
  DeleteDC(dc);
}

TEST(Palette256, OnAPaletteDisplayTheStoredColoursAreSelected) {
  EXPECT_EQ(MakePalette256On(true, nullptr, 0, 0), 1);
  const HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(MakePalette256On(true, dc, 7, RGB(0x33, 0x33, 0xFF)), 1);
  EXPECT_EQ(MakePalette256On(true, dc, 256, 0), 0);
  const auto old = reinterpret_cast<HPALETTE>(MakePalette256On(true, dc, -1, 0));
  EXPECT_EQ(old, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
  const HPALETTE kept = SelectPalette(dc, old, FALSE);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(GetPaletteEntries(kept, 0, 0, nullptr), 256u);
  PALETTEENTRY e{};
  ASSERT_EQ(GetPaletteEntries(kept, 7, 1, &e), 1u);
  EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(0x33, 0x33, 0xFF));
  DeleteDC(dc);
}

}  // namespace
}  // namespace ui_test
