// Enabling, completing and disabling a PDEV.
#include <cstring>

#include "platform/base/winerror.h"
#include "render/fonts/font_context.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev_internal.h"
#include "jobsettings/validate/validate_devmode.h"
#include "render/paths/region_cache.h"
#include "render/platform/pdev_heap.h"
#include "settings/context/context_open.h"

namespace {

// The PDEV enable's validation: a DEVMODE given by the engine, in the
// kernel-mode build.
constexpr DWORD kValidateAtEnable = 0x10008;

// A new zero-filled PDEV on a heap of its own, tied to the printer; null
// (nothing left behind) when memory is short.
PDEV* NewPdev(HANDLE printer) {
  HANDLE heap = HEAPCREATE();
  if (heap == nullptr) return nullptr;
  auto* pdev = static_cast<PDEV*>(HEAPALLOC(heap, sizeof(PDEV)));
  if (pdev == nullptr) {
    HEAPDESTROY(heap);
    return nullptr;
  }
  std::memset(pdev, 0, sizeof(PDEV));
  pdev->heap = heap;
  pdev->leadingMagic = kPdevMagic;
  pdev->closingMagic = kPdevMagic;
  pdev->printer = printer;
  pdev->stream.printer = printer;
  pdev->stream.pdev = pdev;
  dl_init(&pdev->stream);
  return pdev;
}

// The caller's whole DEVMODE, public and private parts, on the PDEV heap.
bool CopyDevmode(PDEV* pdev, const DEVMODEW* pdm) {
  if (pdm == nullptr) return true;
  const std::size_t bytes = std::size_t{pdm->dmSize} + pdm->dmDriverExtra;
  pdev->devmode = static_cast<DEVMODEW*>(HEAPALLOC(pdev->heap, bytes));
  if (pdev->devmode == nullptr) return false;
  std::memcpy(pdev->devmode, pdm, bytes);
  pdev->devmodeBytes = static_cast<ULONG>(bytes);
  return true;
}

DHPDEV Fail(PDEV* pdev, DWORD error) {
  if (pdev->palette != nullptr) EngDeletePalette(pdev->palette);
  FreePdevMemory(pdev);
  if (error != 0) EngSetLastError(error);
  return nullptr;
}

}  // namespace

void FreePdevMemory(PDEV* pdev) {
  if (pdev->devmode != nullptr) HEAPFREE(pdev->heap, pdev->devmode);
  if (pdev->driverModule != nullptr) EngFreeModule(pdev->driverModule);
  if (pdev->ucb != nullptr) FreeUcb(pdev->ucb);
  pdev->leadingMagic = pdev->closingMagic = 0;
  HEAPDESTROY(pdev->heap);
}

DHPDEV DrvEnablePDEV(DEVMODEW* pdm, LPWSTR /*logicalAddress*/, ULONG patternCount, HSURF* patterns,
                     ULONG gdiInfoSize, GDIINFO* gdiInfo, ULONG devInfoSize, DEVINFO* devInfo, HDEV hdev,
                     LPWSTR /*deviceName*/, HANDLE printer) {
  PDEV* pdev = NewPdev(printer);
  if (pdev == nullptr) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  LPWSTR driverName = EngGetDriverName(hdev);
  pdev->driverModule = driverName != nullptr ? EngLoadModule(driverName) : nullptr;
  if (pdev->driverModule == nullptr) return Fail(pdev, ERROR_INVALID_PARAMETER);
  pdev->ucb = GetUcb(printer, hdev, 0, kModeRendering);
  if (pdev->ucb == nullptr) return Fail(pdev, ERROR_NOT_ENOUGH_MEMORY);
  if (ValidateDevmode(pdev->ucb, pdm, kValidateAtEnable) == 0) return Fail(pdev, ERROR_NOT_ENOUGH_MEMORY);
  if (!CopyDevmode(pdev, pdm)) return Fail(pdev, ERROR_NOT_ENOUGH_MEMORY);
  FillDevData(pdev);
  if (!PaperFormatFits(pdev->paper)) return Fail(pdev, ERROR_INVALID_PARAMETER);
  // Device fonts are offered only while nothing bands and the language is
  // the default; fonts whose resources cannot be read are not offered.
  ULONG fonts = 0;
  if (pdev->banding == 0 && pdev->languageId == 0) pdev->fontContext = fnt_init(pdev, pdev->driverModule, &fonts);
  pdev->deviceFontCount = static_cast<LONG>(fonts);
  FillDevCaps(pdev, gdiInfoSize, gdiInfo);
  if (!FillDevInfo(pdev, devInfoSize, devInfo, HalftonePatternSize(pdev))) {
    return Fail(pdev, ERROR_NOT_ENOUGH_MEMORY);
  }
  if (patterns != nullptr) {
    for (ULONG i = 0; i < patternCount; ++i) patterns[i] = nullptr;
  }
  // Without the cache the clip in force would not be known.
  if (create_rgncache(pdev) == nullptr) return Fail(pdev, ERROR_NOT_ENOUGH_MEMORY);
  return reinterpret_cast<DHPDEV>(pdev);
}

void DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev) {
  if (PDEV* pdev = CheckedPdev(dhpdev)) pdev->hdev = hdev;
}

void DrvDisablePDEV(DHPDEV dhpdev) {
  PDEV* pdev = CheckedPdev(dhpdev);
  if (pdev == nullptr) return;
  destroy_rgncache(pdev);
  if (pdev->palette != nullptr) EngDeletePalette(pdev->palette);
  pdev->palette = nullptr;
  fnt_term(pdev, static_cast<FONTCONTEXT*>(pdev->fontContext));
  pdev->fontContext = nullptr;
  FreePdevMemory(pdev);
}
