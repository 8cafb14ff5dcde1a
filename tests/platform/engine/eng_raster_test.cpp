// The engine's raster operations on engine bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/engine/fonts/eng_string.h"
#include "platform/engine/fonts/font_files.h"
#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/pixels.h"
#include "platform/engine/winddi.h"

namespace {

// An engine bitmap for one test, white to begin with.
class Bitmap {
 public:
  Bitmap(LONG cx, LONG cy, ULONG format, ULONG white, FLONG flags = BMF_TOPDOWN) {
    handle_ = reinterpret_cast<HSURF>(EngCreateBitmap(SIZEL{cx, cy}, 0, format, flags, nullptr));
    so_ = EngLockSurface(handle_);
    RECTL all{0, 0, cx, cy};
    EngEraseSurface(so_, &all, white);
  }
  ~Bitmap() {
    EngUnlockSurface(so_);
    EngDeleteSurface(handle_);
  }
  SURFOBJ* get() const { return so_; }
  ULONG At(LONG x, LONG y) const { return plat::eng::PixelView(so_).Get(x, y); }
  void Set(LONG x, LONG y, ULONG v) const { plat::eng::PixelView(so_).Set(x, y, v); }
  LONG Count(ULONG v) const {
    LONG n = 0;
    for (LONG y = 0; y < so_->sizlBitmap.cy; ++y) {
      for (LONG x = 0; x < so_->sizlBitmap.cx; ++x) n += At(x, y) == v;
    }
    return n;
  }

 private:
  HSURF handle_;
  SURFOBJ* so_;
};

constexpr ULONG kWhite = 0xFFFFFF;

TEST(EngBitmap, BottomUpBitmapsStartTheirLastLineFirstInMemory) {
  Bitmap up(3, 2, BMF_8BPP, 0, 0);
  EXPECT_LT(up.get()->lDelta, 0);
  EXPECT_EQ(up.get()->lDelta, -4);
  up.Set(0, 0, 7);  // the top line lives at the end of the bits
  EXPECT_EQ(static_cast<BYTE*>(up.get()->pvBits)[4], 7);
  EXPECT_EQ(EngCreateBitmap(SIZEL{0, 1}, 0, BMF_8BPP, 0, nullptr), nullptr);
  EXPECT_EQ(EngCreateBitmap(SIZEL{100000, 100000}, 0, BMF_32BPP, 0, nullptr), nullptr);
  EXPECT_EQ(EngCreateBitmap(SIZEL{1, 1}, 0, BMF_JPEG, 0, nullptr), nullptr);
}

TEST(EngBlt, SourceCopyTranslatesAndClips) {
  Bitmap source(4, 4, BMF_1BPP, 0);
  source.Set(1, 1, 1);
  Bitmap target(8, 8, BMF_24BPP, kWhite);
  plat::eng::Xlate xlate(plat::eng::Palette::Indexed({0x0000FF, 0x00FF00}), plat::eng::Palette::Bgr());
  auto clip = plat::eng::Clip::Region({{2, 2, 4, 8}}, RECTL{2, 2, 6, 6}, 1);
  RECTL dest{2, 2, 6, 6};
  POINTL from{0, 0};
  ASSERT_TRUE(EngCopyBits(target.get(), source.get(), &clip, &xlate, &dest, &from));
  EXPECT_EQ(target.At(3, 3), 0x00FF00u);  // source (1, 1): green
  EXPECT_EQ(target.At(2, 2), 0xFF0000u);  // index 0: red
  EXPECT_EQ(target.At(4, 3), kWhite);     // outside the clip
  EXPECT_EQ(target.Count(kWhite), 64 - 8);
}

TEST(EngBlt, MaskedCopyAndPatternOperations) {
  Bitmap source(2, 1, BMF_24BPP, 0x123456);
  Bitmap mask(2, 1, BMF_1BPP, 0);
  mask.Set(1, 0, 1);
  Bitmap target(2, 1, BMF_24BPP, kWhite);
  RECTL dest{0, 0, 2, 1};
  POINTL origin{0, 0};
  // 0xAACC: the source where the mask is set, the target elsewhere.
  ASSERT_TRUE(EngBitBlt(target.get(), source.get(), mask.get(), nullptr, nullptr, &dest, &origin, &origin,
                        nullptr, nullptr, 0xAACC));
  EXPECT_EQ(target.At(0, 0), kWhite);
  EXPECT_EQ(target.At(1, 0), 0x123456u);
  // A pattern operation without a brush fails; with a hatch it paints.
  EXPECT_FALSE(EngBitBlt(target.get(), nullptr, nullptr, nullptr, nullptr, &dest, nullptr, nullptr,
                         nullptr, nullptr, 0xF0F0));
  Bitmap page(8, 8, BMF_24BPP, kWhite);
  auto hatch = plat::eng::Brush::Hatch(HS_HORIZONTAL, plat::eng::Palette::Bgr(), 0x0000FF, 0xFFFFFF);
  RECTL all{0, 0, 8, 8};
  ASSERT_TRUE(EngBitBlt(page.get(), nullptr, nullptr, nullptr, nullptr, &all, nullptr, nullptr,
                        hatch.get(), &origin, 0xF0F0));
  EXPECT_EQ(page.Count(0xFF0000), 8);  // row 4 of the hatch, in red
  EXPECT_EQ(page.At(0, 4), 0xFF0000u);
  // Blackness and an inversion through the destination.
  ASSERT_TRUE(EngBitBlt(page.get(), nullptr, nullptr, nullptr, nullptr, &all, nullptr, nullptr, nullptr,
                        nullptr, 0x5555));
  EXPECT_EQ(page.At(0, 4), 0x00FFFFu);
  EXPECT_EQ(page.At(0, 0), 0u);
}

// Erasing and a solid pattern copy write whole runs of a row: in every
// format the pixels of the run change and the ones beside them, which may
// share their bytes, do not.
TEST(EngBlt, RowRunsChangeOnlyTheirPixelsInEveryFormat) {
  struct Case { ULONG format; ULONG mask; };
  const Case cases[] = {{BMF_1BPP, 0x1},      {BMF_4BPP, 0xF},        {BMF_8BPP, 0xFF},
                        {BMF_16BPP, 0xFFFF},  {BMF_24BPP, 0xFFFFFF},  {BMF_32BPP, 0xFFFFFFFF}};
  const RECTL runs[] = {{3, 1, 18, 3}, {0, 0, 21, 1}, {5, 2, 6, 3}, {8, 0, 16, 2}, {7, 1, 7, 2}};
  for (const Case& c : cases) {
    for (const RECTL& run : runs) {
      for (bool erase : {true, false}) {
        SCOPED_TRACE(testing::Message() << "format " << c.format << " run " << run.left << ".." << run.right
                                        << " rows " << run.top << ".." << run.bottom << (erase ? " erase" : " blt"));
        Bitmap page(21, 3, c.format, 0);
        auto before = [&](LONG x, LONG y) { return (static_cast<ULONG>(x) * 0x9E3779B1u + y * 0x45u) & c.mask; };
        for (LONG y = 0; y < 3; ++y) {
          for (LONG x = 0; x < 21; ++x) page.Set(x, y, before(x, y));
        }
        const ULONG value = 0xA5C3E1F7u & c.mask;
        RECTL target = run;
        if (erase) {
          ASSERT_TRUE(EngEraseSurface(page.get(), &target, value));
        } else {
          auto solid = plat::eng::Brush::Solid(value, 0);
          ASSERT_TRUE(EngBitBlt(page.get(), nullptr, nullptr, nullptr, nullptr, &target, nullptr, nullptr,
                                solid.get(), nullptr, 0xF0F0));
        }
        for (LONG y = 0; y < 3; ++y) {
          for (LONG x = 0; x < 21; ++x) {
            const bool inside = x >= run.left && x < run.right && y >= run.top && y < run.bottom;
            EXPECT_EQ(page.At(x, y), inside ? value : before(x, y)) << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(EngBlt, StretchIsNearestNeighbourAndMirrors) {
  Bitmap source(2, 1, BMF_8BPP, 0);
  source.Set(1, 0, 1);
  Bitmap target(4, 1, BMF_8BPP, 9);
  RECTL from{0, 0, 2, 1};
  RECTL to{0, 0, 4, 1};
  ASSERT_TRUE(EngStretchBlt(target.get(), source.get(), nullptr, nullptr, nullptr, nullptr, nullptr, &to,
                            &from, nullptr, COLORONCOLOR));
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(1, 0), 0u);
  EXPECT_EQ(target.At(2, 0), 1u);
  RECTL mirrored{4, 0, 0, 1};
  ASSERT_TRUE(EngStretchBlt(target.get(), source.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                            &mirrored, &from, nullptr, COLORONCOLOR));
  EXPECT_EQ(target.At(0, 0), 1u);
  EXPECT_EQ(target.At(3, 0), 0u);
}

// Copies and stretches write a target row at a time from source rows read
// once: every pixel must come out as sampling each target pixel's centre
// would give, in every format (pixels of 1 and 4 bits share bytes with
// neighbours the clip keeps), with columns of the source rectangle that lie
// outside the source, mirrored and shrunk pictures, and a clip of several
// rectangles with odd edges.
TEST(EngBlt, RowCopiesAndStretchesMatchPixelSamplingInEveryFormat) {
  struct Format { ULONG format; ULONG mask; };
  const Format formats[] = {{BMF_1BPP, 0x1},     {BMF_4BPP, 0xF},       {BMF_8BPP, 0xFF},
                            {BMF_16BPP, 0xFFFF}, {BMF_24BPP, 0xFFFFFF}, {BMF_32BPP, 0xFFFFFFFF}};
  struct Case { const char* name; RECTL to; RECTL from; bool stretch; };
  const Case cases[] = {
      {"copy", {1, 1, 9, 7}, {2, 1, 0, 0}, false},
      {"copy from before the source", {3, 0, 12, 6}, {-2, -1, 0, 0}, false},
      {"enlarged", {0, 0, 21, 11}, {0, 0, 7, 5}, true},
      {"mirrored and shrunk", {17, 9, 2, 1}, {0, 0, 7, 5}, true},
      {"beyond the source", {1, 2, 20, 10}, {-3, -2, 9, 7}, true},
  };
  const std::vector<RECTL> clipRects{{0, 0, 5, 4}, {7, 1, 13, 6}, {3, 6, 19, 10}};
  for (const Format& f : formats) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "format " << f.format << ": " << c.name);
      Bitmap source(7, 5, f.format, 0);
      auto sourceValue = [&](LONG x, LONG y) { return (static_cast<ULONG>(x) * 0x2545F491u + y * 0x9E3779B9u) & f.mask; };
      for (LONG y = 0; y < 5; ++y) {
        for (LONG x = 0; x < 7; ++x) source.Set(x, y, sourceValue(x, y));
      }
      Bitmap page(21, 11, f.format, 0);
      auto before = [&](LONG x, LONG y) { return (static_cast<ULONG>(x) * 0x85EBCA6Bu + y * 0xC2B2AE35u) & f.mask; };
      for (LONG y = 0; y < 11; ++y) {
        for (LONG x = 0; x < 21; ++x) page.Set(x, y, before(x, y));
      }
      const RECTL bounds = plat::eng::Ordered(c.to);
      auto clip = plat::eng::Clip::Region(clipRects, bounds, 1);
      RECTL to = c.to, from = c.from;
      POINTL origin{c.from.left, c.from.top};
      ASSERT_TRUE(c.stretch ? EngStretchBlt(page.get(), source.get(), nullptr, &clip, nullptr, nullptr, nullptr, &to,
                                            &from, nullptr, COLORONCOLOR)
                            : EngCopyBits(page.get(), source.get(), &clip, nullptr, &to, &origin));
      // The source pixel under each target pixel's centre.
      auto sample = [&](LONG x, LONG y, LONG& sx, LONG& sy) {
        if (!c.stretch) {
          sx = c.from.left + x - bounds.left;
          sy = c.from.top + y - bounds.top;
          return;
        }
        const double dw = c.to.right - c.to.left, dh = c.to.bottom - c.to.top;
        sx = static_cast<LONG>(std::floor(c.from.left + (x + 0.5 - c.to.left) / dw * (c.from.right - c.from.left)));
        sy = static_cast<LONG>(std::floor(c.from.top + (y + 0.5 - c.to.top) / dh * (c.from.bottom - c.from.top)));
      };
      for (LONG y = 0; y < 11; ++y) {
        for (LONG x = 0; x < 21; ++x) {
          bool drawn = x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom &&
                       std::any_of(clipRects.begin(), clipRects.end(), [&](const RECTL& r) {
                         return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                       });
          LONG sx = 0, sy = 0;
          sample(x, y, sx, sy);
          drawn = drawn && sx >= 0 && sx < 7 && sy >= 0 && sy < 5;
          EXPECT_EQ(page.At(x, y), drawn ? sourceValue(sx, sy) : before(x, y)) << x << "," << y;
        }
      }
    }
  }
}

TEST(EngPaths, FillsByRuleAndStrokesCosmeticAndWideLines) {
  Bitmap page(20, 20, BMF_24BPP, kWhite);
  auto black = plat::eng::Brush::Solid(0, 0);
  plat::eng::Path square;
  square.AddPolygon({{LTOFX(2), LTOFX(2)}, {LTOFX(12), LTOFX(2)}, {LTOFX(12), LTOFX(12)}, {LTOFX(2), LTOFX(12)}},
                    true);
  ASSERT_TRUE(EngFillPath(page.get(), &square, nullptr, black.get(), nullptr, R2_COPYPEN, FP_ALTERNATEMODE));
  EXPECT_EQ(page.Count(0), 100);
  // Two overlapping squares: alternate leaves the overlap, winding fills it.
  plat::eng::Path twice;
  for (LONG off : {0, 5}) {
    twice.AddPolygon({{LTOFX(off), 0}, {LTOFX(off + 10), 0}, {LTOFX(off + 10), LTOFX(1)}, {LTOFX(off), LTOFX(1)}},
                     true);
  }
  Bitmap row(20, 1, BMF_8BPP, 1);
  auto zero = plat::eng::Brush::Solid(0, 0);
  ASSERT_TRUE(EngFillPath(row.get(), &twice, nullptr, zero.get(), nullptr, R2_COPYPEN, FP_ALTERNATEMODE));
  EXPECT_EQ(row.Count(0), 10);
  ASSERT_TRUE(EngFillPath(row.get(), &twice, nullptr, zero.get(), nullptr, R2_COPYPEN, FP_WINDINGMODE));
  EXPECT_EQ(row.Count(0), 15);

  Bitmap lines(20, 20, BMF_24BPP, kWhite);
  plat::eng::Path line;
  line.AddPolygon({{LTOFX(0), LTOFX(10) + 8}, {LTOFX(19), LTOFX(10) + 8}}, false);
  LINEATTRS cosmetic{};
  cosmetic.elWidth.l = 1;
  ASSERT_TRUE(EngStrokePath(lines.get(), &line, nullptr, nullptr, black.get(), nullptr, &cosmetic, R2_COPYPEN));
  EXPECT_EQ(lines.Count(0), 20);
  Bitmap wide(20, 20, BMF_24BPP, kWhite);
  LINEATTRS geometric{};
  geometric.fl = LA_GEOMETRIC;
  geometric.iEndCap = ENDCAP_BUTT;
  geometric.elWidth.e = 4;
  ASSERT_TRUE(EngStrokePath(wide.get(), &line, nullptr, nullptr, black.get(), nullptr, &geometric, R2_COPYPEN));
  EXPECT_EQ(wide.Count(0), 19 * 4);
  // Dashes of 5 and gaps of 5 pixels draw half of it.
  Bitmap dashed(20, 20, BMF_24BPP, kWhite);
  FLOAT_LONG styles[2];
  styles[0].e = 5;
  styles[1].e = 5;
  geometric.cstyle = 2;
  geometric.pstyle = styles;
  ASSERT_TRUE(EngStrokePath(dashed.get(), &line, nullptr, nullptr, black.get(), nullptr, &geometric, R2_COPYPEN));
  EXPECT_EQ(dashed.Count(0), 10 * 4);
}

TEST(EngText, DrawsTheGlyphImagesInTheForegroundBrush) {
  const auto file = plat::eng::FindFontFile(u"DejaVu Sans", true);
  ASSERT_TRUE(file);
  auto font = plat::eng::Font::Realize(*file, 40, 0, 300);
  ASSERT_TRUE(font);
  const HGLYPH hg = font->GlyphOf(u'H');
  plat::eng::Str str(*font, u"H", {GLYPHPOS{hg, nullptr, POINTL{5, 45}}}, SO_HORIZONTAL, 0, RECTL{0, 0, 60, 60});
  Bitmap page(60, 60, BMF_24BPP, kWhite);
  auto red = plat::eng::Brush::Solid(0xFF0000, 0x0000FF);
  auto grey = plat::eng::Brush::Solid(0x808080, 0x808080);
  RECTL opaque{0, 50, 60, 60};
  ASSERT_TRUE(EngTextOut(page.get(), &str, font.get(), nullptr, nullptr, &opaque, red.get(), grey.get(),
                         nullptr, R2_COPYPEN));
  EXPECT_EQ(page.Count(0x808080), 600);
  // Every set bit of the glyph's image is red on the page.
  const GLYPHBITS* gb = font->Glyph(hg, FO_GLYPHBITS)->gdf.pgb;
  LONG bits = 0;
  const LONG stride = (gb->sizlBitmap.cx + 7) / 8;
  for (LONG y = 0; y < gb->sizlBitmap.cy; ++y) {
    for (LONG x = 0; x < gb->sizlBitmap.cx; ++x) {
      if ((gb->aj[y * stride + x / 8] >> (7 - x % 8)) & 1) {
        ++bits;
        EXPECT_EQ(page.At(5 + gb->ptlOrigin.x + x, 45 + gb->ptlOrigin.y + y), 0xFF0000u);
      }
    }
  }
  EXPECT_GT(bits, 100);
  EXPECT_EQ(page.Count(0xFF0000), bits);
}

}  // namespace
