// The helpers of the bitmap calls: line lengths of every format (and of
// widths no bitmap can have), ROP3 indexes and mix codes, the drawing
// attributes of a mix, and bitmaps of the driver's own.
#include "render/bitmaps/bitmap_transfer.h"
#include "render/bitmaps/rop3_mix.h"
#include "render/paths/draw_setup.h"
#include "tests/render/bitmaps/bitmap_fixture.h"

namespace render_test {
namespace {

TEST(GetBmpDelta, LinesAreWholeBytesRoundedUpToFour) {
  const struct {
    ULONG format;
    LONG width;
    LONG delta;
  } rows[] = {
      {BMF_1BPP, 1, 4},      {BMF_1BPP, 33, 8},        {BMF_4BPP, 9, 8},     {BMF_8BPP, 5, 8},
      {BMF_16BPP, 3, 8},     {BMF_24BPP, 5, 16},       {BMF_32BPP, 3, 12},   {BMF_4RLE, 33, 8},
      {BMF_24BPP, 0, 0},     {BMF_24BPP, -1, 0},       {BMF_32BPP, 0x7FFFFFFF, 0},
  };
  for (const auto& row : rows) EXPECT_EQ(GetBmpDelta(row.format, row.width), row.delta) << row.format << " " << row.width;
}

TEST(Def2Rop3, TakesTheIndexByteOfARasterOperation) {
  EXPECT_EQ(Def2Rop3(0x00CC0020), 0xCC);
  EXPECT_EQ(Def2Rop3(0x00EE0086), 0xEE);
  EXPECT_EQ(Def2Rop3(0x008800C6), 0x88);
}

TEST(Rop3ToMix, OnlyThePatternAndPageOperationsHaveAMix) {
  const BYTE patternRops[] = {0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F,
                              0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA, 0xFF};
  int mixes = 0;
  for (int rop = 0; rop < 256; ++rop) {
    if (Rop3ToMix(static_cast<BYTE>(rop)) != 0) ++mixes;
  }
  EXPECT_EQ(mixes, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Rop3ToMix(patternRops[i]), i + 1);
  EXPECT_EQ(Rop3ToMix(0xCC), 0) << "a source copy";
}

TEST(SetDrawAttr, TheBackgroundIsLeftAloneOnlyForCode11) {
  DRAWATTR attributes{};
  EXPECT_TRUE(SetDrawAttr(nullptr, 0x0B0D, &attributes, 1));
  EXPECT_EQ(attributes.mix, 0x0D);
  EXPECT_EQ(attributes.backgroundMode, 1);
  EXPECT_EQ(attributes.thirdColorFlag, 1);
  EXPECT_TRUE(SetDrawAttr(nullptr, 0x0D0D, &attributes, 0));
  EXPECT_EQ(attributes.backgroundMode, 2);
  EXPECT_EQ(attributes.thirdColorFlag, 0);
}

class DriverBitmap : public RecordTest {};

TEST_F(DriverBitmap, IsTopDownAndGoneWhenDeleted) {
  HBITMAP bitmap = nullptr;
  SURFOBJ* so = CreateBitmapSURFOBJ(pdev_, &bitmap, 5, 3, BMF_24BPP);
  ASSERT_NE(so, nullptr);
  EXPECT_NE(bitmap, nullptr);
  EXPECT_EQ(so->lDelta, 16);
  EXPECT_EQ(so->fjBitmap & BMF_TOPDOWN, BMF_TOPDOWN);
  DeleteBitmapSURFOBJ(so, bitmap);
  // One that cannot be made leaves no handle.
  bitmap = reinterpret_cast<HBITMAP>(1);
  EXPECT_EQ(CreateBitmapSURFOBJ(pdev_, &bitmap, 0x40000000, 0x40000000, BMF_24BPP), nullptr);
  EXPECT_EQ(bitmap, nullptr);
}

}  // namespace
}  // namespace render_test
