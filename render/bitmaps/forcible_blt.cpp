// Images sent without an intermediate bitmap: an area of a 24-bit source
// cropped straight into its record, and a source rectangle sent unscaled
// for the printer to scale when no bitmap can be had.
#include <algorithm>
#include <cstddef>

#include "render/bitmaps/bitmap_transfer.h"
#include "render/bitmaps/transfer_support.h"
#include "render/pdev/pdev.h"
#include "render/records/image_records.h"

namespace {

// The first byte of pixel (x, y) of a bitmap of bytesPerPixel.
const BYTE* PixelAt(const SURFOBJ* pso, LONG x, LONG y, LONG bytesPerPixel) {
  return static_cast<const BYTE*>(pso->pvScan0) + static_cast<std::ptrdiff_t>(y) * pso->lDelta +
         static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
}

bool HasBits(const SURFOBJ* pso) { return pso != nullptr && pso->iType == STYPE_BITMAP && pso->pvScan0 != nullptr; }

}  // namespace

BYTE* ForcibleStretchBlt(PDEV* pdev, SURFOBJ* psoSrc, POINTL* pptlSrc, RECTL* prclDest) {
  if (!HasBits(psoSrc) || psoSrc->iBitmapFormat != BMF_24BPP || pptlSrc == nullptr || prclDest == nullptr) {
    return nullptr;
  }
  const RECTL dest = bitmaps::Ordered(*prclDest);
  const LONG w = dest.right - dest.left, h = dest.bottom - dest.top;
  const POINTL from = *pptlSrc;
  if (w <= 0 || h <= 0 || from.x < 0 || from.y < 0 || from.x > psoSrc->sizlBitmap.cx - w ||
      from.y > psoSrc->sizlBitmap.cy - h) {
    return nullptr;
  }
  return PrnIdlImageLines(&pdev->stream, dest, w, h, kImage24Bit, PixelAt(psoSrc, from.x, from.y, 3), psoSrc->lDelta,
                          nullptr, FALSE);
}

BYTE* ForcibleStretchBltDirect(PDEV* pdev, SURFOBJ* psoSrc, RECTL* prclSrc, RECTL* prclDest, XLATEOBJ* pxlo,
                               BOOL grey) {
  if (!HasBits(psoSrc) || prclSrc == nullptr || prclDest == nullptr) return nullptr;
  const ULONG format = psoSrc->iBitmapFormat;
  if (format != BMF_24BPP && format != BMF_8BPP) return nullptr;
  // Only the part of the rectangle the source holds is read.
  const RECTL ordered = bitmaps::Ordered(*prclSrc);
  const RECTL source{std::max(ordered.left, LONG{0}), std::max(ordered.top, LONG{0}),
                     std::min(ordered.right, psoSrc->sizlBitmap.cx), std::min(ordered.bottom, psoSrc->sizlBitmap.cy)};
  if (source.right <= source.left || source.bottom <= source.top) return nullptr;
  const bitmaps::ImagePalette palette(pdev, grey ? nullptr : pxlo, format);
  if (!palette.ok()) return nullptr;
  const LONG bytesPerPixel = format == BMF_24BPP ? 3 : 1;
  return PrnIdlImageLines(&pdev->stream, bitmaps::Ordered(*prclDest), source.right - source.left,
                          source.bottom - source.top, bitmaps::SentFormatOf(format).code,
                          PixelAt(psoSrc, source.left, source.top, bytesPerPixel), psoSrc->lDelta, palette.bytes(),
                          TRUE);
}
