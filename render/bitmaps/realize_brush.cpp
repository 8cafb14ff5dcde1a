// DrvRealizeBrush: hatch and pattern brushes as 32 x 32 brush records. The
// pattern is read through its first scan line and line delta, so every
// realization comes out upright whichever way the pattern lies in memory,
// and only the pixels the pattern holds are read.
#include <cstddef>
#include <cstring>

#include "platform/base/winerror.h"
#include "render/bitmaps/bitmap_transfer.h"
#include "render/bitmaps/brush_realization.h"
#include "render/bitmaps/transfer_support.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/drawing_state.h"

namespace {

constexpr LONG kTwoColorRowBytes = 4;
constexpr LONG kColorRowBytes = 3 * kBrushPixels;
constexpr LONG kSmallPattern = 8;  // the common 8 x 8 pattern

// The pixels of a pattern surface, in display order.
class Pattern {
 public:
  explicit Pattern(const SURFOBJ* pso)
      : scan0_(static_cast<const BYTE*>(pso->pvScan0)),
        delta_(pso->lDelta),
        width_(pso->sizlBitmap.cx),
        height_(pso->sizlBitmap.cy),
        format_(pso->iBitmapFormat) {}
  bool usable() const { return scan0_ != nullptr && width_ > 0 && height_ > 0; }
  bool small() const { return width_ == kSmallPattern && height_ == kSmallPattern; }
  ULONG format() const { return format_; }
  // The first byte of pixel (x mod width, y mod height) and, for formats
  // under a byte a pixel, the pixel's value.
  const BYTE* At(LONG x, LONG y, LONG bytesPerPixel) const {
    return Line(y) + static_cast<std::ptrdiff_t>(x % width_) * bytesPerPixel;
  }
  ULONG Index(LONG x, LONG y, ULONG bits) const {
    const LONG px = x % width_;
    const BYTE byte = Line(y)[px * static_cast<LONG>(bits) / 8];
    const ULONG shift = 8 - bits - (px * bits) % 8;
    return (byte >> shift) & ((1u << bits) - 1);
  }

 private:
  const BYTE* Line(LONG y) const { return scan0_ + static_cast<std::ptrdiff_t>(y % height_) * delta_; }

  const BYTE* scan0_;
  LONG delta_;
  LONG width_;
  LONG height_;
  ULONG format_;
};

// A realization taken from the engine, zeroed, with its kind, colours and
// depth set; null when the engine cannot give one.
BrushRecord* NewRealization(BRUSHOBJ* pbo, USHORT kind, ULONG first, ULONG second) {
  const bool twoColors = kind == kBrushTwoColors;
  const ULONG bytes = sizeof(BrushRecord) + (twoColors ? kTwoColorPatternBytes : kColorPatternBytes);
  void* memory = BRUSHOBJ_pvAllocRbrush(pbo, bytes);
  if (memory == nullptr) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::memset(memory, 0, bytes);
  auto* brush = static_cast<BrushRecord*>(memory);
  brush->kind = kind;
  brush->colors[0] = first;
  brush->colors[1] = second;
  brush->bitDepth = twoColors ? 1 : 24;
  brush->patternSize = static_cast<USHORT>(kBrushPixels);
  return brush;
}

BYTE* PatternOf(BrushRecord* brush) { return reinterpret_cast<BYTE*>(brush + 1); }

// Each bit of the byte as factor equal bits, the most significant first.
ULONG Magnify(BYTE bits, int factor) {
  ULONG out = 0;
  for (int b = 7; b >= 0; --b) {
    const ULONG bit = (bits >> b) & 1;
    for (int k = 0; k < factor; ++k) out = out << 1 | bit;
  }
  return out;
}

void StoreRow(BYTE* row, ULONG bits) {
  for (int i = 0; i < kTwoColorRowBytes; ++i) row[i] = static_cast<BYTE>(bits >> (8 * (kTwoColorRowBytes - 1 - i)));
}

// A hatch: the 8 x 8 hatch four times as large.
void FillHatch(BYTE* out, ULONG style) {
  for (LONG r = 0; r < kBrushPixels; ++r) StoreRow(out + r * kTwoColorRowBytes, Magnify(PredefineHatchedBrush[style][r / 4], 4));
}

// An 8 x 8 two-colour pattern given as eight row bytes: twice as large,
// twice across.
void FillSmallTwoColor(BYTE* out, const BYTE rows[8]) {
  for (LONG r = 0; r < kBrushPixels; ++r) {
    const ULONG half = Magnify(rows[(r / 2) % 8], 2);
    StoreRow(out + r * kTwoColorRowBytes, half << 16 | half);
  }
}

// A one-bit pattern of another size repeated: a set bit where the pattern's
// bit is clear (index 0 is the first colour).
void FillRepeatedOneBit(BYTE* out, const Pattern& pattern) {
  for (LONG y = 0; y < kBrushPixels; ++y) {
    for (LONG x = 0; x < kBrushPixels; ++x) {
      if (pattern.Index(x, y, 1) == 0) out[y * kTwoColorRowBytes + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
}

ULONG SwapRedBlue(ULONG color) { return (color & 0x00FF00) | (color >> 16 & 0xFF) | (color & 0xFF) << 16; }

// The three bytes of the realization's pixel (x, y) from a pattern pixel.
void ColorPixel(BYTE* at, const Pattern& pattern, LONG x, LONG y, XLATEOBJ* pxlo) {
  switch (pattern.format()) {
    case BMF_4BPP:
    case BMF_8BPP: {
      const ULONG bits = pattern.format() == BMF_4BPP ? 4 : 8;
      ULONG color = bitmaps::TranslatedColor(pxlo, pattern.Index(x, y, bits), 1u << bits);
      BGRtoRGB(&color);
      at[0] = static_cast<BYTE>(color >> 16);
      at[1] = static_cast<BYTE>(color >> 8);
      at[2] = static_cast<BYTE>(color);
      return;
    }
    case BMF_16BPP: {
      const BYTE* p = pattern.At(x, y, 2);
      const ULONG v = p[0] | p[1] << 8;
      for (int i = 0; i < 3; ++i) at[i] = static_cast<BYTE>(((v >> (5 * i)) & 0x1F) * 255 >> 5);
      return;
    }
    case BMF_24BPP:
    case BMF_32BPP:
      std::memcpy(at, pattern.At(x, y, pattern.format() == BMF_24BPP ? 3 : 4), 3);
      return;
    default:
      return;  // no pixels for a format without a branch: the pattern stays zero
  }
}

void FillRepeatedColor(BYTE* out, const Pattern& pattern, XLATEOBJ* pxlo) {
  for (LONG y = 0; y < kBrushPixels; ++y) {
    for (LONG x = 0; x < kBrushPixels; ++x) ColorPixel(out + y * kColorRowBytes + 3 * x, pattern, x, y, pxlo);
  }
}

// The eight row bytes of an 8 x 8 pattern that has two colours, and the
// colours (first: set bits); false when it has more.
bool SmallTwoColorRows(const Pattern& pattern, const SURFOBJ* pso, XLATEOBJ* pxlo, BYTE rows[8], ULONG colors[2]) {
  if (pattern.format() == BMF_1BPP) {
    for (LONG r = 0; r < kSmallPattern; ++r) rows[r] = static_cast<BYTE>(~*pattern.At(0, r, 1));
    colors[0] = bitmaps::TranslatedColor(pxlo, 0, 2);
    colors[1] = bitmaps::TranslatedColor(pxlo, 1, 2);
    return true;
  }
  // The packed run of 64 pixels of 3 bytes, wherever the lines start.
  const LONG packed = 3 * kSmallPattern;
  if (pattern.format() != BMF_24BPP || (pso->lDelta != packed && pso->lDelta != -packed) || pso->pvBits == nullptr) {
    return false;
  }
  ULONG found[2] = {};
  if (!check_two_colors(static_cast<const BYTE*>(pso->pvBits), pso->iBitmapFormat, found)) return false;
  for (LONG r = 0; r < kSmallPattern; ++r) {
    rows[r] = 0;
    for (LONG x = 0; x < kSmallPattern; ++x) {
      const BYTE* p = pattern.At(x, r, 3);
      const ULONG value = ULONG{p[0]} << 16 | ULONG{p[1]} << 8 | p[2];
      if (value == found[0]) rows[r] |= static_cast<BYTE>(0x80 >> x);
    }
  }
  colors[0] = SwapRedBlue(found[0]);
  colors[1] = SwapRedBlue(found[1]);
  return true;
}

BOOL Realize(PDEV* pdev, BRUSHOBJ* pbo, SURFOBJ* psoPattern, XLATEOBJ* pxlo, ULONG iHatch) {
  if (iHatch < HS_DDI_MAX || psoPattern == nullptr) {
    if (iHatch >= HS_DDI_MAX) {
      EngSetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    BrushRecord* brush = NewRealization(pbo, kBrushTwoColors, bitmaps::TranslatedColor(pxlo, 1, 2),
                                        bitmaps::TranslatedColor(pxlo, 0, 2));
    if (brush == nullptr) return FALSE;
    FillHatch(PatternOf(brush), iHatch);
    return TRUE;
  }
  const Pattern pattern(psoPattern);
  if (!pattern.usable()) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BYTE rows[8] = {};
  ULONG colors[2] = {};
  if (pattern.small() && SmallTwoColorRows(pattern, psoPattern, pxlo, rows, colors)) {
    BrushRecord* brush = NewRealization(pbo, kBrushTwoColors, colors[0], colors[1]);
    if (brush == nullptr) return FALSE;
    FillSmallTwoColor(PatternOf(brush), rows);
    return TRUE;
  }
  if (pattern.format() == BMF_1BPP) {
    BrushRecord* brush = NewRealization(pbo, kBrushTwoColors, bitmaps::TranslatedColor(pxlo, 0, 2),
                                        bitmaps::TranslatedColor(pxlo, 1, 2));
    if (brush == nullptr) return FALSE;
    FillRepeatedOneBit(PatternOf(brush), pattern);
    return TRUE;
  }
  BrushRecord* brush = NewRealization(pbo, kBrushColors, 0, 0xFFFFFF);
  if (brush == nullptr) return FALSE;
  const ULONG format = pattern.format();
  const bool scaled = !pattern.small() && (format == BMF_8BPP || format == BMF_24BPP) &&
                      Create32ColorPattern(pdev, psoPattern, format == BMF_8BPP ? pxlo : nullptr, PatternOf(brush));
  if (!scaled) FillRepeatedColor(PatternOf(brush), pattern, pxlo);
  return TRUE;
}

}  // namespace

BOOL check_two_colors(const BYTE* pixels, ULONG format, ULONG colors[2]) {
  if (format != BMF_24BPP || pixels == nullptr) return FALSE;
  colors[0] = ULONG{pixels[0]} << 16 | ULONG{pixels[1]} << 8 | pixels[2];
  colors[1] = 0;
  bool second = false;
  for (LONG i = 1; i < kSmallPattern * kSmallPattern; ++i) {
    const BYTE* p = pixels + 3 * i;
    const ULONG value = ULONG{p[0]} << 16 | ULONG{p[1]} << 8 | p[2];
    if (value == colors[0] || (second && value == colors[1])) continue;
    if (second) return FALSE;
    colors[1] = value;
    second = true;
  }
  return TRUE;
}

BOOL Create32ColorPattern(PDEV* pdev, SURFOBJ* pattern, XLATEOBJ* pxlo, BYTE* out) {
  const LONG width = pattern->sizlBitmap.cx, height = pattern->sizlBitmap.cy;
  if (width == kSmallPattern && height == kSmallPattern) return FALSE;
  const LONG tile = width <= 2 ? 4 : width <= 4 ? 8 : width > 10 ? 32 : 16;
  bitmaps::TempBitmap bitmap(pdev, tile, tile, BMF_24BPP);
  if (bitmap.get() == nullptr) return FALSE;
  RECTL target{0, 0, tile, tile};
  RECTL source{0, 0, width, height};
  if (!EngStretchBlt(bitmap.get(), pattern, nullptr, nullptr, pxlo, nullptr, nullptr, &target, &source, nullptr,
                     COLORONCOLOR)) {
    return FALSE;
  }
  const Pattern tiled(bitmap.get());
  for (LONG y = 0; y < kBrushPixels; ++y) {
    for (LONG x = 0; x < kBrushPixels; ++x) std::memcpy(out + y * kColorRowBytes + 3 * x, tiled.At(x, y, 3), 3);
  }
  return TRUE;
}

BOOL DrvRealizeBrush(BRUSHOBJ* pbo, SURFOBJ* psoTarget, SURFOBJ* psoPattern, SURFOBJ*, XLATEOBJ* pxlo, ULONG iHatch) {
  PDEV* pdev = CheckedPdev(psoTarget);
  if (pdev == nullptr) return FALSE;
  if (pbo == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Realize(pdev, pbo, psoPattern, pxlo, iHatch);
}
