// Pictures from modules: bitmaps as display bitmaps and DIB sections with
// their colours, the pages' cursors and icons, and what resource scripts
// refuse.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/gdi/wingdi.h"
#include "platform/modules/winmodule.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "tests/platform/install_file.h"

namespace kesm_test {
namespace {

// The module of tests/data/resources/testpictures.krc.
class PictureModule : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadPicturesModule(KESM_TEST_PICTURES);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { EXPECT_TRUE(FreeLibrary(module_)); }

  // The pixels of a bitmap, through a memory DC.
  static COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
  }

  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
};

TEST_F(PictureModule, BitmapResourcesKeepTheirColours) {
  ASSERT_NE(FindResourceW(module_, MAKEINTRESOURCEW(101), RT_BITMAP), nullptr);
  HBITMAP display = LoadBitmapW(module_, MAKEINTRESOURCEW(101));
  ASSERT_NE(display, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(display, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmWidth, 4);
  EXPECT_EQ(bm.bmHeight, 2);
  EXPECT_EQ(bm.bmBitsPixel, 32);  // the display's format
  EXPECT_EQ(PixelOf(display, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(display, 3, 1), RGB(255, 0, 255));
  HBITMAP section = static_cast<HBITMAP>(
      LoadImageW(module_, MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(section, nullptr);
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(section, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 8);  // its own format
  EXPECT_EQ(PixelOf(section, 1, 0), RGB(0, 255, 0));
  // A monochrome bitmap stays monochrome.
  HBITMAP mono = LoadBitmapW(module_, MAKEINTRESOURCEW(102));
  ASSERT_NE(mono, nullptr);
  GetObjectW(mono, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  for (HBITMAP b : {display, section, mono}) EXPECT_TRUE(DeleteObject(b));
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(module_, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST_F(PictureModule, CursorsAndIconsAreSharedHandles) {
  HCURSOR hand = LoadCursorW(module_, MAKEINTRESOURCEW(8000));
  HCURSOR other = LoadCursorW(module_, MAKEINTRESOURCEW(8001));
  ASSERT_NE(hand, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(hand, other);
  EXPECT_EQ(LoadCursorW(module_, MAKEINTRESOURCEW(8000)), hand);
  EXPECT_EQ(LoadImageW(module_, MAKEINTRESOURCEW(8001), IMAGE_CURSOR, 0, 0, LR_SHARED), other);
  EXPECT_NE(LoadCursorW(nullptr, IDC_WAIT), nullptr);
  EXPECT_NE(LoadCursorW(nullptr, IDC_WAIT), LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(LoadCursorW(module_, MAKEINTRESOURCEW(1)), nullptr);  // an icon, not a cursor
  HICON icon = LoadIconW(module_, MAKEINTRESOURCEW(1));
  EXPECT_NE(icon, nullptr);
  EXPECT_NE(LoadIconW(nullptr, IDI_WARNING), nullptr);
  EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(5)), nullptr);
}

TEST_F(PictureModule, BitmapFilesLoadFromTheMachine) {
  InstallFile(std::string(KESM_TEST_DATA) + "/gdi/direct_colours_24bpp.bmp", "picture.bmp");
  HBITMAP made = static_cast<HBITMAP>(
      LoadImageW(nullptr, u"C:\\picture.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(PixelOf(made, 2, 0), RGB(0, 0, 255));
  DeleteObject(made);
  WriteFile("broken.bmp", "BM and nothing more");
  EXPECT_EQ(LoadImageW(nullptr, u"C:\\broken.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_DATA);
}

}  // namespace
}  // namespace kesm_test
