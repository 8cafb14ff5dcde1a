// Paths: figures added in a bracket instead of drawn, the path kept after
// EndPath and drawn once by StrokePath, FillPath or StrokeAndFillPath, the
// calls that need a bracket or a path failing without one, and text in a
// path giving its glyphs' outlines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"

namespace kesm_test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white 32-bit memory DC with a pen and a brush of its own.
class PathDc {
 public:
  PathDc(int width, int height, COLORREF pen = kRed, COLORREF brush = kBlue) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const BYTE*>(bits);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    pen_ = CreatePen(PS_SOLID, 1, pen);
    old_pen_ = SelectObject(dc_, pen_);
    brush_ = CreateSolidBrush(brush);
    old_brush_ = SelectObject(dc_, brush_);
    Clear();
  }
  PathDc(const PathDc&) = delete;
  PathDc& operator=(const PathDc&) = delete;
  ~PathDc() {
    SelectObject(dc_, old_brush_);
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_bitmap_);
    DeleteObject(brush_);
    DeleteObject(pen_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  void Clear() const {
    const RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  // The pixel read from the section's top-down BGRX bits; white outside.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
    const BYTE* p = bits_ + (static_cast<std::size_t>(y) * width_ + x) * 4;
    return RGB(p[2], p[1], p[0]);
  }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) n += At(x, y) == colour ? 1 : 0;
    }
    return n;
  }
  // The bounds of the pixels that are not white (empty when none).
  RECT Ink() const {
    RECT ink{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) == kWhite) continue;
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
      }
    }
    return ink;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  const BYTE* bits_ = nullptr;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr, old_pen_ = nullptr, old_brush_ = nullptr;
};

struct Pixel {
  int x, y;
  COLORREF colour;
};

// Figures built in a bracket, drawn by one path call, and pixels looked at.
struct PathCase {
  const char* name;
  std::function<void(HDC)> figures;
  BOOL (*draw)(HDC);
  std::vector<Pixel> expected;
};

const POINT kTriangle[] = {{10, 10}, {50, 10}, {50, 40}};

const PathCase kPathCases[] = {
    {"a stroked rectangle has its edge in the pen and its inside untouched",
     [](HDC dc) { Rectangle(dc, 10, 10, 50, 40); }, StrokePath,
     {{10, 10, kRed}, {49, 10, kRed}, {10, 39, kRed}, {49, 39, kRed}, {30, 10, kRed}, {10, 25, kRed},
      {30, 25, kWhite}, {11, 11, kWhite}, {9, 9, kWhite}, {50, 40, kWhite}}},
    {"a filled rectangle has its inside in the brush",
     [](HDC dc) { Rectangle(dc, 10, 10, 50, 40); }, FillPath,
     {{30, 25, kBlue}, {11, 11, kBlue}, {9, 9, kWhite}, {60, 25, kWhite}}},
    {"stroked and filled: the outline in the pen over the inside in the brush",
     [](HDC dc) { Rectangle(dc, 10, 10, 50, 40); }, StrokeAndFillPath,
     {{10, 25, kRed}, {30, 10, kRed}, {30, 25, kBlue}, {9, 25, kWhite}}},
    {"an ellipse is stroked round an untouched centre",
     [](HDC dc) { Ellipse(dc, 10, 10, 51, 41); }, StrokePath,
     {{10, 25, kRed}, {50, 25, kRed}, {30, 10, kRed}, {30, 40, kRed}, {30, 25, kWhite}, {11, 11, kWhite}}},
    {"lines joined by LineTo and closed by CloseFigure fill as a triangle",
     [](HDC dc) {
       MoveToEx(dc, 10, 10, nullptr);
       LineTo(dc, 50, 10);
       LineTo(dc, 50, 40);
       CloseFigure(dc);
     },
     StrokePath, {{30, 10, kRed}, {50, 25, kRed}, {30, 25, kRed}, {45, 15, kWhite}}},
    {"an open figure is closed by FillPath",
     [](HDC dc) {
       MoveToEx(dc, 10, 10, nullptr);
       LineTo(dc, 50, 10);
       LineTo(dc, 50, 40);
     },
     FillPath, {{45, 15, kBlue}, {15, 30, kWhite}}},
    {"a move between lines starts a new figure, so nothing is left to fill",
     [](HDC dc) {
       MoveToEx(dc, 10, 10, nullptr);
       LineTo(dc, 50, 10);
       MoveToEx(dc, 50, 10, nullptr);
       LineTo(dc, 50, 40);
     },
     FillPath, {{45, 15, kWhite}}},
    {"a stroked polyline stays open", [](HDC dc) { Polyline(dc, kTriangle, 3); }, StrokePath,
     {{30, 10, kRed}, {50, 25, kRed}, {50, 40, kRed}, {30, 25, kWhite}}},
    {"a stroked polygon is closed", [](HDC dc) { Polygon(dc, kTriangle, 3); }, StrokePath,
     {{30, 10, kRed}, {50, 25, kRed}, {30, 25, kRed}, {45, 15, kWhite}}},
    {"an arc adds its curve only", [](HDC dc) { Arc(dc, 10, 10, 51, 41, 51, 25, 10, 25); }, StrokePath,
     {{30, 10, kRed}, {30, 40, kWhite}, {30, 25, kWhite}}},
    {"a second BeginPath discards the first path",
     [](HDC dc) {
       Rectangle(dc, 60, 60, 90, 90);
       BeginPath(dc);
       Rectangle(dc, 10, 10, 50, 40);
     },
     StrokePath, {{10, 10, kRed}, {60, 60, kWhite}}},
};

TEST(PathTest, FiguresInABracketAreDrawnByThePathCallAlone) {
  for (const PathCase& c : kPathCases) {
    SCOPED_TRACE(c.name);
    PathDc t(100, 100);
    ASSERT_TRUE(BeginPath(t.dc()));
    c.figures(t.dc());
    EXPECT_EQ(t.Count(kWhite), 100 * 100);  // nothing drawn in the bracket
    ASSERT_TRUE(EndPath(t.dc()));
    EXPECT_EQ(t.Count(kWhite), 100 * 100);
    ASSERT_TRUE(c.draw(t.dc()));
    for (const Pixel& p : c.expected) {
      EXPECT_EQ(t.At(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
  }
}

// A path call made where the DC has no path (or only an open bracket).
struct StateCase {
  const char* name;
  std::function<void(HDC)> before;
  BOOL (*call)(HDC);
};

void RectangleInABracket(HDC dc) {
  BeginPath(dc);
  Rectangle(dc, 10, 10, 50, 40);
}
void RectanglePath(HDC dc) {
  RectangleInABracket(dc);
  EndPath(dc);
}

const StateCase kStateCases[] = {
    {"EndPath without a bracket", [](HDC) {}, EndPath},
    {"CloseFigure without a bracket", [](HDC) {}, CloseFigure},
    {"StrokePath without a path", [](HDC) {}, StrokePath},
    {"FillPath without a path", [](HDC) {}, FillPath},
    {"StrokeAndFillPath without a path", [](HDC) {}, StrokeAndFillPath},
    {"StrokePath in an open bracket", RectangleInABracket, StrokePath},
    {"a second StrokePath: the first discarded the path", [](HDC dc) {
       RectanglePath(dc);
       StrokePath(dc);
     }, StrokePath},
    {"FillPath after FillPath", [](HDC dc) {
       RectanglePath(dc);
       FillPath(dc);
     }, FillPath},
    {"StrokeAndFillPath after StrokeAndFillPath", [](HDC dc) {
       RectanglePath(dc);
       StrokeAndFillPath(dc);
     }, StrokeAndFillPath},
    {"EndPath after AbortPath closed the bracket", [](HDC dc) {
       RectangleInABracket(dc);
       AbortPath(dc);
     }, EndPath},
    {"StrokePath after AbortPath discarded the closed path", [](HDC dc) {
       RectanglePath(dc);
       AbortPath(dc);
     }, StrokePath},
    {"CloseFigure after EndPath", RectanglePath, CloseFigure},
};

TEST(PathTest, ACallNeedingAPathFailsWithoutOneAndDrawsNothing) {
  for (const StateCase& c : kStateCases) {
    SCOPED_TRACE(c.name);
    PathDc t(100, 100);
    c.before(t.dc());
    t.Clear();
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(c.call(t.dc()));
    EXPECT_EQ(GetLastError(), ERROR_CAN_NOT_COMPLETE);
    EXPECT_EQ(t.Count(kWhite), 100 * 100);
  }
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(BeginPath(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(PathTest, AfterAbortPathDrawingDrawsAgain) {
  PathDc t(100, 100);
  ASSERT_TRUE(AbortPath(t.dc()));  // nothing to discard is no fault
  ASSERT_TRUE(BeginPath(t.dc()));
  Rectangle(t.dc(), 10, 10, 50, 40);
  ASSERT_TRUE(AbortPath(t.dc()));
  EXPECT_EQ(t.Count(kWhite), 100 * 100);
  ASSERT_TRUE(Rectangle(t.dc(), 10, 10, 50, 40));
  EXPECT_EQ(t.At(10, 10), kRed);
  EXPECT_EQ(t.At(30, 25), kBlue);
  // The drawing after EndPath draws too; the closed path waits for its call.
  t.Clear();
  BeginPath(t.dc());
  Rectangle(t.dc(), 60, 60, 90, 90);
  EndPath(t.dc());
  ASSERT_TRUE(Rectangle(t.dc(), 10, 10, 50, 40));
  EXPECT_EQ(t.At(10, 10), kRed);
  EXPECT_EQ(t.At(60, 60), kWhite);
  ASSERT_TRUE(StrokePath(t.dc()));
  EXPECT_EQ(t.At(60, 60), kRed);
}

TEST(PathTest, APolylineOutsideABracketDrawsItsLinesButTheLastPixel) {
  PathDc t(100, 100);
  ASSERT_TRUE(Polyline(t.dc(), kTriangle, 3));
  EXPECT_EQ(t.At(10, 10), kRed);
  EXPECT_EQ(t.At(30, 10), kRed);
  EXPECT_EQ(t.At(50, 25), kRed);
  EXPECT_EQ(t.At(50, 40), kWhite);  // left for the next line
  EXPECT_EQ(t.At(30, 25), kWhite);  // no figure is closed or filled
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(Polyline(t.dc(), kTriangle, 1));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(PathTest, PathCallsAreLoggedLikeTheOthers) {
  PathDc t(100, 100);
  plat::gdi::ClearGdiCallLog(nullptr);
  BeginPath(t.dc());
  Rectangle(t.dc(), 10, 10, 50, 40);
  EndPath(t.dc());
  StrokePath(t.dc());
  StrokePath(t.dc());  // fails: not logged
  std::vector<std::string> calls;
  for (const auto& call : plat::gdi::GdiCallLog(nullptr)) {
    if (call.dc == t.dc()) calls.push_back(call.call);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"BeginPath", "Rectangle", "EndPath", "StrokePath"}));
}

LOGFONTW Font(LONG height, LONG escapement = 0) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfEscapement = escapement;
  font.lfOrientation = escapement;
  font.lfWeight = FW_BOLD;
  const std::u16string face = u"DejaVu Sans";
  std::copy(face.begin(), face.end(), font.lfFaceName);
  return font;
}

// The text in black on one DC, plain (TextOutW) or as its outline stroked
// with a 1-pixel black pen (or filled with a black brush).
enum class TextWay { kPlain, kStroked, kFilled };
class TextPicture {
 public:
  TextPicture(const std::u16string& text, const LOGFONTW& font, POINT at, TextWay way) : t_(200, 200, kBlack, kBlack) {
    font_ = CreateFontIndirectW(&font);
    old_ = SelectObject(t_.dc(), font_);
    SetBkMode(t_.dc(), TRANSPARENT);
    SetTextColor(t_.dc(), kBlack);
    if (way != TextWay::kPlain) BeginPath(t_.dc());
    drawn_ = TextOutW(t_.dc(), at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    if (way != TextWay::kPlain) {
      drawn_ = drawn_ && EndPath(t_.dc()) && (way == TextWay::kStroked ? StrokePath(t_.dc()) : FillPath(t_.dc()));
    }
  }
  ~TextPicture() {
    SelectObject(t_.dc(), old_);
    DeleteObject(font_);
  }
  bool drawn() const { return drawn_ != FALSE; }
  const PathDc& dc() const { return t_; }
  bool Inked(int x, int y) const { return t_.At(x, y) != kWhite; }

 private:
  PathDc t_;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BOOL drawn_ = FALSE;
};

// The first run of inked pixels of a row from the left: [first, end).
std::pair<int, int> FirstRun(const TextPicture& p, int y) {
  int x = 0;
  while (x < p.dc().width() && !p.Inked(x, y)) ++x;
  const int first = x;
  while (x < p.dc().width() && p.Inked(x, y)) ++x;
  return {first, x};
}

TEST(PathTest, TextInAPathStrokesTheGlyphOutlinesAndLeavesTheirInsides) {
  const LOGFONTW font = Font(-120);
  const TextPicture plain(u"O", font, {20, 10}, TextWay::kPlain);
  const TextPicture stroked(u"O", font, {20, 10}, TextWay::kStroked);
  const TextPicture filled(u"O", font, {20, 10}, TextWay::kFilled);
  ASSERT_TRUE(plain.drawn() && stroked.drawn() && filled.drawn());
  const RECT ink = plain.dc().Ink();
  ASSERT_GT(ink.right - ink.left, 40);
  // The outline lies where the glyph's edge is.
  const RECT outline = stroked.dc().Ink();
  EXPECT_NEAR(outline.left, ink.left, 1);
  EXPECT_NEAR(outline.top, ink.top, 1);
  EXPECT_NEAR(outline.right, ink.right, 1);
  EXPECT_NEAR(outline.bottom, ink.bottom, 1);
  // Across the middle row: the left stroke of the O is thick in plain text;
  // stroked, its edges are inked and its middle is not; filled, it is whole.
  const int y = (ink.top + ink.bottom) / 2;
  const auto [first, end] = FirstRun(plain, y);
  ASSERT_GE(end - first, 8);
  const int middle = (first + end) / 2;
  EXPECT_TRUE(plain.Inked(middle, y));
  EXPECT_FALSE(stroked.Inked(middle, y));
  EXPECT_TRUE(filled.Inked(middle, y));
  EXPECT_TRUE(stroked.Inked(first, y) || stroked.Inked(first - 1, y) || stroked.Inked(first + 1, y));
  EXPECT_TRUE(stroked.Inked(end - 1, y) || stroked.Inked(end, y) || stroked.Inked(end - 2, y));
  // The counter is left in all three.
  const int centre = (ink.left + ink.right) / 2;
  EXPECT_FALSE(plain.Inked(centre, y));
  EXPECT_FALSE(stroked.Inked(centre, y));
  EXPECT_FALSE(filled.Inked(centre, y));
  // Every outline pixel lies next to the plain glyph's ink.
  int strays = 0;
  for (int py = 0; py < 200; ++py) {
    for (int px = 0; px < 200; ++px) {
      if (!stroked.Inked(px, py)) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) near = plain.Inked(px + dx, py + dy);
      }
      strays += near ? 0 : 1;
    }
  }
  EXPECT_EQ(strays, 0);
}

TEST(PathTest, ExtTextOutInAPathAddsTheGlyphsButNoOpaqueRectangle) {
  PathDc t(200, 100, kBlack, kBlack);
  const LOGFONTW font = Font(-40);
  const HFONT f = CreateFontIndirectW(&font);
  const HGDIOBJ old = SelectObject(t.dc(), f);
  const RECT opaque{0, 0, 200, 100};
  ASSERT_TRUE(BeginPath(t.dc()));
  ASSERT_TRUE(ExtTextOutW(t.dc(), 10, 10, ETO_OPAQUE, &opaque, u"Kesm", 4, nullptr));
  ASSERT_TRUE(EndPath(t.dc()));
  ASSERT_TRUE(FillPath(t.dc()));
  EXPECT_EQ(t.At(199, 99), kWhite);
  EXPECT_GT(t.Count(kBlack), 100);
  SelectObject(t.dc(), old);
  DeleteObject(f);
}

TEST(PathTest, TextInAPathGoesWhereDrawingPutsItAtEveryEscapement) {
  for (const LONG escapement : {0, 900, 450, 1800}) {
    SCOPED_TRACE(escapement);
    const LOGFONTW font = Font(-40, escapement);
    const TextPicture plain(u"Kesm", font, {60, 120}, TextWay::kPlain);
    const TextPicture filled(u"Kesm", font, {60, 120}, TextWay::kFilled);
    ASSERT_TRUE(plain.drawn() && filled.drawn());
    const RECT a = plain.dc().Ink();
    const RECT b = filled.dc().Ink();
    ASSERT_LT(a.left, a.right);
    EXPECT_NEAR(b.left, a.left, 1);
    EXPECT_NEAR(b.top, a.top, 1);
    EXPECT_NEAR(b.right, a.right, 1);
    EXPECT_NEAR(b.bottom, a.bottom, 1);
  }
}

}  // namespace
}  // namespace kesm_test
