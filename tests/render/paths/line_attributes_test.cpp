// The line attributes of pens: widths scaled by the transform, joins and
// caps, miter limits, and dash styles folded into the 32-bit mask, on a
// 300 dpi PDEV (a cosmetic style entry counts 6 pixels there).
#include <cmath>
#include <limits>

#include "render/paths/draw_setup.h"
#include "tests/render/paths/path_fixture.h"

namespace render_test {
namespace {

using LineAttributesTest = RecordTest;

constexpr float kTwipsToPixels = 300.0f / 1440;  // the scale of a 300 dpi page in twips

struct LineCase {
  const char* what;
  FLONG flags;
  float width;  // geometric lines
  std::vector<float> styles;
  bool scaled;  // through the twips transform, else the identity
  BOOL result;
  LineAttributes expected;  // unit, join, cap, width, shift, miter, mask
};

const LineCase kLines[] = {
    {"a cosmetic solid line", 0, 0, {}, false, TRUE, {1, 0, 0, 1, 0, 2560, 0xFFFFFFFF, 0}},
    {"a cosmetic dash of 6 and 2 units: 36 and 12 pixels folded into 32", LA_STYLED, 0, {6, 2}, false, TRUE,
     {1, 0, 0, 1, 0, 2560, 0xFFFFFF00, 0}},
    {"a dash longer than 32 pixels: a unit of total / 32", LA_STYLED, 0, {20, 12}, false, TRUE,
     {6, 0, 0, 1, 0, 2560, 0xFFFFF000, 0}},
    {"a dot of 6 pixels repeated to fill the mask", LA_STYLED, 0, {1, 1}, false, TRUE,
     {1, 0, 0, 1, 0, 2560, 0xFF00FF00, 0}},
    {"a start gap shifts the pattern and the left-over pixels lengthen the entries", LA_STYLED | LA_STARTGAP, 0,
     {3, 2, 2}, false, TRUE, {1, 0, 0, 1, 24, 2560, 0xFFF80000, 0}},
    {"a style of no length is solid", LA_STYLED, 0, {0, 0}, false, TRUE, {1, 0, 0, 1, 0, 2560, 0xFFFFFFFF, 0}},
    {"a single style entry is solid", LA_STYLED, 0, {4}, false, TRUE, {1, 0, 0, 1, 0, 2560, 0xFFFFFFFF, 0}},
    {"a cosmetic unit above 255 is held at 255", LA_STYLED, 0, {2000, 2000}, false, TRUE,
     {255, 0, 0, 1, 0, 2560, 0xFFFF0000, 0}},
    {"a geometric line of 30 twips is 6 pixels, with its join and cap", LA_GEOMETRIC, 30, {}, true, TRUE,
     {1, 1, 1, 6, 0, 2560, 0xFFFFFFFF, 0}},
    {"a geometric line in device units keeps its width", LA_GEOMETRIC, 4, {}, false, TRUE,
     {1, 1, 1, 4, 0, 2560, 0xFFFFFFFF, 0}},
    {"a styled geometric line wider than one pixel is not the printer's", LA_GEOMETRIC, 30, {240, 120}, true, FALSE,
     {1, 1, 1, 6, 0, 2560, 0xFFFFFFFF, 0}},
    {"a geometric unit above 255 is not the printer's", LA_GEOMETRIC, 1, {6000, 6000}, false, FALSE,
     {1, 1, 1, 1, 0, 2560, 0xFFFFFFFF, 0}},
    {"a geometric width beyond 16 bits is held at 32767", LA_GEOMETRIC, 1e30f, {}, false, TRUE,
     {1, 1, 1, 0x7FFF, 0, 2560, 0xFFFFFFFF, 0}},
    {"a geometric width below one unit is one pixel, not its float bits", LA_GEOMETRIC, 0.5f, {}, true, TRUE,
     {1, 1, 1, 1, 0, 2560, 0xFFFFFFFF, 0}},
};

TEST_F(LineAttributesTest, EachPenGetsTheLineThePrinterDraws) {
  plat::eng::Xform twips(XFORML{kTwipsToPixels, 0, 0, kTwipsToPixels, 0, 0});
  plat::eng::Xform identity;
  for (const LineCase& c : kLines) {
    SCOPED_TRACE(c.what);
    std::vector<FLOAT_LONG> styles;
    const bool geometric = (c.flags & LA_GEOMETRIC) != 0;
    for (float s : c.styles) {
      FLOAT_LONG v{};
      if (geometric) v.e = s; else v.l = static_cast<LONG>(s);
      styles.push_back(v);
    }
    LINEATTRS attrs{};
    attrs.fl = c.flags;
    attrs.iJoin = JOIN_BEVEL;
    attrs.iEndCap = ENDCAP_BUTT;
    attrs.eMiterLimit = 10.0f;
    if (geometric) attrs.elWidth.e = c.width; else attrs.elWidth.l = 1;
    attrs.cstyle = static_cast<ULONG>(styles.size());
    attrs.pstyle = styles.empty() ? nullptr : styles.data();
    LineAttributes line{};
    BOOL isGeometric = FALSE;
    EXPECT_EQ(SetLineAttrs(pdev_, &attrs, 0x123456, c.scaled ? &twips : &identity, &line, &isGeometric), c.result);
    EXPECT_EQ(isGeometric, geometric ? TRUE : FALSE);
    EXPECT_EQ(line.styleUnit, c.expected.styleUnit);
    EXPECT_EQ(line.join, c.expected.join);
    EXPECT_EQ(line.cap, c.expected.cap);
    if (c.result) {
      EXPECT_EQ(line.width, c.expected.width);
      EXPECT_EQ(line.styleShift, c.expected.styleShift);
      EXPECT_EQ(line.miterLimit, c.expected.miterLimit);
      EXPECT_EQ(line.styleMask, c.expected.styleMask);
      EXPECT_EQ(line.color, 0x123456u);
    }
  }
}

TEST_F(LineAttributesTest, JoinsCapsAndMiterLimitsMapToTheRecordsValues) {
  const struct {
    ULONG join, cap;
    float miter;
    USHORT sentJoin, sentCap;
    ULONG sentMiter;
  } rows[] = {
      {JOIN_ROUND, ENDCAP_ROUND, 10, 0, 0, 2560},
      {JOIN_BEVEL, ENDCAP_BUTT, 1.5f, 1, 1, 384},
      {JOIN_MITER, ENDCAP_SQUARE, 0.25f, 2, 2, 256},
      {7, 9, 1e9f, 0, 0, 0x7FFF * 256},
      {JOIN_MITER, ENDCAP_SQUARE, std::numeric_limits<float>::quiet_NaN(), 2, 2, 256},
  };
  for (const auto& row : rows) {
    LINEATTRS attrs{};
    attrs.fl = LA_GEOMETRIC;
    attrs.elWidth.e = 2;
    attrs.iJoin = row.join;
    attrs.iEndCap = row.cap;
    attrs.eMiterLimit = row.miter;
    LineAttributes line{};
    BOOL geometric = FALSE;
    ASSERT_TRUE(SetLineAttrs(pdev_, &attrs, 0, nullptr, &line, &geometric));
    EXPECT_EQ(line.join, row.sentJoin);
    EXPECT_EQ(line.cap, row.sentCap);
    EXPECT_EQ(line.miterLimit, row.sentMiter);
  }
}

TEST_F(LineAttributesTest, ATransformWithoutScaleFailsAGeometricLine) {
  plat::eng::Xform flat(XFORML{0.001f, 0, 0, 0.001f, 0, 0});
  LINEATTRS attrs{};
  attrs.fl = LA_GEOMETRIC;
  attrs.elWidth.e = 10;
  LineAttributes line{};
  BOOL geometric = FALSE;
  EXPECT_FALSE(SetLineAttrs(pdev_, &attrs, 0, &flat, &line, &geometric));
  EXPECT_TRUE(geometric);
  EXPECT_EQ(GetRatioGeoline(&flat), 0);
  plat::eng::Xform mirrored(XFORML{-2, 0, 0, 3, 0, 0});
  EXPECT_EQ(GetRatioGeoline(&mirrored), (512 + 768) / 2);
  plat::eng::Xform identity;
  EXPECT_EQ(GetRatioGeoline(&identity), -1);
}

TEST_F(LineAttributesTest, WithoutRoomForTheStyleACosmeticLineIsSolidAndAGeometricOneFails) {
  for (const bool geometric : {false, true}) {
    SCOPED_TRACE(geometric ? "geometric" : "cosmetic");
    FLOAT_LONG styles[2]{};
    LINEATTRS attrs{};
    attrs.fl = geometric ? LA_GEOMETRIC : LA_STYLED;
    if (geometric) {
      attrs.elWidth.e = 1;
      styles[0].e = styles[1].e = 4;
    } else {
      attrs.elWidth.l = 1;
      styles[0].l = styles[1].l = 1;
    }
    attrs.cstyle = 2;
    attrs.pstyle = styles;
    LineAttributes line{};
    BOOL isGeometric = FALSE;
    plat::FailAllocationAt(1);
    const BOOL result = SetLineAttrs(pdev_, &attrs, 0, nullptr, &line, &isGeometric);
    plat::FailAllocationAt(0);
    EXPECT_EQ(result, geometric ? FALSE : TRUE);
    if (!geometric) {
      EXPECT_EQ(line.styleMask, 0xFFFFFFFFu);
    }
  }
}

}  // namespace
}  // namespace render_test
