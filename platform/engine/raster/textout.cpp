// Text drawn by the engine from the font's glyph images.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/raster_core.h"

namespace {

using plat::eng::Brush;

// Fills rectangles with a brush in a ternary operation.
bool FillRects(SURFOBJ* pso, CLIPOBJ* pco, const RECTL& rect, Brush* brush, POINTL origin, BYTE rop) {
  const RECTL bounds = plat::eng::Ordered(rect);
  if (plat::eng::IsEmpty(bounds)) return true;
  brush->SetTarget(pso);
  return plat::eng::DrawOn(pso, bounds, pco, [&](plat::eng::Target& t) {
    const ULONG indexMask = plat::eng::IndexMask(t.format());
    for (const RECTL& r : plat::eng::ClipRects(pco, bounds, t.area())) {
      for (LONG y = r.top; y < r.bottom; ++y) plat::eng::PaintRow(t, y, r.left, r.right, rop, brush, origin, indexMask);
    }
    return true;
  });
}

}  // namespace

BOOL EngTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL* prclExtra,
                RECTL* prclOpaque, BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque, POINTL* pptlOrg,
                MIX mix) {
  if (pso == nullptr || pstro == nullptr || pfo == nullptr || pboFore == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const POINTL origin = pptlOrg ? *pptlOrg : POINTL{0, 0};
  const BYTE rop = plat::eng::MixToRop3(mix);
  auto* fore = static_cast<Brush*>(pboFore);
  if (prclOpaque != nullptr && pboOpaque != nullptr &&
      !FillRects(pso, pco, *prclOpaque, static_cast<Brush*>(pboOpaque), origin, 0xF0)) {
    return FALSE;
  }
  // The glyphs, each through its image.
  struct Placed { POINTL at; GLYPHBITS* bits; };
  std::vector<Placed> glyphs;
  RECTL bounds{0, 0, 0, 0};
  bool any = false;
  STROBJ_vEnumStart(pstro);
  bool more = true;
  while (more) {
    ULONG count = 0;
    GLYPHPOS* gp = nullptr;
    more = STROBJ_bEnum(pstro, &count, &gp) != FALSE;
    for (ULONG i = 0; i < count; ++i) {
      HGLYPH hg = gp[i].hg;
      PVOID data = nullptr;
      if (FONTOBJ_cGetGlyphs(pfo, FO_GLYPHBITS, 1, &hg, &data) != 1) continue;
      GLYPHBITS* gb = static_cast<GLYPHDATA*>(data)->gdf.pgb;
      const POINTL at{gp[i].ptl.x + gb->ptlOrigin.x, gp[i].ptl.y + gb->ptlOrigin.y};
      const RECTL box{at.x, at.y, at.x + gb->sizlBitmap.cx, at.y + gb->sizlBitmap.cy};
      bounds = any ? RECTL{std::min(bounds.left, box.left), std::min(bounds.top, box.top),
                           std::max(bounds.right, box.right), std::max(bounds.bottom, box.bottom)}
                   : box;
      any = true;
      glyphs.push_back({at, gb});
    }
  }
  if (any) {
    fore->SetTarget(pso);
    const bool ok = plat::eng::DrawOn(pso, bounds, pco, [&](plat::eng::Target& t) {
      const auto clip = plat::eng::ClipRects(pco, bounds, t.area());
      const ULONG indexMask = plat::eng::IndexMask(t.format());
      // A solid brush in an operation that does not read the destination
      // gives every pixel the same value.
      const bool pattern = plat::eng::NeedsPattern(rop);
      const bool same = (!pattern || fore->solid()) && !plat::eng::NeedsDestination(rop);
      const ULONG value = same ? plat::eng::Rop3(rop, pattern ? fore->IndexAt(0, 0, origin) : 0, 0, 0) & indexMask : 0;
      std::vector<RECTL> rowClip;
      for (const Placed& g : glyphs) {
        const LONG stride = (g.bits->sizlBitmap.cx + 7) / 8;
        for (LONG row = 0; row < g.bits->sizlBitmap.cy; ++row) {
          const LONG y = g.at.y + row;
          rowClip.clear();
          for (const RECTL& r : clip) {
            if (y >= r.top && y < r.bottom) rowClip.push_back(r);
          }
          if (rowClip.empty()) continue;
          const BYTE* bits = g.bits->aj + static_cast<std::ptrdiff_t>(row) * stride;
          for (LONG col = 0; col < g.bits->sizlBitmap.cx; ++col) {
            if (col % 8 == 0 && bits[col / 8] == 0) {
              col += 7;  // eight clear pixels
              continue;
            }
            if (((bits[col / 8] >> (7 - col % 8)) & 1) == 0) continue;
            const LONG x = g.at.x + col;
            for (const RECTL& r : rowClip) {
              if (x >= r.left && x < r.right) {
                t.Set(x, y, same ? value : plat::eng::Rop3(rop, fore->IndexAt(x, y, origin), 0, t.Get(x, y)) & indexMask);
                break;
              }
            }
          }
        }
      }
      return true;
    });
    if (!ok) return FALSE;
  }
  for (RECTL* r = prclExtra; r != nullptr && r->left != r->right && r->top != r->bottom; ++r) {
    if (!FillRects(pso, pco, *r, fore, origin, rop)) return FALSE;
  }
  return TRUE;
}
