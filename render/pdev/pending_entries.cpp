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

// The common start of a drawing call.
BOOL Accept(SURFOBJ* pso) {
  const PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return FALSE;
  if (pdev->hiddenFunc18 != 0) return TRUE;
  return (pdev->flags & kPdevWriteError) == 0 ? TRUE : FALSE;
}

// The PDEV's font context, or null with error 87: without one every font
// query fails.
void* FontContext(DHPDEV dhpdev) {
  const PDEV* pdev = CheckedPdev(dhpdev);
  if (pdev == nullptr) return nullptr;
  if (pdev->fontContext == nullptr) EngSetLastError(ERROR_INVALID_PARAMETER);
  return pdev->fontContext;
}

}  // namespace

BOOL DrvTextOut(SURFOBJ* pso, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*, BRUSHOBJ*, POINTL*, MIX) {
  return Accept(pso);
}

ULONG DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ*) {
  return CheckedPdev(dhpdev) != nullptr ? FO_GLYPHBITS : 0;
}

PIFIMETRICS DrvQueryFont(DHPDEV dhpdev, ULONG_PTR, ULONG, ULONG_PTR* pid) {
  if (pid != nullptr) *pid = 0;
  FontContext(dhpdev);
  return nullptr;
}

PVOID DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR, ULONG, ULONG, ULONG_PTR* pid) {
  if (pid != nullptr) *pid = 0;
  FontContext(dhpdev);
  return nullptr;
}

LONG DrvQueryFontData(DHPDEV dhpdev, FONTOBJ*, ULONG, HGLYPH, GLYPHDATA*, PVOID, ULONG) {
  FontContext(dhpdev);
  return -1;
}

BOOL DrvQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ*, ULONG, HGLYPH*, PVOID, ULONG) {
  FontContext(dhpdev);
  return FALSE;
}
