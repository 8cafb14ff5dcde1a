// Text as glyph bitmaps: each glyph's bitmap goes to the printer once per
// page (0x53 placed and kept, or 0x54 registered for a string), later
// occurrences only name it; text that cannot be cached goes glyph by glyph
// as 0x57, drawn and forgotten.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "render/encode/m9.h"
#include "render/pdev/pdev.h"
#include "render/platform/pdev_heap.h"
#include "render/records/text_records.h"
#include "render/text/glyph_cache.h"
#include "render/text/text.h"

namespace {

constexpr BYTE kFlagGlyphIndex = 0x04;
constexpr BYTE kFlagCharacter = 0x08;
constexpr BYTE kFlagReference = 0x40;
constexpr std::string_view kEudc = "EUDC";

BYTE StringFlags(STROBJ* pstro) {
  return (pstro->flAccel & SO_GLYPHINDEX_TEXTOUT) != 0 ? kFlagGlyphIndex : kFlagCharacter;
}

// The size a glyph's bitmap is sent with: one pixel for a glyph without
// pixels.
SIZEL SentSize(const GLYPHBITS* gb) {
  if (gb->sizlBitmap.cx <= 0 || gb->sizlBitmap.cy <= 0) return {1, 1};
  return gb->sizlBitmap;
}

// A glyph's bitmap as its record sends it, in a zeroed buffer on the PDEV
// heap: raw or M9-compressed. A glyph without pixels goes as one blank
// pixel, so that it is defined like any other and may be named later.
// Room for a glyph's raw and compressed forms side by side stays below 2 GB.
constexpr std::uint64_t kLargestGlyphBytes = 0x3FFFFFF0;

class GlyphImage {
 public:
  GlyphImage(PDEV* pdev, const GLYPHBITS* gb) : pdev_(pdev) {
    const bool blank = gb->sizlBitmap.cx <= 0 || gb->sizlBitmap.cy <= 0;
    const SIZEL size = SentSize(gb);
    width_ = static_cast<ULONG>(size.cx);
    height_ = static_cast<ULONG>(size.cy);
    const ULONG rowBytes = (width_ + 7) / 8;
    const ULONG rows = height_;
    // A glyph too large for a record's 32-bit sizes is refused, never sized
    // by a product that wrapped.
    const std::uint64_t bytes = std::uint64_t{rowBytes} * rows;
    if (bytes > kLargestGlyphBytes) return;
    length_ = static_cast<ULONG>(bytes);
    space_ = (length_ + 3) & ~3u;
    buffer_ = static_cast<BYTE*>(HEAPALLOC(pdev->heap, std::size_t{space_} * 2));
    if (buffer_ == nullptr) return;
    std::memset(buffer_, 0, std::size_t{space_} * 2);
    if (!blank) std::memcpy(buffer_, gb->aj, length_);
    const ULONG packed = Image1BPPM9encode(pdev, buffer_, buffer_ + space_, static_cast<LONG>(space_), rowBytes, rows);
    if (packed != 0) {
      data_ = buffer_ + space_;
      length_ = packed;
      form_ = kGlyphM9;
    } else {
      data_ = buffer_;
      form_ = kGlyphRaw;
    }
  }
  ~GlyphImage() {
    if (buffer_ != nullptr) HEAPFREE(pdev_->heap, buffer_);
  }
  GlyphImage(const GlyphImage&) = delete;
  GlyphImage& operator=(const GlyphImage&) = delete;

  bool ok() const { return buffer_ != nullptr; }
  const BYTE* data() const { return data_; }
  ULONG space() const { return space_; }
  ULONG length() const { return length_; }
  BYTE form() const { return form_; }
  ULONG width() const { return width_; }
  ULONG height() const { return height_; }

 private:
  PDEV* pdev_;
  BYTE* buffer_ = nullptr;
  const BYTE* data_ = nullptr;
  ULONG width_ = 0;
  ULONG height_ = 0;
  ULONG space_ = 0;
  ULONG length_ = 0;
  BYTE form_ = kGlyphRaw;
};

const GLYPHBITS* Bits(FONTOBJ* pfo, HGLYPH hg) {
  PVOID data = nullptr;
  if (FONTOBJ_cGetGlyphs(pfo, FO_GLYPHBITS, 1, &hg, &data) != 1 || data == nullptr) return nullptr;
  return static_cast<GLYPHDATA*>(data)->gdf.pgb;
}

struct Key {
  ULONG bucket;
  ULONG fontId;
  LONG generation;
  LONG code;
};

Key KeyOf(PDEV* pdev, FONTOBJ* pfo, USHORT code) {
  const LONG generation = pdev->glyphGeneration;
  return {ulCalcHashID(pdev, pfo->iUniq, generation, code), pfo->iUniq, generation, code};
}

bool Known(PDEV* pdev, const Key& k) { return bChkHashTbl(pdev, k.bucket, k.fontId, k.generation, k.code) != 0; }
bool Remember(PDEV* pdev, const Key& k) {
  return pAddHashTbl(pdev, k.bucket, k.fontId, k.generation, k.code) != nullptr;
}

BOOL ExtPutCharBitmap(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro, const TextSizes& sizes, LONG escapement, bool cache) {
  const BYTE flags = StringFlags(pstro);
  for (const TextGlyph& g : StringGlyphs(pstro)) {
    const GLYPHBITS* gb = Bits(pfo, g.pos.hg);
    if (gb == nullptr) continue;
    const LONG left = Clamp32(std::int64_t{g.pos.ptl.x} + gb->ptlOrigin.x);
    const LONG top = Clamp32(std::int64_t{g.pos.ptl.y} + gb->ptlOrigin.y);
    const POINTL at = PlacementPoint(g.pos.ptl, sizes.ascent, escapement);
    // The reference mark belongs to this glyph alone.
    if (cache && Known(pdev, KeyOf(pdev, pfo, g.code))) {
      const SIZEL size = SentSize(gb);
      const RECTL cell{left, top, Clamp32(std::int64_t{left} + size.cx), Clamp32(std::int64_t{top} + size.cy)};
      if (PrnIdlPutCharBitmap(&pdev->stream, TRUE, &cell, flags | kFlagReference, g.code, at.x, at.y, left, top,
                              static_cast<ULONG>(size.cx), static_cast<ULONG>(size.cy), nullptr, 0, 0,
                              kGlyphRaw) == nullptr) {
        return FALSE;
      }
      continue;
    }
    // Short of memory, the page's table is given up for the glyph's buffer.
    auto image = std::make_unique<GlyphImage>(pdev, gb);
    if (!image->ok()) {
      pFreeHashTbl(pdev);
      image = std::make_unique<GlyphImage>(pdev, gb);
      if (!image->ok()) return FALSE;
    }
    const GlyphImage& use = *image;
    const RECTL cell{left, top, Clamp32(std::int64_t{left} + use.width()), Clamp32(std::int64_t{top} + use.height())};
    if (PrnIdlPutCharBitmap(&pdev->stream, cache ? TRUE : FALSE, &cell, flags, g.code, at.x, at.y, left, top,
                            use.width(), use.height(), use.data(), use.space(), use.length(), use.form()) == nullptr) {
      return FALSE;
    }
    // The key is taken after the image: making it may have emptied the
    // table and begun a new generation.
    if (cache && !Remember(pdev, KeyOf(pdev, pfo, g.code))) pFreeHashTbl(pdev);
  }
  return TRUE;
}

BOOL ExtRegistCharBitmap(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro, const std::vector<TextGlyph>& glyphs) {
  const BYTE flags = StringFlags(pstro);
  for (const TextGlyph& g : glyphs) {
    const GLYPHBITS* gb = Bits(pfo, g.pos.hg);
    if (gb == nullptr) continue;
    const Key key = KeyOf(pdev, pfo, g.code);
    if (Known(pdev, key)) continue;
    GlyphImage image(pdev, gb);
    if (!image.ok()) return FALSE;
    if (PrnIDLRegistCharBitmap(&pdev->stream, flags, g.code, image.width(), image.height(), image.data(),
                               image.space(), image.length(), image.form()) == nullptr) {
      return FALSE;
    }
    if (!Remember(pdev, key)) return FALSE;
  }
  return TRUE;
}

BOOL ExtPutStringBitmap(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro, const TextSizes& sizes) {
  const std::vector<TextGlyph> glyphs = StringGlyphs(pstro);
  if (!ExtRegistCharBitmap(pdev, pfo, pstro, glyphs)) {
    pFreeHashTbl(pdev);
    return ExtPutCharBitmap(pdev, pfo, pstro, sizes, 0, false);
  }
  // Glyphs the engine cannot give were not registered: the string names
  // only the others, each placed from the one before it.
  std::vector<StringExEntry> entries;
  entries.reserve(glyphs.size());
  POINTL start{pstro->rclBkGround.left, pstro->rclBkGround.top};
  POINTL previous{0, 0};
  bool fits = glyphs.size() <= 0xFFFF;
  for (const TextGlyph& g : glyphs) {
    const GLYPHBITS* gb = Bits(pfo, g.pos.hg);
    if (gb == nullptr) continue;
    const std::int64_t x = std::int64_t{g.pos.ptl.x} + gb->ptlOrigin.x;
    const std::int64_t y = std::int64_t{g.pos.ptl.y} + gb->ptlOrigin.y;
    // The string's points are worked in 16 bits; one beyond them would be
    // drawn somewhere else.
    fits = fits && x >= -32768 && x <= 32767 && y >= -32768 && y <= 32767;
    const POINTL point{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    if (entries.empty()) {
      start = point;
      entries.push_back({0, 0, g.code});
    } else {
      const LONG dx = point.x - previous.x;
      const LONG dy = point.y - previous.y;
      fits = fits && dx >= -32768 && dx <= 32767 && dy >= -32768 && dy <= 32767;
      entries.push_back({static_cast<SHORT>(dx), static_cast<SHORT>(dy), g.code});
    }
    previous = point;
  }
  if (entries.empty()) return TRUE;
  // Offsets beyond 16 bits go glyph by glyph, naming the glyphs just sent.
  if (!fits) return ExtPutCharBitmap(pdev, pfo, pstro, sizes, 0, true);
  return PrnIDLPutStringEx(&pdev->stream, &pstro->rclBkGround, StringFlags(pstro), start.x, start.y, entries.data(),
                           static_cast<USHORT>(entries.size())) != nullptr;
}

}  // namespace

BOOL DrawDevStringBitmap(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro, const TextSizes& sizes,
                         const FontDescription& font) {
  const bool cacheable = std::string_view(font.familyName) != kEudc && std::string_view(font.faceName) != kEudc &&
                         !Mirrored(sizes.xform);
  if (!cacheable || font.escapement != 0 || (pstro->flAccel & SO_VERTICAL) != 0) {
    return ExtPutCharBitmap(pdev, pfo, pstro, sizes, font.escapement, cacheable);
  }
  return ExtPutStringBitmap(pdev, pfo, pstro, sizes);
}
