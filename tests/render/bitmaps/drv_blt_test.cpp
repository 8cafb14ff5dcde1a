// The bit-block calls as the records they send, read back with the test
// decoder: a table of ROP, source format and clip kind for DrvBitBlt, the
// stretch and copy calls with their conversions, mirroring and cropping,
// and the calls that must draw nothing or fail cleanly.
#include <string>

#include "platform/base/control.h"
#include "platform/base/winerror.h"
#include "render/bitmaps/bitmap_transfer.h"
#include "render/paths/region_cache.h"
#include "tests/render/bitmaps/bitmap_fixture.h"

namespace render_test {
namespace {

class BltTest : public RecordTest {
 protected:
  // The drawing state of a new page with no clip in force (none was sent
  // before, so none needs resetting), and an empty display list.
  void FreshPage() {
    Clear();
    pdev_->lastSent = DrawingState{};
    *static_cast<RegionCache*>(pdev_->regionCache) = RegionCache{};
    ++pdev_->pageCount;
  }
  std::vector<jobstream::Record> Sent() {
    const jobstream::Decoded decoded = ReadListed();
    EXPECT_TRUE(decoded.ok()) << decoded.error;
    for (const jobstream::Record& r : decoded.records) {
      const jobstream::Fields f = jobstream::ReadFields(r);
      EXPECT_TRUE(f.ok()) << f.error << ": " << jobstream::Describe(f);
    }
    return decoded.records;
  }
  // The image record a copy of the source to dest from sends.
  jobstream::Fields CopiedImage(const TestBitmap& source, RECTL dest, POINTL from) {
    FreshPage();
    EXPECT_TRUE(DrvCopyBits(dc_->so, source.so(), nullptr, nullptr, &dest, &from));
    return Find(Sent(), 0x20);
  }
  static jobstream::Fields Find(const std::vector<jobstream::Record>& records, std::uint8_t opcode) {
    for (const jobstream::Record& r : records) {
      if (r.opcode == opcode) return jobstream::ReadFields(r);
    }
    ADD_FAILURE() << "no record " << std::hex << int{opcode};
    return {};
  }
};

constexpr ULONG kNoSource = 0;

TEST_F(BltTest, EachRopSourceFormatAndClipSendsItsRecords) {
  std::vector<ULONG> colors256;
  for (ULONG i = 0; i < 256; ++i) colors256.push_back(i * 0x010203 & 0xFFFFFF);
  const struct {
    const char* what;
    ROP4 rop4;
    ULONG format;
    std::vector<ULONG> palette;  // of the source; empty: no translation
    ClipKind clip;
    Bytes opcodes;
    std::int64_t imageFormat;  // -1: no image
    std::int64_t rop3;         // as sent: a fill's in the printer's sense of the mix (black 0xFF)
    std::int64_t background;   // mode sent
  } rows[] = {
      {"1 bit black and white: no palette", 0xCCCC, BMF_1BPP, {0x000000, 0xFFFFFF}, ClipKind::kNone,
       {0x40, 0x32, 0x31, 0x30, 0x20}, 0xA0, 0xCC, 2},
      {"1 bit white and black: a palette", 0xCCCC, BMF_1BPP, {0xFFFFFF, 0x000000}, ClipKind::kNone,
       {0x40, 0x32, 0x31, 0x30, 0x20}, 0x80, 0xCC, 2},
      {"4 bit grey ramp in a rectangle", 0xCCCC, BMF_4BPP, GreyRamp(16), ClipKind::kRect,
       {0x40, 0x32, 0x31, 0x30, 0x10, 0x20}, 0xA1, 0xCC, 2},
      {"8 bit colours in a region", 0xCCCC, BMF_8BPP, colors256, ClipKind::kComplex,
       {0x40, 0x32, 0x31, 0x30, 0x12, 0x20}, 0x82, 0xCC, 2},
      {"8 bit without a translation", 0xCCCC, BMF_8BPP, {}, ClipKind::kNone, {0x40, 0x32, 0x31, 0x30, 0x20}, 0xA2, 0xCC, 2},
      {"24 bit", 0xCCCC, BMF_24BPP, {}, ClipKind::kNone, {0x40, 0x32, 0x31, 0x30, 0x20}, 0xA4, 0xCC, 2},
      {"16 bit goes as 24", 0xCCCC, BMF_16BPP, {}, ClipKind::kRect, {0x40, 0x32, 0x31, 0x30, 0x10, 0x20}, 0xA4, 0xCC, 2},
      {"32 bit goes as 24", 0xCCCC, BMF_32BPP, {}, ClipKind::kNone, {0x40, 0x32, 0x31, 0x30, 0x20}, 0xA4, 0xCC, 2},
      {"source and page, background left alone", 0xAA88, BMF_24BPP, {}, ClipKind::kNone,
       {0x40, 0x32, 0x31, 0x30, 0x20}, 0xA4, 0x88, 1},
      {"blackness", 0x0000, kNoSource, {}, ClipKind::kNone, {0x40, 0x30, 0x32, 0x31, 0x10}, -1, 0xFF, 2},
      {"whiteness in a region", 0xFFFF, kNoSource, {}, ClipKind::kComplex, {0x40, 0x30, 0x32, 0x31, 0x12, 0x10}, -1,
       0x00, 2},
      {"pattern copy in a rectangle", 0xF0F0, kNoSource, {}, ClipKind::kRect, {0x40, 0x30, 0x32, 0x31, 0x10, 0x10}, -1,
       0xCC, 2},
      {"pattern invert", 0x5A5A, kNoSource, {}, ClipKind::kNone, {0x40, 0x30, 0x32, 0x31, 0x10}, -1, 0x66, 2},
  };
  RECTL target{100, 200, 116, 208};
  auto brush = plat::eng::Brush::Solid(0x336699, 0x996633);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FreshPage();
    TestBitmap source(16, 8, row.format == kNoSource ? BMF_24BPP : row.format);
    source.Numbered();
    auto xlate = row.palette.empty() ? nullptr : ToDevice(row.palette);
    auto clip = MakeClip(row.clip, target, 7);
    POINTL origin{0, 0};
    ASSERT_TRUE(DrvBitBlt(dc_->so, row.format == kNoSource ? nullptr : source.so(), nullptr, &clip, xlate.get(),
                          &target, &origin, nullptr, brush.get(), nullptr, row.rop4));
    const auto records = Sent();
    EXPECT_EQ(ToHex(Opcodes(records)), ToHex(row.opcodes));
    EXPECT_EQ(Find(records, 0x31).Value("rop3"), row.rop3);
    EXPECT_EQ(Find(records, 0x32).Value("mode"), row.background);
    if (row.imageFormat < 0) {
      const jobstream::Fields fill = jobstream::ReadFields(records.back());
      EXPECT_EQ(fill.Value("kind"), 1);
      EXPECT_EQ(fill.Value("rect.left"), 100);
      EXPECT_EQ(fill.Value("rect.bottom"), 208);
      continue;
    }
    const jobstream::Fields image = Find(records, 0x20);
    EXPECT_EQ(image.Value("format"), row.imageFormat);
    EXPECT_EQ(image.Value("x"), 100);
    EXPECT_EQ(image.Value("y"), 200);
    EXPECT_EQ(image.Value("cx"), 16);
    EXPECT_EQ(image.Value("cy"), 8);
    EXPECT_EQ(image.Value("width"), 16);
    EXPECT_EQ(image.Value("height"), 8);
  }
}

TEST_F(BltTest, APaletteHoldsTheTranslationsEntriesAndNothingBeyondThem) {
  // 20 colours for an 8-bit source: the record's 256 entries are those 20
  // and zeros, and nothing past the translation's table is read.
  std::vector<ULONG> colors;
  for (ULONG i = 0; i < 20; ++i) colors.push_back(0x102030 + i);
  auto xlate = ToDevice(colors);
  TestBitmap source(4, 2, BMF_8BPP);
  RECTL target{0, 0, 4, 2};
  POINTL origin{0, 0};
  FreshPage();
  ASSERT_TRUE(DrvBitBlt(dc_->so, source.so(), nullptr, nullptr, xlate.get(), &target, &origin, nullptr, nullptr,
                        nullptr, 0xCCCC));
  const Bytes palette = Find(Sent(), 0x20).Blob("palette");
  ASSERT_EQ(palette.size(), 768u);
  for (ULONG i = 0; i < 256; ++i) {
    const ULONG expected = i < 20 ? xlate->pulXlate[i] : 0;
    const ULONG got = palette[3 * i] | palette[3 * i + 1] << 8 | palette[3 * i + 2] << 16;
    EXPECT_EQ(got, expected & 0xFFFFFF) << "entry " << i;
  }
}

TEST_F(BltTest, ABitmapThatFitsGoesFromItsOwnLinesTopLineFirst) {
  for (bool topDown : {true, false}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    FreshPage();
    TestBitmap source(6, 3, BMF_24BPP, topDown);
    source.Numbered();
    RECTL target{10, 10, 16, 13};
    POINTL origin{0, 0};
    ASSERT_TRUE(DrvBitBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, &target, &origin, nullptr, nullptr,
                          nullptr, 0xCCCC));
    const Bytes lines = Find(Sent(), 0x20).Blob("lines");
    ASSERT_EQ(lines.size(), 3u * 20);
    for (LONG y = 0; y < 3; ++y) {
      EXPECT_EQ(Bytes(lines.begin() + 20 * y, lines.begin() + 20 * y + 18), Bytes(source.Line(y), source.Line(y) + 18));
    }
  }
}

TEST_F(BltTest, AMaskedCopySendsTheMaskThenTheImage) {
  TestBitmap source(8, 4, BMF_24BPP);
  TestBitmap mask(8, 4, BMF_1BPP);
  for (LONG y = 0; y < 4; ++y) *mask.Line(y) = 0xF0;
  RECTL target{0, 0, 8, 4};
  POINTL origin{0, 0};
  FreshPage();
  ASSERT_TRUE(DrvBitBlt(dc_->so, source.so(), mask.so(), nullptr, nullptr, &target, &origin, &origin, nullptr,
                        nullptr, 0xAACC));
  const auto records = Sent();
  EXPECT_EQ(ToHex(Opcodes(records)), "32 31 30 31 20 31 20");
  EXPECT_EQ(jobstream::ReadFields(records[3]).Value("rop3"), 0xEE);
  EXPECT_EQ(jobstream::ReadFields(records[4]).Value("format"), 0x20) << "the mask: 1 bit, no palette";
  EXPECT_EQ(jobstream::ReadFields(records[4]).Blob("lines")[0], 0xF0);
  EXPECT_EQ(jobstream::ReadFields(records[5]).Value("rop3"), 0x88);
  EXPECT_EQ(jobstream::ReadFields(records[6]).Value("format"), 0xA4);
}

TEST_F(BltTest, StretchesAreSentForThePrinterToScaleAndMirrorsTurnedByTheEngine) {
  TestBitmap source(4, 2, BMF_8BPP);
  source.Numbered();
  const struct {
    const char* what;
    RECTL dest;
    RECTL src;
    LONG x, y, cx, cy, width, height;
  } rows[] = {
      {"the whole source, larger", {10, 20, 50, 40}, {0, 0, 4, 2}, 10, 20, 40, 20, 4, 2},
      {"mirrored across", {50, 20, 10, 40}, {0, 0, 4, 2}, 10, 20, 40, 20, 4, 2},
      {"part of the source", {0, 0, 8, 8}, {1, 0, 3, 2}, 0, 0, 8, 8, 2, 2},
      {"a source reaching outside the bitmap", {0, 0, 8, 8}, {-2, -1, 9, 5}, 0, 0, 8, 8, 4, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FreshPage();
    RECTL dest = row.dest, src = row.src;
    ASSERT_TRUE(DrvStretchBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, nullptr, nullptr, &dest, &src, nullptr,
                              COLORONCOLOR));
    const auto records = Sent();
    EXPECT_EQ(ToHex(Opcodes(records)), "31 20");
    const jobstream::Fields image = jobstream::ReadFields(records.back());
    EXPECT_EQ(image.Value("format"), 0x22);
    EXPECT_EQ(image.Value("x"), row.x);
    EXPECT_EQ(image.Value("y"), row.y);
    EXPECT_EQ(image.Value("cx"), row.cx);
    EXPECT_EQ(image.Value("cy"), row.cy);
    EXPECT_EQ(image.Value("width"), row.width);
    EXPECT_EQ(image.Value("height"), row.height);
  }
  // The mirrored row: the engine turned the lines.
  FreshPage();
  RECTL dest{50, 20, 10, 40}, src{0, 0, 4, 2};
  ASSERT_TRUE(DrvStretchBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, nullptr, nullptr, &dest, &src, nullptr,
                            COLORONCOLOR));
  const Bytes lines = Find(Sent(), 0x20).Blob("lines");
  for (LONG x = 0; x < 4; ++x) EXPECT_EQ(lines[x], source.Line(0)[3 - x]) << x;
}

TEST_F(BltTest, CopiesAreCroppedOrConvertedToTheDestinationSize) {
  TestBitmap wide(10, 6, BMF_24BPP);
  wide.Numbered();
  const RECTL dest{5, 5, 9, 8};  // 4 x 3 of the 10 x 6 source from (2, 1)
  const jobstream::Fields cropped = CopiedImage(wide, dest, POINTL{2, 1});
  EXPECT_EQ(cropped.Value("format"), 0x24);
  EXPECT_EQ(cropped.Value("banding"), 0);
  EXPECT_EQ(cropped.Value("width"), 4);
  EXPECT_EQ(cropped.Value("height"), 3);
  const Bytes lines = cropped.Blob("lines");
  for (LONG y = 0; y < 3; ++y) {
    EXPECT_EQ(Bytes(lines.begin() + 12 * y, lines.begin() + 12 * y + 12), Bytes(wide.Line(y + 1) + 6, wide.Line(y + 1) + 18));
  }
  // A 4-bit source of another size is converted to the destination's.
  TestBitmap small(3, 3, BMF_4BPP);
  const jobstream::Fields converted = CopiedImage(small, dest, POINTL{0, 0});
  EXPECT_EQ(converted.Value("format"), 0x21);
  EXPECT_EQ(converted.Value("width"), 4);
  EXPECT_EQ(converted.Value("height"), 3);
}

TEST_F(BltTest, RunLengthSourcesAreDecodedAndSentAs24BitPixels) {
  // 3 x 2 pictures, bottom line first in the stream: red green red under
  // blue blue blue; the cut one stops after its first pixel of blue.
  const std::vector<ULONG> palette{0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000};  // RGB: white, red, green, blue
  const Bytes rle4{3, 0x12, 0, 0, 3, 0x33, 0, 1};
  const Bytes rle8{0, 3, 1, 2, 1, 0, 0, 0, 3, 3, 0, 1};
  const Bytes cut8{0, 3, 1, 2, 1, 0, 0, 0, 0, 3, 3};
  const Bytes red{0x00, 0x00, 0xFF}, green{0x00, 0xFF, 0x00}, blue{0xFF, 0x00, 0x00}, white{0xFF, 0xFF, 0xFF};
  enum class Call { kBitBlt, kStretchBlt, kCopyBits };
  const struct {
    const char* what;
    Call call;
    ULONG format;
    const Bytes& stream;
    ClipKind clip;
    std::int64_t imageFormat;
    std::int64_t cx, cy;
    std::vector<Bytes> top, bottom;  // the pixels of each line
  } rows[] = {
      {"4 bit blt", Call::kBitBlt, BMF_4RLE, rle4, ClipKind::kNone, 0xA4, 3, 2, {blue, blue, blue}, {red, green, red}},
      {"8 bit blt in a region", Call::kBitBlt, BMF_8RLE, rle8, ClipKind::kComplex, 0xA4, 3, 2, {blue, blue, blue},
       {red, green, red}},
      {"4 bit stretch", Call::kStretchBlt, BMF_4RLE, rle4, ClipKind::kNone, 0x24, 6, 4, {blue, blue, blue},
       {red, green, red}},
      {"8 bit stretch in a rectangle", Call::kStretchBlt, BMF_8RLE, rle8, ClipKind::kRect, 0x24, 6, 4,
       {blue, blue, blue}, {red, green, red}},
      {"4 bit copy", Call::kCopyBits, BMF_4RLE, rle4, ClipKind::kNone, 0x24, 3, 2, {blue, blue, blue}, {red, green, red}},
      {"8 bit copy", Call::kCopyBits, BMF_8RLE, rle8, ClipKind::kNone, 0x24, 3, 2, {blue, blue, blue}, {red, green, red}},
      {"a stream cut short leaves index 0", Call::kBitBlt, BMF_8RLE, cut8, ClipKind::kNone, 0xA4, 3, 2,
       {blue, white, white}, {red, green, red}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FreshPage();
    RunLengthBitmap source(3, 2, row.format, row.stream);
    ASSERT_NE(source.so(), nullptr);
    auto xlate = ToDevice(palette);
    RECTL dest{40, 30, 40 + static_cast<LONG>(row.cx), 30 + static_cast<LONG>(row.cy)};
    RECTL whole{0, 0, 3, 2};
    auto clip = MakeClip(row.clip, dest, 9);
    POINTL origin{0, 0};
    switch (row.call) {
      case Call::kBitBlt:
        ASSERT_TRUE(DrvBitBlt(dc_->so, source.so(), nullptr, &clip, xlate.get(), &dest, &origin, nullptr, nullptr,
                              nullptr, 0xCCCC));
        break;
      case Call::kStretchBlt:
        ASSERT_TRUE(DrvStretchBlt(dc_->so, source.so(), nullptr, &clip, xlate.get(), nullptr, nullptr, &dest, &whole,
                                  nullptr, COLORONCOLOR));
        break;
      case Call::kCopyBits:
        ASSERT_TRUE(DrvCopyBits(dc_->so, source.so(), &clip, xlate.get(), &dest, &origin));
        break;
    }
    const jobstream::Fields image = Find(Sent(), 0x20);
    EXPECT_EQ(image.Value("format"), row.imageFormat) << "24 bits, no palette";
    EXPECT_EQ(image.Value("x"), 40);
    EXPECT_EQ(image.Value("y"), 30);
    EXPECT_EQ(image.Value("cx"), row.cx);
    EXPECT_EQ(image.Value("cy"), row.cy);
    EXPECT_EQ(image.Value("width"), 3);
    EXPECT_EQ(image.Value("height"), 2);
    const Bytes lines = image.Blob("lines");
    ASSERT_EQ(lines.size(), 2u * 12);
    for (std::size_t x = 0; x < 3; ++x) {
      EXPECT_EQ(Bytes(lines.begin() + 3 * x, lines.begin() + 3 * x + 3), row.top[x]) << "top, pixel " << x;
      EXPECT_EQ(Bytes(lines.begin() + 12 + 3 * x, lines.begin() + 12 + 3 * x + 3), row.bottom[x]) << "bottom, pixel " << x;
    }
  }
}

TEST_F(BltTest, ACopyFromTheDeviceNeverWhitensThePage) {
  // The engine reads the device back into a bitmap of its own: the paper.
  TestBitmap readBack(4, 4, BMF_24BPP);
  RECTL whole{0, 0, 4, 4};
  POINTL from{10, 10};
  FreshPage();
  ASSERT_TRUE(DrvCopyBits(readBack.so(), dc_->so, nullptr, nullptr, &whole, &from));
  EXPECT_EQ(readBack.Line(3)[11], 0xFF);
  // A copy on the device from the device sends nothing at all.
  ASSERT_TRUE(DrvCopyBits(dc_->so, dc_->so, nullptr, nullptr, &whole, &from));
  EXPECT_TRUE(Sent().empty());
}

TEST_F(BltTest, EmptyInvertedAndHugeRectanglesPrintOrFailCleanly) {
  TestBitmap source(4, 4, BMF_24BPP);
  POINTL origin{0, 0};
  const struct {
    const char* what;
    RECTL target;
    BOOL result;
    const char* opcodes;
  } rows[] = {
      {"empty", {5, 5, 5, 9}, TRUE, "32 31 30"},
      {"inverted, drawn in order", {9, 9, 5, 5}, TRUE, "32 31 30 20"},
      {"huge, converted and refused", {0, 0, 0x40000000, 0x40000000}, FALSE, "32 31 30"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FreshPage();
    RECTL target = row.target;
    EXPECT_EQ(DrvBitBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, &target, &origin, nullptr, nullptr, nullptr,
                        0xCCCC),
              row.result);
    EXPECT_EQ(ToHex(Opcodes(Sent())), row.opcodes);
  }
  FreshPage();
  RECTL inverted{9, 9, 5, 5};
  ASSERT_TRUE(DrvBitBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, &inverted, &origin, nullptr, nullptr, nullptr,
                        0xCCCC));
  const jobstream::Fields image = Find(Sent(), 0x20);
  EXPECT_EQ(image.Value("x"), 5);
  EXPECT_EQ(image.Value("cx"), 4);
}

TEST_F(BltTest, AClipOfThousandsOfRectanglesGoesAsOnePath) {
  RECTL target{0, 0, 6000, 4};
  auto clip = MakeClip(ClipKind::kComplex, target, 99, 3000);
  auto brush = plat::eng::Brush::Solid(0, 0);
  FreshPage();
  ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                        0xF0F0));
  ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                        0xF0F0));
  const auto records = Sent();
  EXPECT_EQ(ToHex(Opcodes(records)), "40 30 32 31 12 10 10") << "the same region is sent once";
  EXPECT_EQ(jobstream::ReadFields(records[4]).subpaths.size(), 3000u);
}

TEST_F(BltTest, AClipGoesAgainInEachNewDisplayList) {
  // The page number alone does not tell: a second document starts again
  // at page 1.
  RECTL target{0, 0, 40, 40};
  auto clip = MakeClip(ClipKind::kRect, target, 5);
  auto brush = plat::eng::Brush::Solid(0, 0);
  for (int list = 0; list < 2; ++list) {
    SCOPED_TRACE(list);
    Clear();
    pdev_->lastSent = DrawingState{};
    ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                          0xF0F0));
    EXPECT_EQ(ToHex(Opcodes(Sent())), "40 30 32 31 10 10");
  }
}

TEST_F(BltTest, AClipStillHeldIsResetInTheNextDisplayList) {
  // A list started again in mid-page leaves the printer holding the clip
  // sent before: the first drawing without one resets it, once.
  RECTL target{0, 0, 40, 40};
  auto clip = MakeClip(ClipKind::kRect, target, 5);
  auto none = MakeClip(ClipKind::kNone, target, 0);
  auto brush = plat::eng::Brush::Solid(0, 0);
  FreshPage();
  ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                        0xF0F0));
  Clear();
  for (int blt = 0; blt < 2; ++blt) {
    ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, &none, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                          0xF0F0));
  }
  EXPECT_EQ(ToHex(Opcodes(Sent())), "37 10 10");
}

TEST_F(BltTest, AnImageWhoseLinesCannotAllBeHadLeavesNoHalfRecord) {
  // A 24-bit source sent unscaled line by line, 12 KB of lines: more than
  // the display list's first chunk holds, so a second one must be had.
  TestBitmap source(64, 64, BMF_24BPP);
  RECTL src{0, 0, 64, 64}, dest{0, 0, 128, 128};
  const struct {
    std::size_t failAt;  // 0: nothing fails
    bool sent;
  } rows[] = {{1, false}, {0, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.failAt);
    FreshPage();
    ASSERT_NE(DlClipRect(pdev_, &dest), nullptr);
    plat::FailAllocationAt(row.failAt);
    BYTE* record = ForcibleStretchBltDirect(pdev_, source.so(), &src, &dest, nullptr, TRUE);
    plat::FailAllocationAt(0);
    EXPECT_EQ(record != nullptr, row.sent);
    ASSERT_NE(DlClipRect(pdev_, &src), nullptr) << "the list goes on after the withdrawn record";
    EXPECT_EQ(ToHex(Opcodes(Sent())), row.sent ? "10 20 10" : "10 10");
  }
}

TEST_F(BltTest, TheHiddenSwitchDrawsNothingAndABadPdevIsRefused) {
  TestBitmap source(4, 4, BMF_24BPP);
  RECTL target{0, 0, 4, 4};
  POINTL origin{0, 0};
  FreshPage();
  pdev_->hiddenFunc18 = 1;
  EXPECT_TRUE(DrvBitBlt(dc_->so, source.so(), nullptr, nullptr, nullptr, &target, &origin, nullptr, nullptr, nullptr,
                        0xCCCC));
  EXPECT_TRUE(DrvCopyBits(dc_->so, source.so(), nullptr, nullptr, &target, &origin));
  EXPECT_TRUE(Sent().empty());
  pdev_->hiddenFunc18 = 0;
  EngSetLastError(0);
  EXPECT_FALSE(DrvBitBlt(source.so(), source.so(), nullptr, nullptr, nullptr, &target, &origin, nullptr, nullptr,
                         nullptr, 0xCCCC));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(DrvDitherColor(dc_->device.dhpdev, 0, 0x123456, nullptr), 2u);
}

}  // namespace
}  // namespace render_test
