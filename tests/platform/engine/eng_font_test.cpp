// The engine's TrueType fonts against FreeType itself: a DejaVu glyph's
// image and outline as the engine hands them out equal what FreeType gives
// for the same face, size and load flags.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/engine/fonts/eng_font.h"
#include "platform/engine/fonts/eng_string.h"
#include "platform/engine/fonts/font_files.h"
#include "platform/engine/winddi.h"

namespace {

constexpr double kEm = 50;  // pixels per em

class FreeTypeFace {
 public:
  FreeTypeFace(const std::filesystem::path& file, double em) {
    FT_Init_FreeType(&library_);
    FT_New_Face(library_, file.c_str(), 0, &face_);
    FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
  }
  ~FreeTypeFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  FT_Face get() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// The outline as points in 28.4 on the device (y down), each Bezier
// control point of a quadratic segment raised to a cubic's.
struct Collected {
  std::vector<POINTFIX> points;
  std::vector<int> contourStarts;
  FT_Vector last{};
};
FIX Fix(double v) { return static_cast<FIX>(std::lround(v / 4.0)); }
POINTFIX At(double x, double y) { return {Fix(x), Fix(-y)}; }
int Move(const FT_Vector* to, void* u) {
  auto* c = static_cast<Collected*>(u);
  c->contourStarts.push_back(static_cast<int>(c->points.size()));
  c->points.push_back(At(to->x, to->y));
  c->last = *to;
  return 0;
}
int Line(const FT_Vector* to, void* u) {
  auto* c = static_cast<Collected*>(u);
  c->points.push_back(At(to->x, to->y));
  c->last = *to;
  return 0;
}
int Conic(const FT_Vector* q, const FT_Vector* to, void* u) {
  auto* c = static_cast<Collected*>(u);
  const FT_Vector p = c->last;
  c->points.push_back(At(p.x + 2.0 * (q->x - p.x) / 3, p.y + 2.0 * (q->y - p.y) / 3));
  c->points.push_back(At(to->x + 2.0 * (q->x - to->x) / 3, to->y + 2.0 * (q->y - to->y) / 3));
  c->points.push_back(At(to->x, to->y));
  c->last = *to;
  return 0;
}
int Cubic(const FT_Vector* a, const FT_Vector* b, const FT_Vector* to, void* u) {
  auto* c = static_cast<Collected*>(u);
  c->points.push_back(At(a->x, a->y));
  c->points.push_back(At(b->x, b->y));
  c->points.push_back(At(to->x, to->y));
  c->last = *to;
  return 0;
}

class EngFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto file = plat::eng::FindFontFile(u"DejaVu Sans", false);
    ASSERT_TRUE(file) << "fonts-dejavu-core is not installed";
    file_ = *file;
    font_ = plat::eng::Font::Realize(file_, kEm, 0, 300);
    ASSERT_TRUE(font_);
  }
  std::filesystem::path file_;
  std::unique_ptr<plat::eng::Font> font_;
};

TEST_F(EngFontTest, GlyphBitsEqualFreeTypesMonochromeRendering) {
  FreeTypeFace ft(file_, kEm);
  for (char16_t c : {u'g', u'K', u'@'}) {
    HGLYPH hg = font_->GlyphOf(c);
    ASSERT_EQ(hg, FT_Get_Char_Index(ft.get(), c));
    PVOID data = nullptr;
    ASSERT_EQ(FONTOBJ_cGetGlyphs(font_.get(), FO_GLYPHBITS, 1, &hg, &data), 1);
    const GLYPHBITS* gb = static_cast<GLYPHDATA*>(data)->gdf.pgb;
    ASSERT_EQ(FT_Load_Glyph(ft.get(), hg, plat::eng::kGlyphBitsLoadFlags), 0);
    ASSERT_EQ(FT_Render_Glyph(ft.get()->glyph, FT_RENDER_MODE_MONO), 0);
    const FT_Bitmap& bitmap = ft.get()->glyph->bitmap;
    EXPECT_EQ(gb->sizlBitmap.cx, static_cast<LONG>(bitmap.width));
    EXPECT_EQ(gb->sizlBitmap.cy, static_cast<LONG>(bitmap.rows));
    EXPECT_EQ(gb->ptlOrigin.x, ft.get()->glyph->bitmap_left);
    EXPECT_EQ(gb->ptlOrigin.y, -ft.get()->glyph->bitmap_top);
    const std::size_t stride = (bitmap.width + 7) / 8;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      EXPECT_EQ(std::memcmp(gb->aj + row * stride, bitmap.buffer + row * bitmap.pitch, stride), 0) << row;
    }
    EXPECT_EQ(static_cast<GLYPHDATA*>(data)->fxD, Fix(ft.get()->glyph->advance.x));
  }
}

TEST_F(EngFontTest, GlyphOutlinesEqualFreeTypesOutlineRunByRun) {
  FreeTypeFace ft(file_, kEm);
  for (char16_t c : {u'g', u'O', u'i'}) {
    HGLYPH hg = font_->GlyphOf(c);
    ASSERT_EQ(FT_Load_Glyph(ft.get(), hg, plat::eng::kOutlineLoadFlags), 0);
    Collected expected;
    const FT_Outline_Funcs funcs{Move, Line, Conic, Cubic, 0, 0};
    ASSERT_EQ(FT_Outline_Decompose(&ft.get()->glyph->outline, &funcs, &expected), 0);
    PVOID data = nullptr;
    ASSERT_EQ(FONTOBJ_cGetGlyphs(font_.get(), FO_PATHOBJ, 1, &hg, &data), 1);
    PATHOBJ* ppo = static_cast<GLYPHDATA*>(data)->gdf.ppo;
    std::vector<POINTFIX> points;
    std::vector<int> starts;
    PATHDATA pd{};
    PATHOBJ_vEnumStart(ppo);
    bool more = true;
    while (more) {
      more = PATHOBJ_bEnum(ppo, &pd) != FALSE;
      if (pd.flags & PD_BEGINSUBPATH) starts.push_back(static_cast<int>(points.size()));
      if (pd.flags & PD_ENDSUBPATH) {
        EXPECT_NE(pd.flags & PD_CLOSEFIGURE, 0u);
      }
      if (pd.flags & PD_BEZIERS) {
        EXPECT_EQ((pd.count - ((pd.flags & PD_BEGINSUBPATH) ? 1 : 0)) % 3, 0u);
      }
      points.insert(points.end(), pd.pptfx, pd.pptfx + pd.count);
    }
    EXPECT_EQ(starts, expected.contourStarts) << static_cast<char>(c);
    ASSERT_EQ(points.size(), expected.points.size()) << static_cast<char>(c);
    for (std::size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(points[i].x, expected.points[i].x) << i;
      EXPECT_EQ(points[i].y, expected.points[i].y) << i;
    }
  }
}

TEST_F(EngFontTest, MetricsTransformAndGlyphSetDescribeTheFace) {
  FreeTypeFace ft(file_, kEm);
  IFIMETRICS* ifi = FONTOBJ_pifi(font_.get());
  ASSERT_NE(ifi, nullptr);
  auto name = [&](PTRDIFF offset) {
    return std::u16string(reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(ifi) + offset));
  };
  EXPECT_EQ(name(ifi->dpwszFamilyName), u"DejaVu Sans");
  EXPECT_EQ(name(ifi->dpwszFaceName), u"DejaVu Sans");
  EXPECT_EQ(ifi->fwdUnitsPerEm, ft.get()->units_per_EM);
  EXPECT_GT(ifi->fwdWinAscender, 0);
  EXPECT_EQ(ifi->usWinWeight, 400);
  EXPECT_EQ(ifi->jWinPitchAndFamily & 0x3, VARIABLE_PITCH);
  EXPECT_EQ(ifi->fsType, 0);  // DejaVu is installable
  EXPECT_LE(ifi->cjThis % 8, 0u);
  XFORML m{};
  EXPECT_EQ(XFORMOBJ_iGetXform(FONTOBJ_pxoGetXform(font_.get()), &m), GX_SCALE);
  EXPECT_FLOAT_EQ(m.eM11, static_cast<float>(kEm / ft.get()->units_per_EM));
  EXPECT_FLOAT_EQ(m.eM22, m.eM11);
  // The glyph set maps 'A' to FreeType's glyph.
  FD_GLYPHSET* set = FONTOBJ_pfdg(font_.get());
  ASSERT_NE(set, nullptr);
  bool found = false;
  for (ULONG r = 0; r < set->cRuns; ++r) {
    const WCRUN& run = set->awcrun[r];
    if (u'A' >= run.wcLow && u'A' < run.wcLow + run.cGlyphs) {
      EXPECT_EQ(run.phg[u'A' - run.wcLow], FT_Get_Char_Index(ft.get(), u'A'));
      found = true;
    }
  }
  EXPECT_TRUE(found);
  // A turned realization: the baseline climbs on the device.
  auto turned = plat::eng::Font::Realize(file_, kEm, 90, 300);
  ASSERT_TRUE(turned);
  EXPECT_EQ(XFORMOBJ_iGetXform(FONTOBJ_pxoGetXform(turned.get()), &m), GX_GENERAL);
  EXPECT_NEAR(m.eM12, -m.eM21, 1e-6);
  EXPECT_LT(m.eM12, 0);
  EXPECT_LT(turned->Advance26_6(turned->GlyphOf(u'A')).y, 0);
  EXPECT_NE(turned->iUniq, font_->iUniq);
}

TEST_F(EngFontTest, StringsComeInBatchesWithTheirGlyphs) {
  std::vector<GLYPHPOS> positions;
  const std::u16string text = u"batches of glyphs";
  for (std::size_t i = 0; i < text.size(); ++i) {
    positions.push_back({font_->GlyphOf(text[i]), nullptr, POINTL{static_cast<LONG>(10 * i), 0}});
  }
  plat::eng::Str str(*font_, text, positions, SO_HORIZONTAL, 0, RECTL{0, -40, 200, 10});
  EXPECT_EQ(str.pgp, nullptr);
  EXPECT_EQ(str.cGlyphs, text.size());
  std::vector<ULONG> batches;
  std::vector<LONG> xs;
  STROBJ_vEnumStart(&str);
  bool more = true;
  while (more) {
    ULONG count = 0;
    GLYPHPOS* gp = nullptr;
    more = STROBJ_bEnum(&str, &count, &gp) != FALSE;
    batches.push_back(count);
    for (ULONG i = 0; i < count; ++i) {
      xs.push_back(gp[i].ptl.x);
      ASSERT_NE(gp[i].pgdf, nullptr);
      EXPECT_GT(gp[i].pgdf->pgb->sizlBitmap.cx, 0);
    }
  }
  EXPECT_EQ(batches, (std::vector<ULONG>{8, 8, 1}));
  EXPECT_EQ(xs.back(), 160);
  // A short string has every position at once.
  plat::eng::Str shortStr(*font_, u"ab", {positions[0], positions[1]}, SO_HORIZONTAL, 0, RECTL{});
  EXPECT_NE(shortStr.pgp, nullptr);
}

TEST(EngFontFiles, OnlyTheDejaVuFacesAreFound) {
  EXPECT_TRUE(plat::eng::FindFontFile(u"dejavu sans mono", true));
  EXPECT_FALSE(plat::eng::FindFontFile(u"Helvetica", false));
  EXPECT_FALSE(plat::eng::FindFontFile(u"", false));
}

}  // namespace
