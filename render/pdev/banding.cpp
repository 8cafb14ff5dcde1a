// Banding: the engine plays each page into the band bitmap once per band,
// from the top; the driver says where each band lies on the page, sends
// each band drawn as an image in its place and ends the page after the last
// one.
#include <cstring>

#include "render/bitmaps/bitmap_transfer.h"
#include "render/paths/draw_setup.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev_internal.h"
#include "render/records/state_control.h"

namespace {

constexpr POINTL kNoMoreBands{-1, -1};
constexpr BYTE kRop3Copy = 0xCC;

// The band bitmap white again.
void Whiten(SURFOBJ* pso) {
  if (pso->pvBits != nullptr) std::memset(pso->pvBits, 0xFF, pso->cjBits);
}

// The band drawn, as an image the size of its place on the page. The band
// is 1 bit a pixel (set bits white) or 24 bits a pixel at its own size, so
// it goes from the bitmap's own memory, in one record or, when the list
// cannot take that, in pieces. The last band of a page ends at the page's
// bottom: the lines of the bitmap below it are on no paper and are not sent
// (a colour band is three bytes a dot, so they would add megabytes).
BOOL SendBand(PDEV* pdev, SURFOBJ* pso) {
  if (pso->pvScan0 == nullptr) return FALSE;
  POINTL from{0, 0};
  const LONG bottom = pdev->bandOrigin.y + pso->sizlBitmap.cy;
  RECTL place{pdev->bandOrigin.x, pdev->bandOrigin.y, pdev->bandOrigin.x + pso->sizlBitmap.cx,
              pdev->pageHeight > pdev->bandOrigin.y && bottom > pdev->pageHeight ? pdev->pageHeight : bottom};
  return DlCopyBits(pdev, nullptr, pso, &from, &place);
}

}  // namespace

BOOL DrvStartBanding(SURFOBJ* pso, POINTL* origin) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr || origin == nullptr) return FALSE;
  // An engine that spools EMF may band a page it never started.
  if (pdev->emfSpool != 0 && pdev->pageStarted == 0) {
    if (!DrvStartPage(pso)) return FALSE;
    pdev->pageStarted = 0;
  }
  pdev->bandOrigin = {0, 0};
  pdev->bandNumber = 0;
  *origin = pdev->bandOrigin;
  // The bands are sent as images copied onto the page, unclipped.
  if (SetClipObject(pdev, nullptr, 0) == kClipFailed) return FALSE;
  if (!IdlSetRop3Ctrl(pdev, kRop3Copy)) return FALSE;
  Whiten(pso);
  return TRUE;
}

BOOL DrvNextBand(SURFOBJ* pso, POINTL* origin) {
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr || origin == nullptr) return FALSE;
  pdev->bandNumber += 1;
  if (!SendBand(pdev, pso)) return FALSE;
  Whiten(pso);
  // A band that reaches the page's last line is the last one: no empty band
  // follows a page whose height is a multiple of the band height.
  const LONG bottom = pdev->bandOrigin.y + pso->sizlBitmap.cy;
  pdev->bandOrigin = bottom >= pdev->pageHeight ? kNoMoreBands : POINTL{pdev->bandOrigin.x, bottom};
  *origin = pdev->bandOrigin;
  if (origin->x == kNoMoreBands.x && origin->y == kNoMoreBands.y) return DrvSendPage(pso);
  return TRUE;
}
