// The inputs of the encoder benchmarks: the glyph bitmaps of a page of
// 12-point DejaVu Sans text at 600 dpi, as the engine hands them to the
// driver (1 bit per pixel, rows of (width + 7) / 8 bytes), and whole A4
// pages at 600 dpi as 1-bit images (rows of 620 bytes): that text page, an
// ordered-dither halftone and a noise-dithered gradient.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kesm_bench {

using Bytes = std::vector<std::uint8_t>;

struct GlyphBitmap {
  std::uint32_t bytesPerLine = 0;
  std::uint32_t lines = 0;
  Bytes bits;
};

struct OneBitPage {
  std::uint32_t bytesPerLine = 0;
  std::uint32_t lines = 0;
  Bytes bits;
};

struct TextPage {
  std::string error;                 // why the page could not be made, or empty
  std::vector<GlyphBitmap> glyphs;   // one per character drawn, in reading order
  std::size_t glyphBytes = 0;        // their bitmaps' bytes together
  OneBitPage page;                   // the same glyphs placed on the page
};

// Made once, on first use; error set when the font or FreeType fails.
const TextPage& PageOfText();
// Full pages of a smooth gradient dithered with an 8 x 8 ordered pattern,
// and with a threshold of noise.
const OneBitPage& HalftonePage();
const OneBitPage& NoisePage();

}  // namespace kesm_bench
