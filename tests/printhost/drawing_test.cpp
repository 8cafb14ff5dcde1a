// What the driver receives for each drawing kind of the sample document:
// the engine objects hold what the documentation promises. The sample page
// is 300 dpi, so a twip is 300/1440 of a pixel.
#include <functional>

#include "tests/printhost/host_fixture.h"

namespace {

using testdriver::Call;

FIX Fx(LONG pixels) { return LTOFX(pixels); }

// The drawing calls of each page, in order.
std::vector<std::vector<const Call*>> Pages(const testdriver::Log& log) {
  const std::vector<std::string> drawing = {"DrvTextOut", "DrvStrokePath", "DrvFillPath",
                                            "DrvStrokeAndFillPath", "DrvBitBlt", "DrvStretchBlt",
                                            "DrvCopyBits"};
  std::vector<std::vector<const Call*>> pages;
  for (const Call& call : log.calls) {
    if (call.name == "DrvStartPage") pages.emplace_back();
    if (!pages.empty() && std::find(drawing.begin(), drawing.end(), call.name) != drawing.end()) {
      pages.back().push_back(&call);
    }
  }
  return pages;
}

struct Expectation {
  const char* what;
  std::size_t page;
  std::size_t index;
  const char* entry;
  std::function<void(const Call&)> check;
};

void HorizontalRun(const Call& c, std::size_t glyphs) {
  ASSERT_EQ(c.glyphs.size(), glyphs);
  for (std::size_t i = 1; i < c.glyphs.size(); ++i) {
    EXPECT_GT(c.glyphs[i].ptl.x, c.glyphs[i - 1].ptl.x);
    EXPECT_EQ(c.glyphs[i].ptl.y, c.glyphs[0].ptl.y);
  }
}

const Expectation kExpectations[] = {
    {"text in batches", 0, 0, "DrvTextOut", [](const Call& c) {
       EXPECT_EQ(c.text, u"Kesm sample: text");
       HorizontalRun(c, 17);
       EXPECT_FALSE(c.allPositions);
       EXPECT_EQ(c.batches, (std::vector<ULONG>{8, 8, 1}));
       EXPECT_EQ(c.glyphs[0].ptl.x, 300);
       EXPECT_EQ(c.glyphs[0].ptl.y, 300);
       EXPECT_EQ(c.accel & (SO_HORIZONTAL | SO_FLAG_DEFAULT_PLACEMENT), SO_HORIZONTAL | SO_FLAG_DEFAULT_PLACEMENT);
       EXPECT_EQ(c.faceName, u"DejaVu Sans");
       EXPECT_GT(c.fontXform.eM11, 0);
       EXPECT_EQ(c.fontXform.eM11, c.fontXform.eM22);
       EXPECT_EQ(c.fontXform.eM12, 0);
       EXPECT_NE(c.fontUniq, 0u);
       EXPECT_EQ(c.brush.solidColor, 0u);
       EXPECT_EQ(c.mix, 0x0D0Du);
       EXPECT_GT(c.firstGlyphSize.cx, 0);
       EXPECT_LE(c.background.left, 300);
       EXPECT_LT(c.background.top, 300);
     }},
    {"monospaced text", 0, 1, "DrvTextOut", [](const Call& c) {
       HorizontalRun(c, 37);
       ASSERT_GT(c.charInc, 0u);
       for (std::size_t i = 1; i < c.glyphs.size(); ++i) {
         EXPECT_EQ(static_cast<ULONG>(c.glyphs[i].ptl.x - c.glyphs[i - 1].ptl.x), c.charInc);
       }
       EXPECT_EQ(c.faceName, u"DejaVu Sans Mono");
       EXPECT_EQ(c.brush.solidColor, 0x000080u);  // blue in the low byte of a BGR device
     }},
    {"turned text", 0, 2, "DrvTextOut", [](const Call& c) {
       EXPECT_EQ(c.accel & SO_HORIZONTAL, 0u);
       EXPECT_EQ(c.faceName, u"DejaVu Serif Bold");
       EXPECT_LT(c.fontXform.eM12, 0);  // the baseline climbs: y shrinks on the device
       EXPECT_GT(c.fontXform.eM21, 0);
       EXPECT_LT(c.glyphs.back().ptl.y, c.glyphs.front().ptl.y);
       EXPECT_NE(c.fontUniq, 0u);
     }},
    {"cosmetic line", 0, 3, "DrvStrokePath", [](const Call& c) {
       EXPECT_EQ(c.lineFlags, 0u);
       EXPECT_EQ(c.width.l, 1);
       ASSERT_EQ(c.path.size(), 1u);
       EXPECT_EQ(c.path[0].flags & (PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE),
                 PD_BEGINSUBPATH | PD_ENDSUBPATH);
       ASSERT_EQ(c.path[0].points.size(), 2u);
       EXPECT_EQ(c.path[0].points[0].x, Fx(300));
       EXPECT_EQ(c.path[0].points[0].y, Fx(1350));
       EXPECT_EQ(c.path[0].points[1].x, Fx(1800));
       EXPECT_EQ(c.pathBounds.xLeft, Fx(300));
       EXPECT_EQ(c.pathBounds.xRight, Fx(1800));
       EXPECT_EQ(c.pen.solidColor, 0u);
       EXPECT_EQ(c.clipComplexity, DC_TRIVIAL);
     }},
    {"dashed cosmetic line", 0, 4, "DrvStrokePath", [](const Call& c) {
       EXPECT_EQ(c.lineFlags, LA_STYLED);
       ASSERT_EQ(c.styles.size(), 2u);
       EXPECT_EQ(c.styles[0].l, 6);
       EXPECT_EQ(c.styles[1].l, 2);
       EXPECT_EQ(c.pen.solidColor, 0x0000FFu);
     }},
    {"wide line", 0, 5, "DrvStrokePath", [](const Call& c) {
       EXPECT_EQ(c.lineFlags, LA_GEOMETRIC);
       EXPECT_EQ(c.width.e, 60.0f);
       EXPECT_FLOAT_EQ(c.xform.eM11, 300.0f / 1440);
       EXPECT_FLOAT_EQ(c.xform.eM22, 300.0f / 1440);
       ASSERT_EQ(c.path.size(), 1u);
       EXPECT_EQ(c.path[0].points.size(), 3u);
       EXPECT_EQ(c.pen.solidColor, 0x008000u);
     }},
    {"custom dashes", 0, 6, "DrvStrokePath", [](const Call& c) {
       EXPECT_EQ(c.lineFlags, LA_GEOMETRIC);
       ASSERT_EQ(c.styles.size(), 4u);
       EXPECT_EQ(c.styles[0].e, 240.0f);
       EXPECT_EQ(c.styles[3].e, 120.0f);
     }},
    {"solid rectangle", 1, 0, "DrvBitBlt", [](const Call& c) {
       EXPECT_EQ(c.rop4, 0xF0F0u);
       EXPECT_EQ(c.brush.solidColor, 0xC0C0FFu);
       EXPECT_EQ(c.dest.left, 300);
       EXPECT_EQ(c.dest.top, 300);
       EXPECT_EQ(c.dest.right, 900);
       EXPECT_EQ(c.dest.bottom, 600);
     }},
    {"hatched rectangle with pen", 1, 1, "DrvStrokeAndFillPath", [](const Call& c) {
       EXPECT_TRUE(c.brush.realized);
       EXPECT_EQ(c.brush.hatch, HS_DIAGCROSS);
       EXPECT_EQ(c.pen.solidColor, 0u);
       EXPECT_EQ(c.fillMode, FP_ALTERNATEMODE);
       ASSERT_EQ(c.path.size(), 1u);
       EXPECT_EQ(c.path[0].points.size(), 4u);
       EXPECT_NE(c.path[0].flags & PD_CLOSEFIGURE, 0u);
     }},
    {"ellipse", 1, 2, "DrvStrokeAndFillPath", [](const Call& c) {
       EXPECT_EQ(c.pathFlags & (PO_BEZIERS | PO_ELLIPSE), PO_BEZIERS | PO_ELLIPSE);
       ASSERT_EQ(c.path.size(), 1u);
       EXPECT_EQ(c.path[0].flags, PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_RESETSTYLE | PD_CLOSEFIGURE | PD_BEZIERS);
       EXPECT_EQ(c.path[0].points.size(), 13u);
       EXPECT_EQ(c.brush.solidColor, 0xFFFF00u);  // yellow: red and green
       EXPECT_EQ(c.lineFlags, LA_GEOMETRIC);
       EXPECT_EQ(c.pathBounds.xLeft, Fx(300));
       EXPECT_EQ(c.pathBounds.yBottom, Fx(1200));
     }},
    {"pattern star", 1, 3, "DrvStrokeAndFillPath", [](const Call& c) {
       EXPECT_TRUE(c.brush.realized);
       EXPECT_EQ(c.brush.patternFormat, BMF_1BPP);
       EXPECT_EQ(c.brush.patternSize.cx, 8);
       EXPECT_EQ(c.fillMode, FP_WINDINGMODE);
       EXPECT_EQ(c.path[0].points.size(), 5u);
     }},
    {"rectangle clip", 1, 4, "DrvBitBlt", [](const Call& c) {
       EXPECT_EQ(c.clipComplexity, DC_RECT);
       EXPECT_EQ(c.clipBounds.left, 300);
       EXPECT_EQ(c.clipBounds.top, 1350);
       EXPECT_EQ(c.clipBounds.right, 900);
       EXPECT_EQ(c.clipBounds.bottom, 1650);
       EXPECT_NE(c.clipUniq, 0u);
       EXPECT_EQ(c.brush.hatch, HS_HORIZONTAL);
     }},
    {"region clip", 1, 5, "DrvTextOut", [](const Call& c) {
       EXPECT_EQ(c.clipComplexity, DC_COMPLEX);
       // The region's two rectangles, limited to the text's bounds.
       ASSERT_EQ(c.clipRects.size(), 2u);
       EXPECT_EQ(c.clipRects[0].left, 300);
       EXPECT_EQ(c.clipRects[0].right, 900);
       EXPECT_GE(c.clipRects[0].top, 1950);
       EXPECT_EQ(c.clipRects[1].left, 1050);
       EXPECT_LE(c.clipRects[1].bottom, 2100);
       EXPECT_EQ(c.clipRects[1].top, c.clipRects[0].top);
     }},
    {"1-bit image pixel for pixel", 2, 0, "DrvBitBlt", [](const Call& c) {
       EXPECT_EQ(c.rop4, 0xCCCCu);
       EXPECT_EQ(c.sourceFormat, BMF_1BPP);
       EXPECT_EQ(c.sourceSize.cx, 64);
       EXPECT_EQ(c.sourceSize.cy, 32);
       EXPECT_EQ(c.dest.right - c.dest.left, 64);
       ASSERT_EQ(c.xlate.size(), 2u);
       // Entry 1 is red 0xFF, blue 0x40: red in the high byte on the BGR device.
       EXPECT_EQ(c.xlate[1], 0xFF0040u);
     }},
    {"4-bit image stretched", 2, 1, "DrvStretchBlt", [](const Call& c) {
       EXPECT_EQ(c.sourceFormat, BMF_4BPP);
       EXPECT_EQ(c.xlate.size(), 16u);
       EXPECT_EQ(c.dest.left, 300);
       EXPECT_EQ(c.dest.right, 900);
       EXPECT_EQ(c.source.right, 40);
     }},
    {"8-bit image stretched", 2, 2, "DrvStretchBlt", [](const Call& c) {
       EXPECT_EQ(c.sourceFormat, BMF_8BPP);
       EXPECT_EQ(c.xlate.size(), 256u);
     }},
    {"24-bit image stretched", 2, 3, "DrvStretchBlt", [](const Call& c) {
       EXPECT_EQ(c.sourceFormat, BMF_24BPP);
       EXPECT_TRUE(c.xlate.empty());  // the device takes the pixels as they are
       EXPECT_EQ(c.sourceSize.cx, 50);
     }},
    {"after the reset", 3, 0, "DrvTextOut", [](const Call& c) {
       EXPECT_EQ(c.text, u"After the change of DEVMODE");
       EXPECT_EQ(c.glyphs[0].ptl.x, 300);
     }},
};

TEST_F(HostTest, EachDrawingKindReachesTheDriverWithItsObjects) {
  const auto result = host_->Print(printhost::SampleDocument());
  ASSERT_TRUE(result.ok) << result.error;
  const auto pages = Pages(*log_);
  ASSERT_EQ(pages.size(), 4u);
  for (const Expectation& e : kExpectations) {
    SCOPED_TRACE(e.what);
    ASSERT_LT(e.index, pages[e.page].size());
    const Call& call = *pages[e.page][e.index];
    ASSERT_EQ(call.name, e.entry);
    e.check(call);
  }
  // The hatch and pattern brushes were realized once each, when used.
  EXPECT_EQ(Calls("DrvRealizeBrush").size(), 3u);
  // One glyph mode question per realized font: the test driver offers no
  // device fonts, so the text page's three texts in the printer's faces
  // take engine faces of their own, beside one more TrueType size.
  EXPECT_EQ(Calls("DrvGetGlyphMode").size(), 9u);
}

TEST_F(HostTest, ADriverWithoutCurvesGetsFlattenedPaths) {
  log_->control.curves = false;
  const auto result = host_->Print(printhost::SampleDocument());
  ASSERT_TRUE(result.ok) << result.error;
  const Call& ellipse = *Pages(*log_)[1][2];
  ASSERT_EQ(ellipse.name, "DrvStrokeAndFillPath");
  EXPECT_EQ(ellipse.pathFlags & PO_BEZIERS, 0u);
  EXPECT_EQ(ellipse.path[0].flags & PD_BEZIERS, 0u);
  EXPECT_GT(ellipse.path[0].points.size(), 13u);
}

// A path call the driver declines is drawn by the engine, through the
// device's copies of its pixels; only DDI_ERROR fails the document.
TEST_F(HostTest, APathTheDriverDeclinesIsDrawnByTheEngine) {
  printhost::Document document;
  document.name = u"Declined";
  printhost::Page page;
  printhost::Shape filled;
  filled.kind = printhost::ShapeKind::kPolygon;
  filled.points = {{1440, 1440}, {2880, 1440}, {2160, 2880}};
  filled.pen.style = printhost::PenStyle::kNull;
  filled.brush = printhost::Brush{printhost::BrushKind::kSolid, printhost::Rgb(0, 0, 0), 0, {}};
  printhost::Shape outlined = filled;
  outlined.pen = printhost::Pen{};
  page.commands = {printhost::Line{{{1440, 4320}, {4320, 4320}}, printhost::Pen{}}, filled, outlined};
  document.pages.push_back(page);
  for (const char* entry : {"DrvStrokePath", "DrvFillPath", "DrvStrokeAndFillPath"}) {
    SCOPED_TRACE(entry);
    log_->Reset();
    log_->control.declineIn = entry;
    const auto result = host_->Print(document);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(log_->control.declineIn.empty()) << "the call was made";
    // The copies right after the declined call: the area read and written
    // back for each part the engine drew.
    std::size_t copies = 0;
    const auto& calls = log_->calls;
    for (auto it = calls.begin(); it != calls.end(); ++it) {
      if (it->name != entry) continue;
      for (++it; it != calls.end() && it->name == "DrvCopyBits"; ++it) ++copies;
      break;
    }
    EXPECT_EQ(copies, std::string(entry) == "DrvStrokeAndFillPath" ? 4u : 2u);
  }
}

}  // namespace

namespace {

// A compressed picture reaches the driver as the run-length bitmap it is,
// its stream's length as the bits' size; a compressed pattern makes no brush.
TEST_F(HostTest, ACompressedPictureReachesTheDriverAsARunLengthBitmap) {
  printhost::Image image;
  image.bitsPerPixel = 8;
  image.width = 4;
  image.height = 2;
  image.palette = {printhost::Rgb(0, 0, 0), printhost::Rgb(0xFF, 0, 0)};
  image.rows = {4, 1, 0, 0, 4, 0, 0, 1};
  image.compressed = true;
  printhost::Document document;
  document.name = u"Compressed";
  printhost::Page page;
  page.commands = {printhost::Picture{image, RECT{1440, 1440, 1440, 1440}}};
  document.pages.push_back(page);
  auto result = host_->Print(document);
  ASSERT_TRUE(result.ok) << result.error;
  const auto blts = Calls("DrvBitBlt");
  ASSERT_EQ(blts.size(), 1u);
  EXPECT_EQ(blts[0]->sourceFormat, BMF_8RLE);
  EXPECT_EQ(blts[0]->sourceSize.cx, 4);
  EXPECT_EQ(blts[0]->sourceSize.cy, 2);

  printhost::Shape shape;
  shape.kind = printhost::ShapeKind::kPolygon;
  shape.points = {{1440, 1440}, {2880, 1440}, {2160, 2880}};
  shape.brush.kind = printhost::BrushKind::kPattern;
  shape.brush.pattern = image;
  document.pages[0].commands = {shape};
  result = host_->Print(document);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("pattern"), std::string::npos) << result.error;
}

}  // namespace

namespace {

// A picture scaled so thin that its extent rounds to no pixel (a long strip
// at 300 dpi: a twip is a fifth of a pixel) still covers one.
TEST_F(HostTest, APictureThatRoundsToNothingCoversOnePixel) {
  printhost::Image strip;
  strip.width = 8;
  strip.height = 1;
  strip.rows.assign(static_cast<std::size_t>(strip.Stride()), 0);
  printhost::Image column = strip;
  column.width = 1;
  column.height = 8;
  column.rows.assign(static_cast<std::size_t>(column.Stride()) * 8, 0);
  printhost::Document document;
  document.name = u"Thin";
  printhost::Page page;
  page.commands = {printhost::Picture{strip, RECT{1440, 1440, 2880, 1441}},
                   printhost::Picture{column, RECT{1440, 1440, 1441, 2880}}};
  document.pages.push_back(page);
  const auto result = host_->Print(document);
  ASSERT_TRUE(result.ok) << result.error;
  const auto blts = Calls("DrvStretchBlt");
  ASSERT_EQ(blts.size(), 2u);
  EXPECT_EQ(blts[0]->dest.bottom - blts[0]->dest.top, 1);
  EXPECT_EQ(blts[0]->dest.right - blts[0]->dest.left, 300);
  EXPECT_EQ(blts[1]->dest.right - blts[1]->dest.left, 1);
  EXPECT_EQ(blts[1]->dest.bottom - blts[1]->dest.top, 300);
}

}  // namespace
