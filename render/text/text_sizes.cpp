// The font's sizes on the device and the string's glyph positions.
#include <algorithm>

#include "render/geometry/geometry.h"
#include "render/text/text.h"

namespace {

// factor x m, formed in tenths and rounded to whole units.
LONG Tenths(FLOATL m, LONG factor) {
  const std::int64_t tenths = F_mul_L2L(m, factor);
  return static_cast<LONG>((tenths + (tenths < 0 ? -5 : 5)) / 10);
}

std::int64_t Length(FLOATL a, FLOATL b, LONG factor) { return iHipot(Tenths(a, factor), Tenths(b, factor)); }

}  // namespace

bool ComputeTextSizes(FONTOBJ* pfo, const IFIMETRICS& ifi, TextSizes& sizes) {
  XFORMOBJ* pxo = FONTOBJ_pxoGetXform(pfo);
  if (pxo == nullptr) return false;
  sizes.xform = XFORML{1, 0, 0, 1, 0, 0};
  XFORMOBJ_iGetXform(pxo, &sizes.xform);
  const XFORML& m = sizes.xform;
  const LONG em = ifi.fwdUnitsPerEm * 10;
  sizes.emWidth = Length(m.eM11, m.eM12, em);
  sizes.emHeight = Length(m.eM21, m.eM22, em);
  sizes.ascent = Length(m.eM21, m.eM22, ifi.fwdWinAscender * 10);
  sizes.descent = Length(m.eM21, m.eM22, ifi.fwdWinDescender * 10);
  return true;
}

LONG Clamp32(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

SHORT Clamp16(std::int64_t value) { return static_cast<SHORT>(std::clamp<std::int64_t>(value, -32768, 32767)); }

bool Mirrored(const XFORML& xform) {
  const LONG x = F_mul_L2L(xform.eM11, 5000);
  const LONG y = F_mul_L2L(xform.eM22, 5000);
  return (x > 0 && y < 0) || (x < 0 && y > 0);
}

std::vector<TextGlyph> StringGlyphs(STROBJ* pstro) {
  std::vector<TextGlyph> glyphs;
  glyphs.reserve(pstro->cGlyphs);
  const bool computed = (pstro->flAccel & SO_FLAG_DEFAULT_PLACEMENT) != 0 && pstro->ulCharInc != 0;
  const std::int64_t inc = std::int64_t{pstro->ulCharInc} * ((pstro->flAccel & SO_REVERSED) != 0 ? -1 : 1);
  const bool alongX = (pstro->flAccel & SO_HORIZONTAL) != 0;
  STROBJ_vEnumStart(pstro);
  BOOL more = TRUE;
  while (more) {
    ULONG count = 0;
    GLYPHPOS* batch = nullptr;
    more = STROBJ_bEnum(pstro, &count, &batch);
    if (batch == nullptr) break;
    for (ULONG j = 0; j < count; ++j) {
      TextGlyph g{batch[j], 0};
      if (computed) {
        const std::int64_t step = std::int64_t{j} * inc;
        g.pos.ptl = alongX ? POINTL{Clamp32(batch[0].ptl.x + step), batch[0].ptl.y}
                           : POINTL{batch[0].ptl.x, Clamp32(batch[0].ptl.y + step)};
      }
      const std::size_t i = glyphs.size();
      g.code = pstro->pwszOrg != nullptr && i < pstro->cGlyphs ? pstro->pwszOrg[i] : static_cast<USHORT>(g.pos.hg);
      glyphs.push_back(g);
    }
  }
  return glyphs;
}

POINTL PlacementPoint(const POINTL& pos, std::int64_t ascent, LONG escapement) {
  const std::int64_t x = pos.x - (ascent * Sin(escapement) >> 14);
  const std::int64_t y = pos.y - (ascent * Cos(escapement) >> 14);
  return {Clamp32(x), Clamp32(y)};
}
