// Block transfers: raster operations, copies and nearest-neighbour stretches.
#include <cmath>
#include <utility>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/raster_core.h"

using plat::eng::PixelView;

namespace {

// Colour translation through an XLATEOBJ; neighbouring pixels are often
// alike, so the last translation is kept for the next.
class Translator {
 public:
  explicit Translator(XLATEOBJ* pxlo) : pxlo_(pxlo) {}
  ULONG operator()(ULONG s) {
    if (!translated_ || s != lastSource_) {
      lastSource_ = s;
      lastTarget_ = XLATEOBJ_iXlate(pxlo_, s);
      translated_ = true;
    }
    return lastTarget_;
  }

 private:
  XLATEOBJ* pxlo_;
  bool translated_ = false;
  ULONG lastSource_ = 0;
  ULONG lastTarget_ = 0;
};

// The target columns of a clip rectangle whose source columns lie inside
// the source, in runs of neighbours, and a row of their pixels: the source
// row is read, translated and written a row at a time.
class SourceRow {
 public:
  void Clear() {
    columns_.clear();
    runs_.clear();
    row_ = -1;
  }
  // Target column x takes source column sx (outside the source: none).
  void Add(LONG x, LONG sx, LONG sourceWidth) {
    if (sx < 0 || sx >= sourceWidth) return;
    if (runs_.empty() || runs_.back().first + static_cast<LONG>(runs_.back().second) != x) runs_.emplace_back(x, 0);
    ++runs_.back().second;
    columns_.push_back(sx);
  }
  // Writes source row sy to target row y. The row read last is written again
  // without reading it when reuse allows (the source is not the target).
  void Copy(const PixelView& source, LONG sy, plat::eng::Target& t, LONG y, Translator& translate, bool reuse) {
    if (columns_.empty()) return;
    if (!reuse || sy != row_) {
      values_.resize(columns_.size());
      source.ReadColumns(sy, columns_.data(), columns_.size(), values_.data());
      for (ULONG& v : values_) v = translate(v);
      row_ = sy;
    }
    const ULONG* next = values_.data();
    for (const auto& [left, count] : runs_) {
      t.WriteRow(y, left, next, count);
      next += count;
    }
  }

 private:
  std::vector<LONG> columns_;
  std::vector<std::pair<LONG, std::size_t>> runs_;
  std::vector<ULONG> values_;
  LONG row_ = -1;
};

}  // namespace

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
  constexpr BYTE kSourceCopy = 0xCC;
  // A plain copy from another bitmap goes a row at a time.
  const bool copyRows = !masked && fore == kSourceCopy && snapshot.empty();
  const bool ok = plat::eng::DrawOn(psoTrg, target, pco, [&](plat::eng::Target& t) {
    const ULONG indexMask = plat::eng::IndexMask(t.format());
    Translator translate(pxlo);
    SourceRow row;
    for (const RECTL& r : plat::eng::ClipRects(pco, target, t.area())) {
      if (copyRows) {
        row.Clear();
        for (LONG x = r.left; x < r.right; ++x) row.Add(x, srcOrigin.x + x - target.left, source.width());
        for (LONG y = r.top; y < r.bottom; ++y) {
          const LONG sy = srcOrigin.y + y - target.top;
          if (sy >= 0 && sy < source.height()) row.Copy(source, sy, t, y, translate, false);
        }
        continue;
      }
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
            s = translate(snapshot.empty() ? source.Get(sx, sy) : snapshot[static_cast<std::size_t>(dy) * w + dx]);
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
  // Target rows that take the same source row repeat the row read before,
  // unless the source is the target itself.
  const bool reuse = psoSrc != psoDest && psoSrc->pvBits != psoDest->pvBits;
  const bool ok = plat::eng::DrawOn(psoDest, bounds, pco, [&](plat::eng::Target& t) {
    Translator translate(pxlo);
    SourceRow row;
    for (const RECTL& r : plat::eng::ClipRects(pco, bounds, t.area())) {
      // The source column of each target column, the same on every row.
      row.Clear();
      for (LONG x = r.left; x < r.right; ++x) {
        row.Add(x, static_cast<LONG>(std::floor(src.left + (x + 0.5 - dest.left) / dw * sw)), source.width());
      }
      for (LONG y = r.top; y < r.bottom; ++y) {
        const LONG sy = static_cast<LONG>(std::floor(src.top + (y + 0.5 - dest.top) / dh * sh));
        if (sy >= 0 && sy < source.height()) row.Copy(source, sy, t, y, translate, reuse);
      }
    }
    return true;
  });
  if (!ok) EngSetLastError(ERROR_INVALID_PARAMETER);
  return ok ? TRUE : FALSE;
}
