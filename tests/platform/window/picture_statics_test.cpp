// Picture statics that a dialog template names by ordinal: loaded from the
// dialog's module, sized to their image and drawn (bitmaps copied, icons
// through their mask); DrawIconEx's mask and image on their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/base/machine.h"
#include "platform/base/winerror.h"
#include "platform/modules/winmodule.h"
#include "platform/window/window_image.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_draw.h"
#include "tests/platform/install_file.h"
#include "tests/platform/window/dialog_builder.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

COLORREF Sys(int index) { return static_cast<COLORREF>(GetSysColor(index)); }

// The module of tests/data/resources/testpictures.krc: bitmap 101 (4 x 2,
// red at the top left, green beside it), icon 1 (a 16-pixel checker of
// black and white quarters), icon 2 (a black square in a transparent
// four-pixel border).
class PictureStaticsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    module_ = LoadPicturesModule(KESM_TEST_PICTURES);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
    WindowTest::TearDown();
  }
  struct Picture {
    std::vector<std::uint32_t> pixels;
    SIZE size{};
    COLORREF At(LONG x, LONG y) const {
      const std::uint32_t v = pixels[static_cast<std::size_t>(y) * size.cx + x];
      return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
  };
  static Picture Take(HWND hwnd) {
    Picture p;
    EXPECT_TRUE(plat::window::PaintWindowImage(hwnd, &p.pixels, &p.size));
    return p;
  }
  plat::ScopedMachine machine_;
  HMODULE module_ = nullptr;
};

TEST_F(PictureStaticsTest, TemplateOrdinalsLoadFromTheDialogsModuleAndDraw) {
  DialogBuilder b(u"Pictures", WS_POPUP | WS_VISIBLE, 200, 100);
  b.Item(kStaticClass, 10, std::u16string{u'\xFFFF', 101}, SS_BITMAP, 5, 5, 40, 40)
      .Item(kStaticClass, 11, std::u16string{u'\xFFFF', 1}, SS_ICON, 60, 5, 10, 10)
      .Item(kStaticClass, 12, std::u16string{u'\xFFFF', 2}, SS_ICON, 100, 5, 10, 10)
      .Item(kStaticClass, 13, std::u16string{u'\xFFFF', 77}, SS_ICON, 140, 5, 10, 10);  // no such icon
  HWND dialog = CreateDialogIndirectParamW(module_, b.get(), nullptr, Quiet, 0);
  ASSERT_NE(dialog, nullptr);
  HWND bitmap = GetDlgItem(dialog, 10);
  HWND checker = GetDlgItem(dialog, 11);
  HWND framed = GetDlgItem(dialog, 12);
  ASSERT_NE(GetDlgItem(dialog, 13), nullptr);  // made all the same
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 13), STM_GETICON, 0, 0), 0);
  EXPECT_NE(SendMessageW(bitmap, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(checker, STM_GETICON, 0, 0)),
            LoadIconW(module_, MAKEINTRESOURCEW(1)));

  RECT r{};
  GetClientRect(bitmap, &r);
  EXPECT_EQ(r.right, 4);  // the image's size
  EXPECT_EQ(r.bottom, 2);
  GetClientRect(checker, &r);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXICON));

  Picture b1 = Take(bitmap);
  EXPECT_EQ(b1.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(b1.At(1, 0), RGB(0, 255, 0));
  Picture c = Take(checker);  // 16 pixels drawn at 32
  EXPECT_EQ(c.At(4, 4), RGB(0, 0, 0));
  EXPECT_EQ(c.At(20, 4), RGB(255, 255, 255));
  EXPECT_EQ(c.At(4, 20), RGB(255, 255, 255));
  EXPECT_EQ(c.At(31, 31), RGB(0, 0, 0));
  Picture f = Take(framed);
  EXPECT_EQ(f.At(2, 2), Sys(COLOR_3DFACE));  // the mask lets the background through
  EXPECT_EQ(f.At(16, 16), RGB(0, 0, 0));
  DestroyWindow(dialog);
}

TEST_F(PictureStaticsTest, DrawIconExDrawsTheMaskTheImageOrBoth) {
  struct Case {
    UINT flags;
    COLORREF border;  // where the mask is set and the image black
    COLORREF middle;  // where the mask is clear and the image black
  };
  const COLORREF blue = RGB(0, 0, 255);
  const Case cases[] = {
      {DI_NORMAL, blue, RGB(0, 0, 0)},
      {DI_MASK, blue, RGB(0, 0, 0)},
      {DI_IMAGE, RGB(0, 0, 0), RGB(0, 0, 0)},  // the image alone is copied whole
  };
  HICON icon = LoadIconW(module_, MAKEINTRESOURCEW(2));
  ASSERT_NE(icon, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 40, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    HBRUSH fill = CreateSolidBrush(blue);
    ASSERT_TRUE(DrawIconEx(dc, 4, 4, icon, 0, 0, 0, fill, c.flags));
    EXPECT_EQ(GetPixel(dc, 5, 5), c.border);  // 16 pixels at their own size
    EXPECT_EQ(GetPixel(dc, 12, 12), c.middle);
    DeleteObject(fill);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
  }
  SetLastError(0);
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, reinterpret_cast<HICON>(0x99), 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_CURSOR_HANDLE);
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, icon, 0, 0, 0, nullptr, 0));
}

}  // namespace
}  // namespace kesm_test
