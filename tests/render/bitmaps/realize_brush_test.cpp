// Brush realization: hatches four times as large, two-colour 8 x 8 patterns
// twice as large, colour patterns of every depth repeated or scaled, every
// pattern upright whichever way it lies, patterns of other sizes read only
// within their own bits, and the realized brush sent with a fill.
#include <cstring>

#include "platform/base/winerror.h"
#include "render/bitmaps/brush_realization.h"
#include "render/records/drawing_state.h"
#include "tests/render/bitmaps/bitmap_fixture.h"

namespace render_test {
namespace {

class RealizeTest : public RecordTest {
 protected:
  // The engine asks the driver's table for the realization.
  void SetUp() override {
    RecordTest::SetUp();
    dc_->device.functions[INDEX_DrvRealizeBrush] = reinterpret_cast<PFN>(&DrvRealizeBrush);
  }
  // The driver's realization of the brush, asked as the engine asks it.
  const BrushRecord* Realized(plat::eng::Brush& brush) {
    brush.SetTarget(dc_->so);
    return static_cast<const BrushRecord*>(BRUSHOBJ_pvGetRbrush(&brush));
  }
  // The realization of a pattern brush, which must be of the kind; the
  // brush lives as long as the test.
  const BrushRecord* RealizedPattern(SURFOBJ* pattern, std::unique_ptr<plat::eng::Xlate> xlate, USHORT kind) {
    brushes_.push_back(plat::eng::Brush::Pattern(pattern, std::move(xlate)));
    const BrushRecord* realized = Realized(*brushes_.back());
    EXPECT_NE(realized, nullptr);
    if (realized != nullptr) {
      EXPECT_EQ(realized->kind, kind);
    }
    return realized;
  }
  static const BYTE* Pixels(const BrushRecord* brush) { return BrushPattern(brush); }
  static ULONG Row(const BrushRecord* brush, int r) {
    const BYTE* p = Pixels(brush) + 4 * r;
    return ULONG{p[0]} << 24 | ULONG{p[1]} << 16 | ULONG{p[2]} << 8 | p[3];
  }
  static Bytes ColorPixel(const BrushRecord* brush, int x, int y) {
    const BYTE* p = Pixels(brush) + 96 * y + 3 * x;
    return Bytes(p, p + 3);
  }

 private:
  std::vector<std::unique_ptr<plat::eng::Brush>> brushes_;
};

// Each bit of the byte as four.
ULONG FourTimes(BYTE b) {
  ULONG out = 0;
  for (int i = 7; i >= 0; --i) out = out << 4 | ((b >> i) & 1 ? 0xF : 0);
  return out;
}

TEST_F(RealizeTest, AHatchIsItsEightByEightPatternFourTimesAsLarge) {
  for (ULONG style = 0; style < HS_DDI_MAX; ++style) {
    SCOPED_TRACE(style);
    auto brush = plat::eng::Brush::Hatch(style, plat::eng::Palette::Bgr(), 0x0000FF, 0xFFFFFF);
    const BrushRecord* realized = Realized(*brush);
    ASSERT_NE(realized, nullptr);
    EXPECT_EQ(realized->kind, 2);
    EXPECT_EQ(realized->bitDepth, 1);
    EXPECT_EQ(realized->patternSize, 32);
    EXPECT_EQ(realized->colors[0], plat::eng::Palette::Bgr().FromRgb(0x0000FF)) << "set bits: the foreground";
    EXPECT_EQ(realized->colors[1], plat::eng::Palette::Bgr().FromRgb(0xFFFFFF));
    for (int r = 0; r < 32; ++r) EXPECT_EQ(Row(realized, r), FourTimes(PredefineHatchedBrush[style][r / 4])) << r;
  }
  auto horizontal = plat::eng::Brush::Hatch(HS_HORIZONTAL, plat::eng::Palette::Bgr(), 0, 0xFFFFFF);
  const BrushRecord* realized = Realized(*horizontal);
  for (int r = 0; r < 32; ++r) EXPECT_EQ(Row(realized, r), r >= 16 && r < 20 ? 0xFFFFFFFFu : 0u) << r;
}

TEST_F(RealizeTest, AnUnknownHatchWithoutAPatternFailsWithAnError) {
  auto brush = plat::eng::Brush::Solid(0, 0);
  EngSetLastError(0);
  EXPECT_FALSE(DrvRealizeBrush(brush.get(), dc_->so, nullptr, nullptr, nullptr, HS_DDI_MAX + 1));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER);
  EngSetLastError(0);
  TestBitmap pattern(8, 8, BMF_1BPP);
  EXPECT_FALSE(DrvRealizeBrush(brush.get(), pattern.so(), pattern.so(), nullptr, nullptr, HS_DDI_MAX));
  EXPECT_EQ(EngGetLastError(), ERROR_INVALID_PARAMETER) << "not a surface of a PDEV";
}

TEST_F(RealizeTest, AOneBitEightByEightPatternIsTwiceAsLargeInBlackAndWhite) {
  for (bool topDown : {true, false}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    TestBitmap pattern(8, 8, BMF_1BPP, topDown);
    for (LONG y = 0; y < 8; ++y) *pattern.Line(y) = static_cast<BYTE>(0x80 >> y);  // a diagonal of bits 1
    auto brush = plat::eng::Brush::Pattern(pattern.so(), nullptr);
    const BrushRecord* realized = Realized(*brush);
    ASSERT_NE(realized, nullptr);
    EXPECT_EQ(realized->kind, 2);
    EXPECT_EQ(realized->colors[0], 0x000000u) << "bits 0 draw black";
    EXPECT_EQ(realized->colors[1], 0xFFFFFFu);
    for (int r = 0; r < 32; ++r) {
      const ULONG clear = 0xC000u >> (2 * ((r / 2) % 8));  // the display row's bit 1, twice as wide
      const ULONG half = ~clear & 0xFFFF;
      EXPECT_EQ(Row(realized, r), half << 16 | half) << r;
    }
  }
}

TEST_F(RealizeTest, AnEightByEightColourPatternOfTwoColoursBecomesATwoColourBrush) {
  TestBitmap pattern(8, 8, BMF_24BPP);
  for (LONG y = 0; y < 8; ++y) {
    for (LONG x = 0; x < 8; ++x) {
      BYTE* p = pattern.Line(y) + 3 * x;
      const bool first = x == 0;
      p[0] = first ? 0x11 : 0x44;
      p[1] = first ? 0x22 : 0x55;
      p[2] = first ? 0x33 : 0x66;
    }
  }
  auto two = plat::eng::Brush::Pattern(pattern.so(), nullptr);
  const BrushRecord* realized = Realized(*two);
  ASSERT_NE(realized, nullptr);
  EXPECT_EQ(realized->kind, 2);
  // Each the pixel's colour index: its bytes blue, green, red.
  EXPECT_EQ(realized->colors[0], 0x332211u);
  EXPECT_EQ(realized->colors[1], 0x665544u);
  EXPECT_EQ(Row(realized, 0), 0xC000C000u);
  // A third colour makes it a colour brush, repeated four times each way.
  pattern.Line(7)[23] = 0x99;
  auto three = plat::eng::Brush::Pattern(pattern.so(), nullptr);
  realized = Realized(*three);
  ASSERT_NE(realized, nullptr);
  EXPECT_EQ(realized->kind, 3);
  EXPECT_EQ(realized->bitDepth, 24);
  EXPECT_EQ(realized->colors[0], 0u);
  EXPECT_EQ(realized->colors[1], 0xFFFFFFu);
  for (int y = 0; y < 32; y += 9) {
    for (int x = 0; x < 32; x += 5) EXPECT_EQ(ColorPixel(realized, x, y), Bytes(pattern.Line(y % 8) + 3 * (x % 8), pattern.Line(y % 8) + 3 * (x % 8) + 3));
  }
}

TEST_F(RealizeTest, PatternsOfEveryDepthAreReadByTheirOwnSize) {
  // 3 x 5 patterns in blocks of exactly their size: a read as 8 x 8 would
  // pass their end. Pixel (x, y) of the realization is (x mod 3, y mod 5).
  const struct {
    const char* what;
    ULONG format;
  } rows[] = {{"4 bit", BMF_4BPP}, {"16 bit", BMF_16BPP}, {"32 bit", BMF_32BPP}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TestBitmap pattern(3, 5, row.format);
    pattern.Numbered();
    std::vector<ULONG> colors;
    for (ULONG i = 0; i < 16; ++i) colors.push_back(i * 0x0F0E0D);
    auto xlate = row.format == BMF_4BPP ? ToDevice(colors) : nullptr;
    XLATEOBJ* table = xlate.get();
    const BrushRecord* realized = RealizedPattern(pattern.so(), std::move(xlate), 3);
    ASSERT_NE(realized, nullptr);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const BYTE* p = pattern.Line(y % 5);
        Bytes expected(3);
        if (row.format == BMF_4BPP) {
          const ULONG index = (p[(x % 3) / 2] >> ((x % 3) % 2 ? 0 : 4)) & 0xF;
          const ULONG c = table->pulXlate[index];  // 0x00RRGGBB: stored blue, green, red
          expected = {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16)};
        } else if (row.format == BMF_16BPP) {
          const ULONG v = p[2 * (x % 3)] | p[2 * (x % 3) + 1] << 8;
          for (int i = 0; i < 3; ++i) expected[i] = static_cast<BYTE>(((v >> (5 * i)) & 0x1F) * 255 >> 5);
        } else {
          expected.assign(p + 4 * (x % 3), p + 4 * (x % 3) + 3);
        }
        ASSERT_EQ(ColorPixel(realized, x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST_F(RealizeTest, AThreeByThreeEightBitPatternIsScaledToAnEightPixelTile) {
  TestBitmap pattern(3, 3, BMF_8BPP);
  for (LONG y = 0; y < 3; ++y) {
    for (LONG x = 0; x < 3; ++x) pattern.Line(y)[x] = static_cast<BYTE>(3 * y + x);
  }
  std::vector<ULONG> colors;
  for (ULONG i = 0; i < 9; ++i) colors.push_back(0x101010 * (i + 1));
  const BrushRecord* realized = RealizedPattern(pattern.so(), ToDevice(colors), 3);
  ASSERT_NE(realized, nullptr);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      // Nearest neighbour from 3 to 8 pixels, the tile repeated every 8.
      const int sx = ((x % 8) * 2 + 1) * 3 / 16, sy = ((y % 8) * 2 + 1) * 3 / 16;
      const BYTE level = static_cast<BYTE>(0x10 * (3 * sy + sx + 1));
      ASSERT_EQ(ColorPixel(realized, x, y), Bytes({level, level, level})) << x << "," << y;
    }
  }
}

TEST_F(RealizeTest, APatternUpsideDownInMemoryComesOutUpright) {
  for (ULONG format : {BMF_8BPP, BMF_24BPP}) {
    SCOPED_TRACE(format);
    TestBitmap down(8, 8, format, false), up(8, 8, format, true);
    for (LONG y = 0; y < 8; ++y) {
      for (LONG i = 0; i < 24; ++i) down.Line(y)[i % (format == BMF_8BPP ? 8 : 24)] = up.Line(y)[i % (format == BMF_8BPP ? 8 : 24)] = static_cast<BYTE>(y * 31 + i);
    }
    auto a = plat::eng::Brush::Pattern(down.so(), nullptr);
    auto b = plat::eng::Brush::Pattern(up.so(), nullptr);
    const BrushRecord* fromDown = Realized(*a);
    const BrushRecord* fromUp = Realized(*b);
    ASSERT_NE(fromDown, nullptr);
    ASSERT_NE(fromUp, nullptr);
    EXPECT_EQ(std::memcmp(Pixels(fromDown), Pixels(fromUp), kColorPatternBytes), 0);
  }
}

TEST_F(RealizeTest, AFormatWithoutABranchLeavesAZeroPattern) {
  Bytes bits(64, 0xAB);
  SURFOBJ pattern{};
  pattern.sizlBitmap = SIZEL{4, 4};
  pattern.pvBits = pattern.pvScan0 = bits.data();
  pattern.lDelta = 16;
  pattern.iBitmapFormat = BMF_JPEG;
  pattern.iType = STYPE_BITMAP;
  pattern.fjBitmap = BMF_TOPDOWN;
  auto brush = plat::eng::Brush::Pattern(&pattern, nullptr);
  const BrushRecord* realized = Realized(*brush);
  ASSERT_NE(realized, nullptr);
  EXPECT_EQ(realized->kind, 3);
  EXPECT_EQ(Bytes(Pixels(realized), Pixels(realized) + kColorPatternBytes), Bytes(kColorPatternBytes, 0));
}

TEST_F(RealizeTest, AFillWithAHatchSendsTheRealizedBrush) {
  auto brush = plat::eng::Brush::Hatch(HS_CROSS, plat::eng::Palette::Bgr(), 0xFF0000, 0xFFFFFF);
  RECTL target{0, 0, 64, 64};
  brush->SetTarget(dc_->so);  // as the engine does for the drawing call
  ASSERT_TRUE(DrvBitBlt(dc_->so, nullptr, nullptr, nullptr, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                        0xF0F0));
  const jobstream::Decoded decoded = ReadListed();
  ASSERT_TRUE(decoded.ok()) << decoded.error;
  ASSERT_EQ(ToHex(Opcodes(decoded.records)), "40 30 32 31 10");
  const jobstream::Fields define = jobstream::ReadFields(decoded.records[0]);
  ASSERT_TRUE(define.ok()) << define.error;
  EXPECT_EQ(define.Value("flags"), 0x80);
  EXPECT_EQ(define.Value("size"), 32);
  const Bytes& data = define.Blob("pattern");
  ASSERT_EQ(data.size(), 128u);
  EXPECT_EQ(Bytes(data.begin() + 64, data.begin() + 68), Bytes({0xFF, 0xFF, 0xFF, 0xFF})) << "row 16: the cross bar";
}

TEST_F(RealizeTest, AFillWhosePatternCannotBeRealizedFailsWithAnErrorAndSendsNothing) {
  SURFOBJ pattern{};  // a pattern without pixels
  pattern.sizlBitmap = SIZEL{8, 8};
  pattern.iBitmapFormat = BMF_8BPP;
  auto brush = plat::eng::Brush::Pattern(&pattern, nullptr);
  brush->SetTarget(dc_->so);
  RECTL target{0, 0, 16, 16};
  EngSetLastError(0);
  EXPECT_FALSE(DrvBitBlt(dc_->so, nullptr, nullptr, nullptr, nullptr, &target, nullptr, nullptr, brush.get(), nullptr,
                         0xF0F0));
  EXPECT_NE(EngGetLastError(), 0u);
  EXPECT_TRUE(ReadListed().records.empty());
}

}  // namespace
}  // namespace render_test
