// Reading what painters drew, as a person reads it off the screen: a memory
// DC of the display to paint on, the pixels of a window as it shows them,
// the ink of a region cropped to where it lies, and a text as the page's
// font writes it, to compare with.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/png_file.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/winuser.h"

namespace ui_test {

// A colour bitmap of the display selected into a memory DC, filled.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    const HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  ~MemoryCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

using PixelAt = std::function<COLORREF(int x, int y)>;
using IsInk = std::function<bool(COLORREF)>;

// The pixels of a region that are ink, cropped to the smallest rectangle
// that holds them all; empty when there is none. Two masks are equal when
// the same ink stands in the same shape, wherever each region put it.
struct InkMask {
  RECT bounds{0, 0, 0, 0};  // where the ink lay
  int width = 0;
  int height = 0;
  std::vector<bool> bits;
  bool empty() const { return bits.empty(); }
  bool operator==(const InkMask& other) const {
    return width == other.width && height == other.height && bits == other.bits;
  }
};

inline InkMask InkIn(const PixelAt& pixel, const RECT& region, const IsInk& ink) {
  InkMask mask;
  RECT b{region.right, region.bottom, region.left, region.top};
  for (LONG y = region.top; y < region.bottom; ++y) {
    for (LONG x = region.left; x < region.right; ++x) {
      if (!ink(pixel(x, y))) continue;
      b = RECT{std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1), std::max(b.bottom, y + 1)};
    }
  }
  if (b.left >= b.right) return mask;
  mask.bounds = b;
  mask.width = b.right - b.left;
  mask.height = b.bottom - b.top;
  for (LONG y = b.top; y < b.bottom; ++y) {
    for (LONG x = b.left; x < b.right; ++x) mask.bits.push_back(ink(pixel(x, y)));
  }
  return mask;
}

inline bool IsBlack(COLORREF c) { return c == RGB(0, 0, 0); }

// The text as the font writes it in black on white.
inline InkMask TextInk(HFONT font, const std::u16string& text) {
  MemoryCanvas canvas(600, 40, RGB(255, 255, 255));
  SelectObject(canvas.dc(), font);
  TextOutW(canvas.dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
  return InkIn([&](int x, int y) { return canvas.At(x, y); }, RECT{0, 0, 600, 40}, IsBlack);
}

// What a window's client area shows now, copied once.
class WindowShot : public MemoryCanvas {
 public:
  explicit WindowShot(HWND window) : MemoryCanvas(ClientWidth(window), ClientHeight(window), RGB(255, 0, 255)) {
    const HDC dc = GetDC(window);
    BitBlt(this->dc(), 0, 0, width(), height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
  PixelAt pixels() const {
    return [this](int x, int y) { return At(x, y); };
  }

 private:
  static int ClientWidth(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.right;
  }
  static int ClientHeight(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.bottom;
  }
};

// With KESM_DUMP_WINDOWS naming a folder, the canvas as <name>.png there,
// for a person to look at.
inline void DumpCanvas(const MemoryCanvas& canvas, const std::string& name) {
  const char* folder = std::getenv("KESM_DUMP_WINDOWS");
  if (folder == nullptr || *folder == '\0') return;
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const COLORREF c = canvas.At(x, y);
      pixels.push_back(static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
    }
  }
  EXPECT_TRUE(plat::gdi::WritePng(std::filesystem::path(folder) / (name + ".png"), pixels,
                                  SIZE{canvas.width(), canvas.height()}));
}

}  // namespace ui_test
