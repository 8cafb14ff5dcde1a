// Block transfers: raster operations, copies and nearest-neighbour stretches.
#include <cmath>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/raster_core.h"

using plat::eng::PixelView;

BOOL EngBitBlt(SURFOBJ* psoTrg, SURFOBJ* psoSrc, SURFOBJ* psoMask, CLIPOBJ* pco, XLATEOBJ* pxlo,
               RECTL* prclTrg, POINTL* pptlSrc, POINTL* pptlMask, BRUSHOBJ* pbo,
               POINTL* pptlBrush, ROP4 rop4) {
  const BYTE fore = static_cast<BYTE>(rop4 & 0xFF);
  const BYTE back = static_cast<BYTE>((rop4 >> 8) & 0xFF);
  const bool masked = fore != back;
  const bool needSource = plat::eng::NeedsSource(fore) || plat::eng::NeedsSource(back);
  const bool needPattern = plat::eng::NeedsPattern(fore) || plat::eng::NeedsPattern(back);
  const plat::eng::SourcePixels sourcePixels(psoSrc);
  const PixelView& source = sourcePixels.view();
  const PixelView mask(psoMask);
  if (psoTrg == nullptr || prclTrg == nullptr || (needSource && (!source.valid() || pptlSrc == nullptr)) ||
      (needPattern && pbo == nullptr) || (masked && (!mask.valid() || mask.format() != BMF_1BPP))) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECTL target = plat::eng::Ordered(*prclTrg);
  const POINTL srcOrigin = pptlSrc ? *pptlSrc : POINTL{0, 0};
  const POINTL maskOrigin = pptlMask ? *pptlMask : POINTL{0, 0};
  const POINTL brushOrigin = pptlBrush ? *pptlBrush : POINTL{0, 0};
  auto* brush = static_cast<plat::eng::Brush*>(pbo);
  if (brush != nullptr) brush->SetTarget(psoTrg);
  // A source on the target itself is read before anything is written.
  std::vector<ULONG> snapshot;
  const LONG w = target.right - target.left;
  if (needSource && psoSrc == psoTrg) {
    snapshot.assign(static_cast<std::size_t>(w) * (target.bottom - target.top), 0);
    for (LONG y = 0; y < target.bottom - target.top; ++y) {
      for (LONG x = 0; x < w; ++x) {
        const LONG sx = srcOrigin.x + x, sy = srcOrigin.y + y;
        if (source.Inside(sx, sy)) snapshot[static_cast<std::size_t>(y) * w + x] = source.Get(sx, sy);
      }
    }
  }
  const bool ok = plat::eng::DrawOn(psoTrg, target, pco, [&](plat::eng::Target& t) {
    const ULONG indexMask = plat::eng::IndexMask(t.format());
    constexpr BYTE kSourceCopy = 0xCC;
    bool translated = false;
    ULONG lastSource = 0, lastTarget = 0;
    for (const RECTL& r : plat::eng::ClipRects(pco, target, t.area())) {
      for (LONG y = r.top; y < r.bottom; ++y) {
        if (!masked && !needSource) {
          plat::eng::PaintRow(t, y, r.left, r.right, fore, brush, brushOrigin, indexMask);
          continue;
        }
        for (LONG x = r.left; x < r.right; ++x) {
          const LONG dx = x - target.left, dy = y - target.top;
          BYTE rop = fore;
          if (masked) {
            const LONG mx = maskOrigin.x + dx, my = maskOrigin.y + dy;
            rop = mask.Inside(mx, my) && mask.Get(mx, my) ? fore : back;
          }
          ULONG s = 0;
          if (plat::eng::NeedsSource(rop)) {
            const LONG sx = srcOrigin.x + dx, sy = srcOrigin.y + dy;
            if (!source.Inside(sx, sy)) continue;
            s = snapshot.empty() ? source.Get(sx, sy) : snapshot[static_cast<std::size_t>(dy) * w + dx];
            // Neighbouring pixels are often alike: the last translation
            // is kept for the next.
            if (!translated || s != lastSource) {
              lastSource = s;
              lastTarget = XLATEOBJ_iXlate(pxlo, s);
              translated = true;
            }
            s = lastTarget;
          }
          if (rop == kSourceCopy) {
            t.Set(x, y, s & indexMask);
            continue;
          }
          const ULONG p = plat::eng::NeedsPattern(rop) ? brush->IndexAt(x, y, brushOrigin) : 0;
          t.Set(x, y, plat::eng::Rop3(rop, p, s, t.Get(x, y)) & indexMask);
        }
      }
    }
    return true;
  });
  if (!ok) EngSetLastError(ERROR_INVALID_PARAMETER);
  return ok ? TRUE : FALSE;
}

BOOL EngCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ* pco, XLATEOBJ* pxlo,
                 RECTL* prclDest, POINTL* pptlSrc) {
  return EngBitBlt(psoDest, psoSrc, nullptr, pco, pxlo, prclDest, pptlSrc, nullptr, nullptr,
                   nullptr, 0xCCCC);
}

BOOL EngStretchBlt(SURFOBJ* psoDest, SURFOBJ* psoSrc, SURFOBJ*, CLIPOBJ* pco, XLATEOBJ* pxlo,
                   COLORADJUSTMENT*, POINTL*, RECTL* prclDest, RECTL* prclSrc, POINTL*, ULONG) {
  const plat::eng::SourcePixels sourcePixels(psoSrc);
  const PixelView& source = sourcePixels.view();
  if (psoDest == nullptr || prclDest == nullptr || prclSrc == nullptr || !source.valid()) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECTL dest = *prclDest, src = *prclSrc;
  const double dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  const double sw = src.right - src.left, sh = src.bottom - src.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return TRUE;
  const RECTL bounds = plat::eng::Ordered(dest);
  const bool ok = plat::eng::DrawOn(psoDest, bounds, pco, [&](plat::eng::Target& t) {
    std::vector<LONG> columns;
    bool translated = false;
    ULONG lastSource = 0, lastTarget = 0;
    for (const RECTL& r : plat::eng::ClipRects(pco, bounds, t.area())) {
      // The source column of each target column, the same on every row.
      columns.clear();
      for (LONG x = r.left; x < r.right; ++x) {
        columns.push_back(static_cast<LONG>(std::floor(src.left + (x + 0.5 - dest.left) / dw * sw)));
      }
      for (LONG y = r.top; y < r.bottom; ++y) {
        const LONG sy = static_cast<LONG>(std::floor(src.top + (y + 0.5 - dest.top) / dh * sh));
        if (sy < 0 || sy >= source.height()) continue;
        for (LONG x = r.left; x < r.right; ++x) {
          const LONG sx = columns[static_cast<std::size_t>(x - r.left)];
          if (!source.Inside(sx, sy)) continue;
          // A stretch repeats each source pixel: its translation is kept
          // for the next.
          const ULONG s = source.Get(sx, sy);
          if (!translated || s != lastSource) {
            lastSource = s;
            lastTarget = XLATEOBJ_iXlate(pxlo, s);
            translated = true;
          }
          t.Set(x, y, lastTarget);
        }
      }
    }
    return true;
  });
  if (!ok) EngSetLastError(ERROR_INVALID_PARAMETER);
  return ok ? TRUE : FALSE;
}
