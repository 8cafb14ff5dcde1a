// The drawing and font entry points while the code that turns
// drawing into display-list records is not part of the library: each checks
// its PDEV as every graphics entry point does (error 87 for a bad one), a
// drawing call then succeeds without sending records (or fails after a
// write error), and the font queries answer as for a PDEV without device
// fonts. The engine may call any of them once the surface hooks its call.
// Each goes away when the code that handles its call comes.
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"

namespace {

constexpr ULONG kDitherSolid = 0;  // the engine uses the nearest solid colour

// The common start of a drawing call.
BOOL Accept(SURFOBJ* pso) {
  const PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  if (pdev->hiddenFunc18 != 0) return TRUE;
  return (pdev->flags & kPdevWriteError) == 0 ? TRUE : FALSE;
}

}  // namespace

BOOL DrvBitBlt(SURFOBJ* psoTrg, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*, POINTL*, BRUSHOBJ*,
               POINTL*, ROP4) {
  return Accept(psoTrg);
}

BOOL DrvStretchBlt(SURFOBJ* psoDest, SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, COLORADJUSTMENT*, POINTL*,
                   RECTL*, RECTL*, POINTL*, ULONG) {
  return Accept(psoDest);
}

// The device keeps no pixels: a copy from it leaves the engine's bitmap as
// it is.
BOOL DrvCopyBits(SURFOBJ* psoDest, SURFOBJ* psoSrc, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*) {
  SURFOBJ* device = psoDest != nullptr && PdevOf(psoDest) != nullptr ? psoDest : psoSrc;
  return Accept(device);
}

BOOL DrvStrokePath(SURFOBJ* pso, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, POINTL*, LINEATTRS*, MIX) {
  return Accept(pso);
}

BOOL DrvFillPath(SURFOBJ* pso, PATHOBJ*, CLIPOBJ*, BRUSHOBJ*, POINTL*, MIX, FLONG) { return Accept(pso); }

BOOL DrvStrokeAndFillPath(SURFOBJ* pso, PATHOBJ*, CLIPOBJ*, XFORMOBJ*, BRUSHOBJ*, LINEATTRS*, BRUSHOBJ*,
                          POINTL*, MIX, FLONG) {
  return Accept(pso);
}

// No brush is realized by the driver.
BOOL DrvRealizeBrush(BRUSHOBJ*, SURFOBJ* psoTarget, SURFOBJ*, SURFOBJ*, XLATEOBJ*, ULONG) {
  CheckedPdev(psoTarget);
  return FALSE;
}

ULONG DrvDitherColor(DHPDEV dhpdev, ULONG, ULONG, ULONG*) {
  CheckedPdev(dhpdev);
  return kDitherSolid;
}
