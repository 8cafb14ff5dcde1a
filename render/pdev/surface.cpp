// The drawing surface: a device surface of the whole page whose drawing
// calls all come to the driver, or, when the PDEV bands, an engine bitmap of
// one band that the engine draws into and the driver sends band by band.
#include <algorithm>

#include "render/pdev/entry_points.h"
#include "render/pdev/pdev_internal.h"

namespace {

// A band holds about this many bytes as a 1-bit bitmap.
constexpr LONG kBandBytes = 0x4B000;
constexpr LONG kBandLineMultiple = 12;
constexpr FLONG kBandHooks = HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT;
constexpr FLONG kPageHooks = HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT | HOOK_STROKEPATH |
                             HOOK_FILLPATH | HOOK_STROKEANDFILLPATH | HOOK_COPYBITS;
static_assert(kBandHooks == 0xB && kPageHooks == 0x4EB);

// Bytes of one line of the bitmap: whole 32-bit words.
LONG LineBytes(LONG width, ULONG bitsPerPixel) {
  return static_cast<LONG>((LONGLONG{width} * bitsPerPixel + 31) / 32 * 4);
}

HSURF MakeBand(PDEV* pdev) {
  if (pdev->pageWidth <= 0 || pdev->pageHeight <= 0) return nullptr;
  const LONG oneBitLine = LineBytes(pdev->pageWidth, 1);
  const LONG height = std::min((kBandBytes / oneBitLine / kBandLineMultiple + 1) * kBandLineMultiple, pdev->pageHeight);
  const bool mono = IsMonochromeBanding(pdev);
  const ULONG format = mono ? BMF_1BPP : BMF_24BPP;
  const LONG delta = LineBytes(pdev->pageWidth, mono ? 1 : 24);
  auto band = reinterpret_cast<HSURF>(
      EngCreateBitmap(SIZEL{pdev->pageWidth, height}, delta, format, BMF_TOPDOWN, nullptr));
  if (band == nullptr) return nullptr;
  if (!EngMarkBandingSurface(band) || !EngAssociateSurface(band, pdev->hdev, kBandHooks)) {
    EngDeleteSurface(band);
    return nullptr;
  }
  return band;
}

HSURF MakePage(PDEV* pdev) {
  HSURF page = EngCreateDeviceSurface(reinterpret_cast<DHSURF>(pdev), SIZEL{pdev->pageWidth, pdev->pageHeight},
                                      BMF_24BPP);
  if (page == nullptr) return nullptr;
  if (!EngAssociateSurface(page, pdev->hdev, kPageHooks)) {
    EngDeleteSurface(page);
    return nullptr;
  }
  return page;
}

}  // namespace

HSURF DrvEnableSurface(DHPDEV dhpdev) {
  PDEV* pdev = CheckedPdev(dhpdev);
  if (pdev == nullptr) return nullptr;
  pdev->surface = pdev->banding != 0 ? MakeBand(pdev) : MakePage(pdev);
  return pdev->surface;
}

void DrvDisableSurface(DHPDEV dhpdev) {
  PDEV* pdev = PdevOf(dhpdev);
  if (pdev == nullptr || pdev->surface == nullptr) return;
  EngDeleteSurface(pdev->surface);
  pdev->surface = nullptr;
}
