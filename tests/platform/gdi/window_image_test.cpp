// A window with its children painted through the paint cycle into one PNG
// file, read back with libpng's reader.
#include <png.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/window_image.h"
#include "tests/common/ui_script.h"
#include "tests/platform/window/recorder.h"

namespace kesm_test {
namespace {

// Paints its client area in the colour kept in its user data, and a black
// line along its top.
LRESULT CALLBACK SolidProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, client.right, 0);
  EndPaint(hwnd, &ps);
  return 0;
}

class WindowImageTest : public WindowTest {
 protected:
  HWND Solid(HWND parent, RECT r, COLORREF color) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = SolidProc;
    cls.lpszClassName = u"SolidForPictures";
    RegisterClassExW(&cls);  // once per fresh window system; later calls find it there
    HWND hwnd = CreateWindowExW(0, u"SolidForPictures", nullptr, WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP), r.left,
                                r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    return hwnd;
  }
};

struct Picture {
  png_uint_32 width = 0, height = 0;
  std::vector<png_byte> rgb;
  COLORREF At(png_uint_32 x, png_uint_32 y) const {
    const png_byte* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

bool ReadPng(const std::filesystem::path& file, Picture* out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out->width = image.width;
  out->height = image.height;
  out->rgb.resize(PNG_IMAGE_SIZE(image));
  const bool ok = png_image_finish_read(&image, nullptr, out->rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

TEST_F(WindowImageTest, AWindowAndItsChildrenBecomeOnePicture) {
  HWND top = Solid(nullptr, RECT{100, 100, 160, 140}, RGB(0, 0, 255));
  HWND child = Solid(top, RECT{10, 10, 30, 30}, RGB(255, 0, 0));
  // Children made later lie below those made before, as dialog items do.
  HWND below = Solid(top, RECT{20, 20, 40, 35}, RGB(0, 255, 0));
  ASSERT_NE(child, nullptr);
  ASSERT_NE(below, nullptr);
  const auto file = std::filesystem::temp_directory_path() / ("kesm-window-" + std::to_string(getpid()) + ".png");
  ASSERT_TRUE(plat::window::WriteWindowPng(top, file));
  Picture picture;
  ASSERT_TRUE(ReadPng(file, &picture));
  std::filesystem::remove(file);
  EXPECT_EQ(picture.width, 60u);
  EXPECT_EQ(picture.height, 40u);
  EXPECT_EQ(picture.At(0, 0), RGB(0, 0, 0));      // the top's line
  EXPECT_EQ(picture.At(5, 5), RGB(0, 0, 255));    // the top's own colour
  EXPECT_EQ(picture.At(12, 12), RGB(255, 0, 0));  // the first child
  EXPECT_EQ(picture.At(25, 25), RGB(255, 0, 0));  // where the children overlap, the upper one
  EXPECT_EQ(picture.At(35, 20), RGB(0, 0, 0));    // the lower child's own top line
  EXPECT_EQ(picture.At(35, 30), RGB(0, 255, 0));
  EXPECT_EQ(picture.At(50, 36), RGB(0, 0, 255));
}

TEST_F(WindowImageTest, TheShownPictureKeepsWhatWasDrawnOutsideThePaintCycle) {
  HWND top = Solid(nullptr, RECT{100, 100, 140, 130}, RGB(0, 0, 255));
  UpdateWindow(top);
  HDC dc = GetDC(top);
  RECT mark{5, 5, 15, 15};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &mark, red);
  DeleteObject(red);
  ReleaseDC(top, dc);
  const auto file = std::filesystem::temp_directory_path() / ("kesm-shown-" + std::to_string(getpid()) + ".png");
  ASSERT_TRUE(plat::window::WriteShownWindowPng(top, file));
  Picture shown;
  ASSERT_TRUE(ReadPng(file, &shown));
  ASSERT_TRUE(plat::window::WriteWindowPng(top, file));
  Picture repainted;
  ASSERT_TRUE(ReadPng(file, &repainted));
  std::filesystem::remove(file);
  EXPECT_EQ(shown.At(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(repainted.At(10, 10), RGB(0, 0, 255));
}

TEST_F(WindowImageTest, NotAWindowWritesNothing) {
  const auto file = std::filesystem::temp_directory_path() / ("kesm-none-" + std::to_string(getpid()) + ".png");
  EXPECT_FALSE(plat::window::WriteWindowPng(reinterpret_cast<HWND>(0x1234), file));
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WindowImageTest, DumpFolderGetsAPictureOfEachShownBox) {
  const auto folder = std::filesystem::temp_directory_path() / ("kesm-dump-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  setenv("KESM_DUMP_WINDOWS", folder.c_str(), 1);
  HWND form = Solid(nullptr, RECT{0, 0, 200, 100}, RGB(255, 255, 255));
  {
    UiScript script;
    script.answerBox(u"Pictured", IDOK);
    EXPECT_EQ(MessageBoxW(form, u"Pictured", nullptr, MB_OK), IDOK);
  }
  unsetenv("KESM_DUMP_WINDOWS");
  std::vector<std::filesystem::path> written;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) written.push_back(entry.path());
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].extension(), ".png");
  Picture picture;
  EXPECT_TRUE(ReadPng(written[0], &picture));
  EXPECT_GT(picture.width, 0u);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kesm_test
