// Drawing on memory DCs: raster operations bit by bit, colour conversion
// between monochrome and colour, DIBs with their colour tables, clipping and
// the state stack, shapes and their edges.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"

namespace kesm_test {
namespace {

// A memory DC drawing on a top-down DIB section of its own.
class DibDc {
 public:
  DibDc(int width, int height, WORD bits, std::vector<COLORREF> colors = {}) {
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0,
                               static_cast<DWORD>(colors.size()), 0};
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (std::size_t i = 0; i < colors.size(); ++i) {
      table[i] = RGBQUAD{GetBValue(colors[i]), GetGValue(colors[i]), GetRValue(colors[i]), 0};
    }
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~DibDc() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  BYTE* bits() const { return static_cast<BYTE*>(bits_); }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

const std::vector<COLORREF> kMono = {RGB(0, 0, 0), RGB(255, 255, 255)};

// Pixel i of one monochrome line, leftmost first.
int Bit(BYTE line, int i) { return (line >> (7 - i)) & 1; }

// Eight pixels where pixel i holds pattern bit 2, source bit 1 and
// destination bit 0 of i: the result of a ternary operation there is bit i
// of its code.
struct TruthTable {
  DibDc target{8, 1, 1, kMono};
  DibDc source{8, 1, 1, kMono};
  HBITMAP patternBits = nullptr;
  HBRUSH pattern = nullptr;

  TruthTable() {
    source.bits()[0] = 0x33;  // 0 0 1 1 0 0 1 1
    const BYTE rows[16] = {0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0, 0x0F, 0};
    patternBits = CreateBitmap(8, 8, 1, 1, rows);  // 0 0 0 0 1 1 1 1
    pattern = CreatePatternBrush(patternBits);
    SelectObject(target.dc(), pattern);
  }
  ~TruthTable() {
    SelectObject(target.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(pattern);
    DeleteObject(patternBits);
  }
  void ResetTarget() { target.bits()[0] = 0x55; }  // 0 1 0 1 0 1 0 1
};

TEST(RasterTest, EveryTernaryOperationOfBitBltFollowsItsTruthTable) {
  TruthTable t;
  for (int rop3 = 0; rop3 < 256; ++rop3) {
    t.ResetTarget();
    ASSERT_TRUE(BitBlt(t.target.dc(), 0, 0, 8, 1, t.source.dc(), 0, 0, static_cast<DWORD>(rop3) << 16));
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(Bit(t.target.bits()[0], i), (rop3 >> i) & 1) << "rop " << rop3 << " pixel " << i;
    }
  }
}

TEST(RasterTest, PatBltOperationsWithoutASource) {
  struct Case {
    DWORD rop;
    BYTE expected;  // the line after, leftmost pixel in the top bit
  };
  // Destination 0 1 0 1 0 1 0 1, pattern 0 0 0 0 1 1 1 1.
  const Case cases[] = {
      {DSTINVERT, 0xAA}, {0x00A000C9, 0x05}, {0x00FA0089, 0x5F}, {PATCOPY, 0x0F},
      {PATINVERT, 0x5A}, {BLACKNESS, 0x00}, {WHITENESS, 0xFF},
  };
  TruthTable t;
  for (const Case& c : cases) {
    t.ResetTarget();
    ASSERT_TRUE(PatBlt(t.target.dc(), 0, 0, 8, 1, c.rop));
    EXPECT_EQ(t.target.bits()[0], c.expected) << std::hex << c.rop;
  }
  EXPECT_FALSE(PatBlt(t.target.dc(), 0, 0, 8, 1, SRCCOPY));  // needs a source
}

TEST(RasterTest, MonochromeToColourTakesTheTargetsTextAndBackgroundColours) {
  const BYTE line[2] = {0x50, 0};  // 0 1 0 1
  HBITMAP bitmap = CreateBitmap(4, 1, 1, 1, line);
  HDC mono = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mono, bitmap);
  DibDc colour(4, 1, 32);
  SetTextColor(colour.dc(), RGB(200, 0, 0));
  SetBkColor(colour.dc(), RGB(0, 0, 100));
  ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 4, 1, mono, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(colour.dc(), 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(colour.dc(), 1, 0), RGB(0, 0, 100));
  EXPECT_EQ(GetPixel(colour.dc(), 2, 0), RGB(200, 0, 0));
  SelectObject(mono, old);
  DeleteObject(bitmap);
  DeleteDC(mono);
}

TEST(RasterTest, MonochromeDibSectionKeepsItsColourTableOnColour) {
  DibDc mono(2, 1, 1, {RGB(0, 0, 128), RGB(255, 128, 0)});
  mono.bits()[0] = 0x40;  // 0 1
  DibDc colour(2, 1, 32);
  SetTextColor(colour.dc(), RGB(200, 0, 0));
  ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 2, 1, mono.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(colour.dc(), 0, 0), RGB(0, 0, 128));
  EXPECT_EQ(GetPixel(colour.dc(), 1, 0), RGB(255, 128, 0));
}

TEST(RasterTest, RegionsKeepOneFormWhateverTheirHistory) {
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN b = CreateRectRgn(2, 0, 6, 4);
  HRGN c = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(CombineRgn(c, a, b, RGN_OR), SIMPLEREGION);
  RECT box{};
  EXPECT_EQ(GetRgnBox(c, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(CombineRgn(c, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(c, 3, 1));
  EXPECT_TRUE(PtInRegion(c, 5, 1));
  EXPECT_EQ(CombineRgn(c, a, b, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(CombineRgn(c, a, a, RGN_DIFF), NULLREGION);
  for (HRGN r : {a, b, c}) DeleteObject(r);
}

TEST(RasterTest, ColourToMonochromeKeysOnTheSourcesBackgroundColour) {
  DibDc colour(4, 1, 32);
  SetPixel(colour.dc(), 0, 0, RGB(10, 20, 30));
  SetPixel(colour.dc(), 1, 0, RGB(255, 255, 255));
  SetPixel(colour.dc(), 2, 0, RGB(10, 20, 30));
  SetPixel(colour.dc(), 3, 0, RGB(0, 0, 0));
  SetBkColor(colour.dc(), RGB(10, 20, 30));
  DibDc mono(4, 1, 1, kMono);
  ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(mono.bits()[0] & 0xF0, 0xA0);  // 1 0 1 0: white where the background colour was
}

TEST(RasterTest, SrcAndPaintAndMergePaintOnColours) {
  DibDc source(1, 1, 32);
  DibDc target(1, 1, 32);
  struct Case {
    DWORD rop;
    COLORREF expected;
  };
  const COLORREF s = RGB(0xF0, 0x0F, 0x33), d = RGB(0x3C, 0x3C, 0x55);
  const Case cases[] = {
      {SRCCOPY, s},
      {SRCAND, RGB(0x30, 0x0C, 0x11)},
      {SRCPAINT, RGB(0xFC, 0x3F, 0x77)},
      {SRCINVERT, RGB(0xCC, 0x33, 0x66)},
      {MERGEPAINT, RGB(0x3F, 0xFC, 0xDD)},  // ~S | D
  };
  for (const Case& c : cases) {
    SetPixel(source.dc(), 0, 0, s);
    SetPixel(target.dc(), 0, 0, d);
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop));
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), c.expected) << std::hex << c.rop;
  }
}

// A bitmap file of the fixtures: its header and colour table, and its bits.
struct BitmapFile {
  std::vector<BYTE> bytes;
  explicit BitmapFile(const char* name) {
    std::ifstream in(std::string(KESM_TEST_DATA) + "/gdi/" + name, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data() + 14); }
  const void* bits() const {
    DWORD offset = 0;
    std::memcpy(&offset, bytes.data() + 10, sizeof(offset));
    return bytes.data() + offset;
  }
};

TEST(RasterTest, DibsOfEveryDepthBlitWithTheirColourTables) {
  const COLORREF picture[2][4] = {
      {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)},
      {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)},
  };
  for (const char* name : {"direct_colours_24bpp.bmp", "scrambled_palette_8bpp.bmp", "scrambled_palette_4bpp.bmp"}) {
    BitmapFile file(name);
    ASSERT_GT(file.bytes.size(), 54u) << name;
    DibDc target(8, 4, 32);
    EXPECT_EQ(SetDIBitsToDevice(target.dc(), 0, 0, 4, 2, 0, 0, 0, 2, file.bits(), file.info(), DIB_RGB_COLORS), 2)
        << name;
    // Twice the size: each pixel becomes a 2 x 2 block.
    EXPECT_EQ(StretchDIBits(target.dc(), 0, 0, 8, 4, 0, 0, 4, 2, file.bits(), file.info(), DIB_RGB_COLORS, SRCCOPY), 2)
        << name;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(GetPixel(target.dc(), x, y), picture[y / 2][x / 2]) << name << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterTest, MonochromeDibKeepsItsOwnTwoColours) {
  BitmapFile file("two_colours_1bpp.bmp");
  ASSERT_GT(file.bytes.size(), 54u);
  DibDc target(4, 2, 32);
  ASSERT_EQ(SetDIBitsToDevice(target.dc(), 0, 0, 4, 2, 0, 0, 0, 2, file.bits(), file.info(), DIB_RGB_COLORS), 2);
  const COLORREF navy = RGB(0, 0, 128), orange = RGB(255, 128, 0);
  const COLORREF expected[2][4] = {{navy, orange, navy, orange}, {orange, orange, navy, navy}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(target.dc(), x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(RasterTest, EightBitTargetTakesTheNearestColourOfItsTable) {
  DibDc target(2, 1, 8, {RGB(0, 0, 0), RGB(250, 0, 0), RGB(0, 0, 250)});
  EXPECT_EQ(GetNearestColor(target.dc(), RGB(255, 10, 10)), RGB(250, 0, 0));
  EXPECT_EQ(SetPixel(target.dc(), 0, 0, RGB(20, 20, 240)), RGB(0, 0, 250));
  EXPECT_EQ(target.bits()[0], 2);
}

TEST(RasterTest, ClipRectanglesAndTheStateStack) {
  DibDc target(10, 1, 32);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT all{0, 0, 10, 1};
  FillRect(target.dc(), &all, white);
  const int saved = SaveDC(target.dc());
  EXPECT_EQ(IntersectClipRect(target.dc(), 2, 0, 8, 1), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(target.dc(), 4, 0, 6, 1), COMPLEXREGION);
  RECT box{};
  EXPECT_EQ(GetClipBox(target.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 8);
  FillRect(target.dc(), &all, black);
  const char* after = "..XX..XX..";
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(GetPixel(target.dc(), x, 0) == RGB(0, 0, 0), after[x] == 'X') << x;
  }
  RestoreDC(target.dc(), saved);
  FillRect(target.dc(), &all, black);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(GetPixel(target.dc(), x, 0), RGB(0, 0, 0)) << x;
}

TEST(RasterTest, SelectedClipRegionIsACopy) {
  DibDc target(6, 1, 32);
  HRGN region = CreateRectRgn(1, 0, 3, 1);
  EXPECT_EQ(SelectClipRgn(target.dc(), region), SIMPLEREGION);
  HRGN other = CreateRectRgn(0, 0, 6, 1);
  EXPECT_EQ(CombineRgn(region, region, other, RGN_OR), SIMPLEREGION);  // changes the region, not the clip
  const RECT all{0, 0, 6, 1};
  FillRect(target.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(target.dc(), x, 0) != CLR_INVALID, x == 1 || x == 2) << x;
  EXPECT_EQ(SelectClipRgn(target.dc(), nullptr), SIMPLEREGION);
  EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 0));
  DeleteObject(region);
  DeleteObject(other);
}

TEST(RasterTest, LinesLeaveTheirLastPixelAndXorTwiceRestores) {
  DibDc target(6, 1, 32);
  SelectObject(target.dc(), GetStockObject(WHITE_PEN));
  MoveToEx(target.dc(), 0, 0, nullptr);
  ASSERT_TRUE(LineTo(target.dc(), 5, 0));
  for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(target.dc(), x, 0), x < 5 ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x;
  POINT at{};
  GetCurrentPositionEx(target.dc(), &at);
  EXPECT_EQ(at.x, 5);
  SetROP2(target.dc(), R2_XORPEN);
  MoveToEx(target.dc(), 0, 0, nullptr);
  LineTo(target.dc(), 3, 0);
  EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 4, 0), RGB(255, 255, 255));
}

TEST(RasterTest, RectangleFramesWithThePenAndFillsWithTheBrush) {
  DibDc target(6, 6, 32);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(target.dc(), red);
  SelectObject(target.dc(), blue);
  ASSERT_TRUE(Rectangle(target.dc(), 0, 0, 5, 5));
  EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 4, 4), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(target.dc(), 5, 5), RGB(0, 0, 0));  // right and bottom are outside
  // With the null pen the filled area is one pixel smaller.
  SelectObject(target.dc(), GetStockObject(NULL_PEN));
  SelectObject(target.dc(), GetStockObject(WHITE_BRUSH));
  Rectangle(target.dc(), 0, 0, 5, 5);
  EXPECT_EQ(GetPixel(target.dc(), 3, 3), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(target.dc(), 4, 4), RGB(255, 0, 0));
  SelectObject(target.dc(), GetStockObject(BLACK_PEN));
  SelectObject(target.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(red);
  DeleteObject(blue);
}

TEST(RasterTest, EllipseFillsItsMiddleAndLeavesTheCorners) {
  DibDc target(21, 21, 32);
  SelectObject(target.dc(), GetStockObject(WHITE_BRUSH));
  ASSERT_TRUE(Ellipse(target.dc(), 0, 0, 21, 21));
  EXPECT_EQ(GetPixel(target.dc(), 10, 10), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 20, 20), RGB(0, 0, 0));
}

TEST(RasterTest, HatchedBrushDrawsItsLinesInTheBrushColourOnTheBackground) {
  DibDc target(8, 8, 32);
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0));
  SetBkColor(target.dc(), RGB(0, 255, 0));
  const RECT all{0, 0, 8, 8};
  FillRect(target.dc(), &all, hatch);
  int lines = 0;
  for (int y = 0; y < 8; ++y) {
    const COLORREF first = GetPixel(target.dc(), 0, y);
    for (int x = 1; x < 8; ++x) EXPECT_EQ(GetPixel(target.dc(), x, y), first) << x << "," << y;
    EXPECT_TRUE(first == RGB(255, 0, 0) || first == RGB(0, 255, 0));
    lines += first == RGB(255, 0, 0);
  }
  EXPECT_GT(lines, 0);
  EXPECT_LT(lines, 8);
  DeleteObject(hatch);
}

TEST(RasterTest, StretchBltScalesAndMirrors) {
  DibDc source(2, 1, 32);
  SetPixel(source.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(source.dc(), 1, 0, RGB(0, 0, 255));
  DibDc target(4, 1, 32);
  ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 4, 1, source.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 2, 0), RGB(0, 0, 255));
  ASSERT_TRUE(StretchBlt(target.dc(), 3, 0, -4, 1, source.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(target.dc(), 3, 0), RGB(255, 0, 0));
}

TEST(RasterTest, InvertAndFocusRectanglesUndoThemselves) {
  DibDc target(6, 6, 32);
  const RECT all{0, 0, 6, 6};
  FillRect(target.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(InvertRect(target.dc(), &all));
  EXPECT_EQ(GetPixel(target.dc(), 3, 3), RGB(0, 0, 0));
  InvertRect(target.dc(), &all);
  ASSERT_TRUE(DrawFocusRect(target.dc(), &all));
  EXPECT_NE(GetPixel(target.dc(), 0, 0) == RGB(0, 0, 0), GetPixel(target.dc(), 1, 0) == RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(target.dc(), 3, 3), RGB(255, 255, 255));
  DrawFocusRect(target.dc(), &all);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(target.dc(), x, 0), RGB(255, 255, 255)) << x;
}

TEST(RasterTest, DibSectionDescribesItself) {
  DibDc target(5, 3, 24);
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(target.dc(), OBJ_BITMAP));
  DIBSECTION ds{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
  EXPECT_EQ(ds.dsBm.bmWidth, 5);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 16);  // lines padded to whole 32-bit words
  EXPECT_EQ(ds.dsBm.bmBits, target.bits());
  EXPECT_EQ(ds.dsBmih.biHeight, -3);
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmBitsPixel, 24);
}

TEST(RasterTest, BadDibHeadersAreRefused) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 4, 4, 1, 7, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);  // 7 bits
  info.bmiHeader.biBitCount = 4;
  info.bmiHeader.biClrUsed = 17;  // more colours than four bits index
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  info.bmiHeader.biClrUsed = 0;
  info.bmiHeader.biCompression = 2;  // run-length
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
}

}  // namespace
}  // namespace kesm_test
