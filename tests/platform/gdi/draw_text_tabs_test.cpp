// DrawTextW with DT_EXPANDTABS: a tab reaches the next stop, eight average
// character widths apart and counted from its own line's start; without
// the flag a tab is a character like any other.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/gdi/wingdi.h"

namespace kesm_test {
namespace {

class DrawTextTabs : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    LOGFONTW logFont{};
    logFont.lfHeight = -16;
    const std::u16string face = u"DejaVu Sans";
    face.copy(logFont.lfFaceName, face.size());
    font_ = CreateFontIndirectW(&logFont);
    old_ = SelectObject(dc_, font_);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc_, &tm));
    stop_ = 8 * tm.tmAveCharWidth;
    height_ = tm.tmHeight;
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  LONG Extent(const std::u16string& text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  RECT Measure(const std::u16string& text, UINT format) const {
    RECT r{0, 0, 1000, 0};
    DrawTextW(dc_, text.c_str(), -1, &r, format | DT_CALCRECT);
    return r;
  }

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
  LONG stop_ = 0;
  LONG height_ = 0;
};

TEST_F(DrawTextTabs, ATabReachesTheNextStop) {
  const LONG space = Extent(u" ");
  struct Case {
    std::u16string text;
    LONG stops;  // the text after the last tab starts at this many stops
  };
  const Case cases[] = {{u"a\tb", 1}, {u"\tb", 1}, {u"a\t\tb", 2}, {u"abcdefghijk\tb", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    const RECT r = Measure(c.text, DT_EXPANDTABS | DT_SINGLELINE);
    const LONG from = r.right - Extent(u"b");
    EXPECT_GE(from, c.stops * stop_);
    EXPECT_LT(from, c.stops * stop_ + space);
  }
  EXPECT_LT(Measure(u"a\tb", DT_SINGLELINE).right, stop_) << "without the flag a tab is one character";
}

// Draws the text on white; the columns of the rows [top, bottom) with ink.
class DrawnTabs : public DrawTextTabs {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DrawTextTabs::SetUp());
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
  }
  void TearDown() override {
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DrawTextTabs::TearDown();
  }
  void Draw(const std::u16string& text, UINT format) {
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(dc_, text.c_str(), -1, &all, format);
  }
  std::pair<int, int> InkColumns(int top, int bottom) const {
    int left = kWidth, right = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (GetPixel(dc_, x, y) == RGB(255, 255, 255)) continue;
        left = std::min(left, x);
        right = std::max(right, x + 1);
      }
    }
    return {left, right};
  }
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 60;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

TEST_F(DrawnTabs, StopsCountFromTheLinesOwnStart) {
  Draw(u"a long first line\n\tW", DT_EXPANDTABS);
  const auto [left, right] = InkColumns(height_, 2 * height_);
  EXPECT_GE(left, stop_);
  EXPECT_LE(right, stop_ + Extent(u" ") + Extent(u"W"));
}

TEST_F(DrawnTabs, TheMnemonicAfterATabStaysUnderItsCharacter) {
  Draw(u"a\t&W", DT_EXPANDTABS | DT_SINGLELINE);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  const auto [left, right] = InkColumns(tm.tmAscent + 1, tm.tmAscent + 2);
  EXPECT_GE(left, stop_);
  EXPECT_LE(right, stop_ + Extent(u" ") + Extent(u"W"));
}

}  // namespace
}  // namespace kesm_test
