// The engine's queries about the device fonts through a PDEV: the metrics
// of each face, the glyph sets shared between the horizontal and vertical
// faces, kerning pairs, glyph metrics and advance widths at a size, and the
// failures with error 87 (no device fonts while banding, a face out of
// range, an unknown mode).
#include <fstream>

#include "render/fonts/font_context.h"
#include "tests/render/text/text_fixture.h"

namespace render_test {
namespace {

class FontQueries : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    dc_ = Enable(devmode_);
    ASSERT_NE(dc_, nullptr);
  }
  DHPDEV dh() const { return dc_->device.dhpdev; }
  Devmode devmode_;
  Dc* dc_ = nullptr;
};

TEST_F(FontQueries, EachFaceHasItsMetricsAndNoId) {
  EXPECT_EQ(dc_->info().cFonts, 4u);
  const char16_t* names[] = {u"\u660E\u671D", u"@\u660E\u671D", u"\uFF7A\uFF9E\uFF7C\uFF6F\uFF78",
                             u"@\uFF7A\uFF9E\uFF7C\uFF6F\uFF78"};
  for (ULONG face = 1; face <= 4; ++face) {
    ULONG_PTR id = 99;
    const IFIMETRICS* ifi = DrvQueryFont(dh(), 0, face, &id);
    ASSERT_NE(ifi, nullptr) << face;
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(ifi) +
                                                               ifi->dpwszFaceName)),
              names[face - 1]);
  }
}

TEST_F(FontQueries, FacesOutOfRangeAndUnknownModesFailWith87) {
  ULONG_PTR id = 0;
  for (ULONG face : {0u, 5u}) {
    EngSetLastError(0);
    EXPECT_EQ(DrvQueryFont(dh(), 0, face, &id), nullptr);
    EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  }
  EngSetLastError(0);
  EXPECT_EQ(DrvQueryFontTree(dh(), 0, 1, QFT_LIGATURES, &id), nullptr);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  // A glyph set for a face out of range is null without an error code.
  EngSetLastError(0);
  EXPECT_EQ(DrvQueryFontTree(dh(), 0, 9, QFT_GLYPHSET, &id), nullptr);
  EXPECT_EQ(EngGetLastError(), 0u);
  plat::eng::DeviceFont* font = Device(dc_, kMincho);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(DrvQueryFontData(dh(), font, QFD_GLYPHANDOUTLINE, 0x20, nullptr, nullptr, 0), -1);
  HGLYPH hg = 0x20;
  USHORT width = 0;
  EXPECT_FALSE(DrvQueryAdvanceWidths(dh(), font, 7, &hg, &width, 1));
}

TEST_F(FontQueries, HorizontalAndVerticalFacesShareTheShiftJisSet) {
  ULONG_PTR id = 0;
  auto* mincho = static_cast<FD_GLYPHSET*>(DrvQueryFontTree(dh(), 0, kMincho, QFT_GLYPHSET, &id));
  auto* vertical = static_cast<FD_GLYPHSET*>(DrvQueryFontTree(dh(), 0, kMinchoVertical, QFT_GLYPHSET, &id));
  auto* gothic = static_cast<FD_GLYPHSET*>(DrvQueryFontTree(dh(), 0, kGothic, QFT_GLYPHSET, &id));
  ASSERT_NE(mincho, nullptr);
  EXPECT_EQ(mincho, vertical);
  EXPECT_EQ(mincho, gothic);
  EXPECT_EQ(mincho->cRuns, 4247u);
  EXPECT_EQ(mincho->cGlyphsSupported, 7484u);
  // The run pointers are the host's own: the last run's handles end the set.
  const WCRUN& last = mincho->awcrun[mincho->cRuns - 1];
  EXPECT_EQ(reinterpret_cast<const BYTE*>(last.phg + last.cGlyphs), reinterpret_cast<const BYTE*>(mincho) + mincho->cjThis);
  const auto* pairs = static_cast<const FD_KERNINGPAIR*>(DrvQueryFontTree(dh(), 0, kMincho, QFT_KERNPAIRS, &id));
  ASSERT_NE(pairs, nullptr);
  EXPECT_EQ(pairs[0].wcFirst, 0);
  EXPECT_EQ(pairs[0].wcSecond, 0);
}

TEST_F(FontQueries, HalfAndFullWidthGlyphsAtASize) {
  // 50 pixels an em: half-width codes advance 25 pixels, the others 50.
  plat::eng::DeviceFont* font = Device(dc_, kMincho, 50);
  ASSERT_NE(font, nullptr);
  HGLYPH handles[] = {font->GlyphOf(u'A'), font->GlyphOf(u'\uFF71'), font->GlyphOf(u'\u3042'),
                      font->GlyphOf(u'\u660E')};
  EXPECT_EQ(handles[0], 0x41u);
  EXPECT_EQ(handles[3], 0x96BEu);
  USHORT widths[4] = {};
  ASSERT_TRUE(DrvQueryAdvanceWidths(dh(), font, QAW_GETWIDTHS, handles, widths, 4));
  EXPECT_EQ(widths[0], 25 * 16);
  EXPECT_EQ(widths[1], 25 * 16);
  EXPECT_EQ(widths[2], 50 * 16);
  EXPECT_EQ(widths[3], 50 * 16);
  GLYPHDATA gd{};
  EXPECT_EQ(DrvQueryFontData(dh(), font, QFD_GLYPHANDBITMAP, 0x82A0, &gd, nullptr, 0), 0);
  EXPECT_EQ(gd.hg, 0x82A0u);
  EXPECT_EQ(gd.fxD, 50 * 16);
  EXPECT_EQ(gd.fxAB, gd.fxD);
  EXPECT_EQ(gd.fxInkTop, 45 * 16);
  EXPECT_EQ(gd.fxInkBottom, -5 * 16);
  EXPECT_EQ(gd.ptqD.x.HighPart, 50 * 16);
  FD_DEVICEMETRICS dm{};
  EXPECT_EQ(DrvQueryFontData(dh(), font, QFD_MAXEXTENTS, 0, nullptr, &dm, sizeof dm), 124);
  EXPECT_FLOAT_EQ(dm.pteBase.x, 1.0f);
  EXPECT_FLOAT_EQ(dm.pteSide.y, -1.0f);
  EXPECT_EQ(dm.cxMax, 50u);
  EXPECT_EQ(dm.fxMaxAscender, 45 * 16);
  EXPECT_EQ(dm.fxMaxDescender, 5 * 16);
}

TEST_F(FontQueries, AdvanceWidthsStopAtWhatSixteenBitsHold) {
  // 6000 pixels an em: a half-width glyph is 3000 pixels (48000 in 28.4), a
  // full-width one 6000 (96000, beyond 16 bits).
  plat::eng::DeviceFont* font = Device(dc_, kMincho, 6000);
  ASSERT_NE(font, nullptr);
  HGLYPH handles[] = {0x41, 0x82A0};
  USHORT widths[2] = {};
  ASSERT_TRUE(DrvQueryAdvanceWidths(dh(), font, QAW_GETEASYWIDTHS, handles, widths, 2));
  EXPECT_EQ(widths[0], 48000);
  EXPECT_EQ(widths[1], 0xFFF0) << "the largest whole width 16 bits hold";
}

// Without device fonts the PDEV offers none and every font query fails
// with error 87.
void ExpectNoDeviceFonts(Dc* dc) {
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->info().cFonts, 0u);
  ULONG_PTR id = 0;
  EngSetLastError(0);
  EXPECT_EQ(DrvQueryFont(dc->device.dhpdev, 0, 1, &id), nullptr);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EngSetLastError(0);
  EXPECT_EQ(DrvQueryFontTree(dc->device.dhpdev, 0, 1, QFT_KERNPAIRS, &id), nullptr);
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(DrvGetGlyphMode(dc->device.dhpdev, nullptr), FO_GLYPHBITS);
}

class NoDeviceFonts : public TextTest {};

TEST_F(NoDeviceFonts, ABandingPdevOffersNone) {
  Devmode devmode;
  devmode.Banding();
  ExpectNoDeviceFonts(Enable(devmode));
}

// A driver image without its font resources offers no device fonts rather
// than four that fail.
TEST_F(NoDeviceFonts, AnImageWithoutTheResourcesOffersNone) {
  std::ofstream(plat::DriverFilesFolder() / "kesmgr.dll", std::ios::binary | std::ios::trunc) << "MZ";
  Devmode devmode;
  ExpectNoDeviceFonts(Enable(devmode));
}

}  // namespace
}  // namespace render_test
