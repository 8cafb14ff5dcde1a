#include "bench/render/page_images.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kesm_bench {

namespace {

constexpr int kDpi = 600;
constexpr int kPoints = 12;
constexpr std::uint32_t kPageWidth = 4960;   // A4 at 600 dpi
constexpr std::uint32_t kPageHeight = 7016;
constexpr int kMargin = kDpi;                // one inch all round

// Running text of ordinary office prose; repeated until the page is full.
constexpr std::string_view kProse =
    "The quarterly figures for the northern region were reviewed at the meeting on Tuesday. "
    "Sales of the new office printers rose by twelve percent, while service calls fell for the "
    "third month in a row. The committee asked for a short report on paper use in each department, "
    "with a comparison against last year and a proposal for double-sided printing by default. "
    "Questions about the budget (items 4.2 to 4.7) will be answered in writing before 15 March; "
    "please send any further comments to the office manager. ";

std::uint32_t RowBytes(std::uint32_t width) { return (width + 7) / 8; }

// Sets the pixels of a glyph onto the page where its top-left lands;
// anything outside the page is left off.
void Place(OneBitPage& page, const GlyphBitmap& glyph, std::uint32_t width, long left, long top) {
  for (std::uint32_t y = 0; y < glyph.lines; ++y) {
    const long py = top + static_cast<long>(y);
    if (py < 0 || py >= static_cast<long>(page.lines)) continue;
    for (std::uint32_t x = 0; x < width; ++x) {
      if ((glyph.bits[y * glyph.bytesPerLine + x / 8] & (0x80 >> (x % 8))) == 0) continue;
      const long px = left + static_cast<long>(x);
      if (px < 0 || px >= static_cast<long>(kPageWidth)) continue;
      page.bits[static_cast<std::size_t>(py) * page.bytesPerLine + static_cast<std::size_t>(px) / 8] |=
          static_cast<std::uint8_t>(0x80 >> (px % 8));
    }
  }
}

OneBitPage BlankPage() {
  OneBitPage page;
  page.bytesPerLine = (kPageWidth + 31) / 32 * 4;
  page.lines = kPageHeight;
  page.bits.assign(static_cast<std::size_t>(page.bytesPerLine) * page.lines, 0);
  return page;
}

// One character's bitmap in the engine's packing, from FreeType's
// monochrome rendering (whose rows may be padded further).
GlyphBitmap Pack(const FT_Bitmap& bitmap) {
  GlyphBitmap glyph;
  glyph.bytesPerLine = RowBytes(bitmap.width);
  glyph.lines = bitmap.rows;
  glyph.bits.resize(static_cast<std::size_t>(glyph.bytesPerLine) * glyph.lines);
  for (std::uint32_t y = 0; y < glyph.lines; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::copy_n(row, glyph.bytesPerLine, glyph.bits.begin() + y * glyph.bytesPerLine);
  }
  return glyph;
}

TextPage MakePageOfText() {
  TextPage result;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    result.error = "FreeType does not start";
    return result;
  }
  FT_Face face = nullptr;
  if (FT_New_Face(library, KESM_TEXT_FONT, 0, &face) != 0) {
    FT_Done_FreeType(library);
    result.error = "the font " KESM_TEXT_FONT " is missing";
    return result;
  }
  FT_Set_Char_Size(face, 0, kPoints * 64, kDpi, kDpi);
  const long lineHeight = face->size->metrics.height >> 6;
  const long ascent = face->size->metrics.ascender >> 6;

  result.page = BlankPage();
  const long right = static_cast<long>(kPageWidth) - kMargin;
  const long bottom = static_cast<long>(kPageHeight) - kMargin;
  auto advance = [&](char c) {
    return FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_TARGET_MONO) == 0 ? face->glyph->advance.x >> 6
                                                                                        : 0;
  };
  auto draw = [&](char c, long penX, long baseline) {
    if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.width == 0 || slot->bitmap.rows == 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
    GlyphBitmap glyph = Pack(slot->bitmap);
    Place(result.page, glyph, slot->bitmap.width, penX + slot->bitmap_left, baseline - slot->bitmap_top);
    result.glyphBytes += glyph.bits.size();
    result.glyphs.push_back(std::move(glyph));
  };

  // The prose word by word, wrapped at the right margin, until the page is
  // full.
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < kProse.size();) {
    const std::size_t end = std::min(kProse.find(' ', at), kProse.size());
    if (end > at) words.push_back(kProse.substr(at, end - at));
    at = end + 1;
  }
  const long space = advance(' ');
  long penX = kMargin;
  long baseline = kMargin + ascent;
  for (std::size_t w = 0; baseline <= bottom; w = (w + 1) % words.size()) {
    long width = 0;
    for (char c : words[w]) width += advance(c);
    if (penX > kMargin && penX + width > right) {
      penX = kMargin;
      baseline += lineHeight;
      if (baseline > bottom) break;
    }
    for (char c : words[w]) {
      draw(c, penX, baseline);
      penX += advance(c);
    }
    penX += space;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return result;
}

// A smooth gradient of ink coverage over the page, 0.05 to 0.95.
double Coverage(std::uint32_t x, std::uint32_t y) { return 0.5 + 0.45 * std::sin(x / 350.0) * std::cos(y / 480.0); }

// A page whose pixel (x, y) is set where the coverage passes its threshold.
template <typename Threshold>
OneBitPage Dithered(Threshold threshold) {
  OneBitPage page = BlankPage();
  for (std::uint32_t y = 0; y < page.lines; ++y) {
    for (std::uint32_t x = 0; x < kPageWidth; ++x) {
      if (Coverage(x, y) > threshold(x, y)) {
        page.bits[static_cast<std::size_t>(y) * page.bytesPerLine + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return page;
}

OneBitPage MakeHalftonePage() {
  // 8 x 8 ordered-dither thresholds: regular patterns, many repeated bytes.
  static constexpr std::uint8_t kBayer[8][8] = {
      {0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
      {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
      {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
  };
  return Dithered([](std::uint32_t x, std::uint32_t y) { return (kBayer[y % 8][x % 8] + 0.5) / 64; });
}

OneBitPage MakeNoisePage() {
  // A threshold per pixel from a hash of its place: irregular bits, as in a
  // diffused photograph; nearly nothing repeats.
  return Dithered([](std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 0x9E3779B1u ^ y * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return (h & 0xFFFF) / 65536.0;
  });
}

}  // namespace

const TextPage& PageOfText() {
  static const TextPage page = MakePageOfText();
  return page;
}

const OneBitPage& HalftonePage() {
  static const OneBitPage page = MakeHalftonePage();
  return page;
}

const OneBitPage& NoisePage() {
  static const OneBitPage page = MakeNoisePage();
  return page;
}

}  // namespace kesm_bench
