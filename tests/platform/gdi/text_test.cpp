// Text through the engine's TrueType fonts: metrics, ABC widths, extents,
// DrawTextW's breaking and ellipsis by extents, font families, and where
// text draws (never what its glyphs look like).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"

namespace kesm_test {
namespace {

LOGFONTW Font(const std::u16string& face, LONG height, LONG escapement = 0) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfEscapement = escapement;
  font.lfWeight = FW_NORMAL;
  std::copy(face.begin(), face.end(), font.lfFaceName);
  return font;
}

// A 32-bit memory DC of the size with a font selected.
class TextDc {
 public:
  TextDc(int width, int height, const LOGFONTW& font) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(nullptr, width, height);
    if (bitmap_ == nullptr) {  // without a DC the compatible bitmap is refused: make one in colour
      BITMAPINFO info{};
      info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    old_bitmap_ = SelectObject(dc_, bitmap_);
    font_ = CreateFontIndirectW(&font);
    old_font_ = SelectObject(dc_, font_);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~TextDc() {
    SelectObject(dc_, old_font_);
    SelectObject(dc_, old_bitmap_);
    DeleteObject(font_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  LONG Extent(const std::u16string& text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  // The bounds of pixels that are not white (empty when none).
  RECT Ink(int width, int height) const {
    RECT ink{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (GetPixel(dc_, x, y) == RGB(255, 255, 255)) continue;
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
      }
    }
    return ink;
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  HGDIOBJ old_font_ = nullptr;
};

TEST(TextTest, MetricsOfATrueTypeFontAddUp) {
  TextDc t(10, 10, Font(u"DejaVu Sans", -20));
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(t.dc(), &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);  // the em asked for
  EXPECT_NE(tm.tmPitchAndFamily & TMPF_TRUETYPE, 0);
  EXPECT_NE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // set: variable pitch
  // A positive height is the cell's.
  TextDc cell(10, 10, Font(u"DejaVu Sans", 30));
  GetTextMetricsW(cell.dc(), &tm);
  EXPECT_NEAR(tm.tmHeight, 30, 1);
}

TEST(TextTest, AFaceNobodyHasMapsToTheFallbackFamily) {
  TextDc t(10, 10, Font(u"No Such Face", -12));
  WCHAR face[LF_FACESIZE] = {};
  ASSERT_GT(GetTextFaceW(t.dc(), LF_FACESIZE, face), 0);
  EXPECT_EQ(std::u16string(face), u"DejaVu Sans");
  HFONT font = static_cast<HFONT>(GetCurrentObject(t.dc(), OBJ_FONT));
  LOGFONTW described{};
  ASSERT_EQ(GetObjectW(font, sizeof(described), &described), static_cast<int>(sizeof(described)));
  EXPECT_EQ(std::u16string(described.lfFaceName), u"No Such Face");  // the object keeps what was asked
  EXPECT_EQ(described.lfHeight, -12);
}

TEST(TextTest, AbcWidthsAddUpToTheAdvanceAndCanBeNegative) {
  TextDc t(10, 10, Font(u"DejaVu Sans", -40));
  const std::u16string letters = u"AWJjfy";
  bool negativeA = false;
  for (char16_t c : letters) {
    ABC abc{};
    ASSERT_TRUE(GetCharABCWidthsW(t.dc(), c, c, &abc));
    EXPECT_EQ(abc.abcA + static_cast<int>(abc.abcB) + abc.abcC, t.Extent(std::u16string(1, c))) << char(c);
    negativeA = negativeA || abc.abcA < 0;
  }
  ABC j{};
  GetCharABCWidthsW(t.dc(), u'J', u'J', &j);
  EXPECT_LT(j.abcA, 0);  // the hook of J reaches back under the previous letter
  EXPECT_TRUE(negativeA);
  TextDc serif(10, 10, Font(u"DejaVu Serif", -40));
  GetCharABCWidthsW(serif.dc(), u'j', u'j', &j);
  EXPECT_LT(j.abcA, 0);
  EXPECT_FALSE(GetCharABCWidthsW(t.dc(), u'b', u'a', &j));
}

TEST(TextTest, FamiliesAreTrueTypeEachWithItsVerticalFace) {
  TextDc t(10, 10, Font(u"DejaVu Sans", -12));
  struct Seen {
    std::vector<std::u16string> faces;
    std::vector<DWORD> types;
  } seen;
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  auto collect = [](const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto* s = reinterpret_cast<Seen*>(data);
    s->faces.emplace_back(font->lfFaceName);
    s->types.push_back(type);
    return 1;
  };
  EXPECT_EQ(EnumFontFamiliesExW(t.dc(), &all, collect, reinterpret_cast<LPARAM>(&seen), 0), 1);
  ASSERT_FALSE(seen.faces.empty());
  for (DWORD type : seen.types) EXPECT_EQ(type, TRUETYPE_FONTTYPE);
  for (const std::u16string& face : seen.faces) {
    if (face.front() == u'@') continue;
    EXPECT_NE(std::find(seen.faces.begin(), seen.faces.end(), u"@" + face), seen.faces.end()) << "no @ face";
  }
  EXPECT_NE(std::find(seen.faces.begin(), seen.faces.end(), u"DejaVu Sans"), seen.faces.end());
  // One family by name: its styles.
  Seen styles;
  auto fullNames = [](const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM data) {
    const auto* ex = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
    reinterpret_cast<Seen*>(data)->faces.emplace_back(ex->elfStyle);
    EXPECT_EQ(metrics->tmWeight, font->lfWeight);
    return 1;
  };
  EXPECT_EQ(EnumFontFamiliesW(t.dc(), u"dejavu sans", fullNames, reinterpret_cast<LPARAM>(&styles)), 1);
  EXPECT_EQ(styles.faces, (std::vector<std::u16string>{u"Regular", u"Bold"}));
  // A procedure that answers 0 stops it.
  int calls = 0;
  auto stop = [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM data) {
    ++*reinterpret_cast<int*>(data);
    return 0;
  };
  EXPECT_EQ(EnumFontFamiliesW(t.dc(), nullptr, stop, reinterpret_cast<LPARAM>(&calls)), 0);
  EXPECT_EQ(calls, 1);
}

TEST(TextTest, DrawTextBreaksBetweenWordsByExtents) {
  TextDc t(300, 100, Font(u"DejaVu Sans", -16));
  TEXTMETRICW tm{};
  GetTextMetricsW(t.dc(), &tm);
  const std::u16string text = u"alpha beta gamma";
  struct Case {
    LONG width;
    int lines;
    std::u16string widest;
  };
  const LONG twoWords = t.Extent(u"alpha beta");
  const Case cases[] = {
      {t.Extent(text), 1, text},
      {twoWords, 2, u"alpha beta"},
      {twoWords - 1, 3, u"gamma"},
      {1, 3, u"gamma"},  // a word wider than the rectangle stays whole
  };
  for (const Case& c : cases) {
    RECT r{0, 0, c.width, 0};
    EXPECT_EQ(DrawTextW(t.dc(), text.c_str(), -1, &r, DT_WORDBREAK | DT_CALCRECT), c.lines * tm.tmHeight) << c.width;
    EXPECT_EQ(r.right, t.Extent(c.widest)) << c.width;
    EXPECT_EQ(r.bottom, c.lines * tm.tmHeight);
  }
}

TEST(TextTest, DrawTextEndEllipsisFitsTheWidth) {
  TextDc t(300, 40, Font(u"DejaVu Sans", -16));
  const std::u16string text = u"Hello wide world";
  const LONG width = t.Extent(u"Hello w...");
  RECT r{0, 0, width, 40};
  DrawTextW(t.dc(), text.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_EQ(r.right, width);
  // A text that fits is left alone.
  RECT wide{0, 0, 1000, 40};
  DrawTextW(t.dc(), text.c_str(), -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_EQ(wide.right, t.Extent(text));
  // Prefixes are not shown.
  RECT prefix{0, 0, 1000, 40};
  DrawTextW(t.dc(), u"&File", -1, &prefix, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(prefix.right, t.Extent(u"File"));
}

TEST(TextTest, DrawTextCentresAndStaysInItsRectangle) {
  TextDc t(200, 60, Font(u"DejaVu Sans", -16));
  RECT r{0, 0, 200, 60};
  ASSERT_GT(DrawTextW(t.dc(), u"Mid", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 0);
  const RECT ink = t.Ink(200, 60);
  ASSERT_LT(ink.left, ink.right);
  EXPECT_NEAR((ink.left + ink.right) / 2, 100, 4);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 30, 6);
  // Clipped to a rectangle narrower than the text: nothing outside it.
  TextDc clipped(200, 40, Font(u"DejaVu Sans", -16));
  RECT narrow{10, 0, 30, 40};
  DrawTextW(clipped.dc(), u"Clipped text", -1, &narrow, DT_SINGLELINE);
  const RECT inked = clipped.Ink(200, 40);
  EXPECT_GE(inked.left, 10);
  EXPECT_LE(inked.right, 30);
}

TEST(TextTest, ExtTextOutOpaqueAndClipped) {
  TextDc t(100, 40, Font(u"DejaVu Sans", -16));
  SetBkColor(t.dc(), RGB(0, 0, 255));
  const RECT box{5, 5, 40, 30};
  ASSERT_TRUE(ExtTextOutW(t.dc(), 5, 5, ETO_OPAQUE | ETO_CLIPPED, &box, u"WWWWWWWW", 8, nullptr));
  EXPECT_EQ(GetPixel(t.dc(), 6, 29), RGB(0, 0, 255));  // the opaque rectangle
  const RECT ink = t.Ink(100, 40);
  EXPECT_GE(ink.left, 5);
  EXPECT_LE(ink.right, 40);
  EXPECT_LE(ink.bottom, 30);
  EXPECT_FALSE(ExtTextOutW(t.dc(), 0, 0, ETO_OPAQUE, nullptr, u"x", 1, nullptr));
}

TEST(TextTest, EscapementTurnsTheBaseline) {
  TextDc t(80, 120, Font(u"DejaVu Sans", -16, 900));
  SetBkMode(t.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutW(t.dc(), 20, 110, u"Upwards", 7));
  const RECT ink = t.Ink(80, 120);
  ASSERT_LT(ink.top, ink.bottom);
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));  // taller than wide
  EXPECT_LE(ink.bottom, 111);
}

}  // namespace
}  // namespace kesm_test
