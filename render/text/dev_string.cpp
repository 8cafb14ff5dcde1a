// Strings in the printer's fonts (records 0x52, or 0x51 per character) and
// glyph outlines (0x51 with a path body).
#include <algorithm>
#include <cstdint>

#include "render/geometry/geometry.h"
#include "render/paths/path_records.h"
#include "render/pdev/pdev.h"
#include "render/records/record_write.h"
#include "render/records/shape_records.h"
#include "render/records/text_records.h"
#include "render/text/text.h"

namespace {

constexpr std::size_t kMaxStringRecordGlyphs = 0xFFFF;
constexpr std::size_t kEstimateBytes = 4;

std::vector<USHORT> Codes(const std::vector<TextGlyph>& glyphs) {
  std::vector<USHORT> codes;
  codes.reserve(glyphs.size());
  for (const TextGlyph& g : glyphs) codes.push_back(g.code);
  return codes;
}

// One 0x51 record per glyph, each placed at its own position: moved back by
// the ascent along the escapement (none for upright text).
BOOL PerCharacter(PDEV* pdev, const std::vector<TextGlyph>& glyphs, const TextSizes& sizes, LONG escapement) {
  for (const TextGlyph& g : glyphs) {
    const POINTL at = PlacementPoint(g.pos.ptl, sizes.ascent, escapement);
    const RECTL cell{at.x, at.y, Clamp32(at.x + sizes.emWidth), Clamp32(at.y + sizes.emHeight)};
    if (PrnIdlPutChar(&pdev->stream, &cell, at.x, at.y, g.code) == nullptr) return FALSE;
  }
  return TRUE;
}

// Room for a glyph's outline as the character record carries it: the size
// estimate, then for every run a subpath head and each point as a curve
// segment, more than any mix of runs needs.
std::size_t OutlineRoom(PATHOBJ* ppo) {
  std::size_t room = kEstimateBytes;
  PATHOBJ_vEnumStart(ppo);
  for (BOOL more = TRUE; more;) {
    PATHDATA pd{};
    more = PATHOBJ_bEnum(ppo, &pd);
    room += kSubpathStartBytes + std::size_t{pd.count} * kCurveSegmentBytes;
  }
  return room;
}

// The move from a glyph's origin to its box, in 28.4.
LONG OffsetFix(LONG origin, LONG box) { return static_cast<LONG>((std::int64_t{origin} - box) * 16); }

}  // namespace

BOOL DrawDevString(PDEV* pdev, STROBJ* pstro, const TextSizes& sizes, const FontDescription& font) {
  const std::vector<TextGlyph> glyphs = StringGlyphs(pstro);
  if (glyphs.empty()) return TRUE;
  const FLONG accel = pstro->flAccel;
  const RECTL& bg = pstro->rclBkGround;
  const bool oneRecord = glyphs.size() <= kMaxStringRecordGlyphs;
  const auto count = static_cast<USHORT>(std::min(glyphs.size(), kMaxStringRecordGlyphs));
  if (oneRecord && (accel & SO_FLAG_DEFAULT_PLACEMENT) != 0 && pstro->ulCharInc != 0 && pstro->ulCharInc <= 0x7FFF) {
    const SHORT advance = static_cast<SHORT>((accel & SO_REVERSED) != 0 ? -static_cast<LONG>(pstro->ulCharInc)
                                                                         : static_cast<LONG>(pstro->ulCharInc));
    const std::vector<USHORT> codes = Codes(glyphs);
    return PrnIdlPutString(&pdev->stream, &bg, bg.left, bg.top, codes.data(), &advance, count, 1) != nullptr;
  }
  const bool upright = font.escapement == 0 && (accel & (SO_HORIZONTAL | SO_VERTICAL)) != 0;
  if (!upright) return PerCharacter(pdev, glyphs, sizes, font.escapement);
  // Each advance goes in 16 bits: a string with a larger one goes character
  // by character.
  const bool alongX = (accel & SO_HORIZONTAL) != 0;
  std::vector<SHORT> advances(glyphs.size(), 0);
  bool fits = oneRecord;
  for (std::size_t i = 0; i + 1 < glyphs.size() && fits; ++i) {
    const std::int64_t a = alongX ? std::int64_t{glyphs[i + 1].pos.ptl.x} - glyphs[i].pos.ptl.x
                                  : std::int64_t{glyphs[i + 1].pos.ptl.y} - glyphs[i].pos.ptl.y;
    fits = a >= -32768 && a <= 32767;
    advances[i] = static_cast<SHORT>(a);
  }
  if (!fits) return PerCharacter(pdev, glyphs, sizes, 0);
  const std::vector<USHORT> codes = Codes(glyphs);
  return PrnIdlPutString(&pdev->stream, &bg, glyphs[0].pos.ptl.x, bg.top, codes.data(), advances.data(), count,
                         count) != nullptr;
}

BOOL DrawDevStringOutline(PDEV* pdev, FONTOBJ* pfo, STROBJ* pstro) {
  for (const TextGlyph& g : StringGlyphs(pstro)) {
    HGLYPH hg = g.pos.hg;
    PVOID data = nullptr;
    if (FONTOBJ_cGetGlyphs(pfo, FO_PATHOBJ, 1, &hg, &data) != 1 || data == nullptr) return FALSE;
    PATHOBJ* ppo = static_cast<GLYPHDATA*>(data)->gdf.ppo;
    if (ppo == nullptr) return FALSE;
    RECTFX bounds{};
    PATHOBJ_vGetBounds(ppo, &bounds);
    const LONG left = Clamp32(std::int64_t{g.pos.ptl.x} + (bounds.xLeft >> 4));
    const LONG top = Clamp32(std::int64_t{g.pos.ptl.y} + (bounds.yTop >> 4));
    const RECTL box{left, top, Clamp32(std::int64_t{left} + ((bounds.xRight - bounds.xLeft) >> 4)),
                    Clamp32(std::int64_t{top} + ((bounds.yBottom - bounds.yTop) >> 4))};
    // The outline is relative to the box, in 28.4; a glyph without points
    // (a space) sends nothing.
    std::vector<BYTE> body(OutlineRoom(ppo));
    if (body.size() > idl::kMaxRecordBytes) return FALSE;
    const ULONG length = iGetPath(pdev, ppo, nullptr, body.data(), static_cast<ULONG>(body.size()),
                                  OffsetFix(g.pos.ptl.x, box.left), OffsetFix(g.pos.ptl.y, box.top));
    if (length == 0) continue;
    if (PrnIdlPutCharOutLine(&pdev->stream, &box, box.left, box.top, g.code, body.data(), length) == nullptr) {
      return FALSE;
    }
  }
  return TRUE;
}
