#include "render/pdev/pdev.h"

BOOL bValidatePDEV(const PDEV* pdev) {
  return pdev != nullptr && pdev->leadingMagic == kPdevMagic && pdev->closingMagic == kPdevMagic;
}

PDEV* PdevOf(DHPDEV dhpdev) {
  auto* pdev = reinterpret_cast<PDEV*>(dhpdev);
  return bValidatePDEV(pdev) ? pdev : nullptr;
}

PDEV* PdevOf(SURFOBJ* pso) { return pso != nullptr ? PdevOf(pso->dhpdev) : nullptr; }

PDEV* CheckedPdev(DHPDEV dhpdev) {
  PDEV* pdev = PdevOf(dhpdev);
  if (pdev == nullptr) EngSetLastError(ERROR_INVALID_PARAMETER);
  return pdev;
}

PDEV* CheckedPdev(SURFOBJ* pso) { return CheckedPdev(pso != nullptr ? pso->dhpdev : nullptr); }
