// Engine bitmaps of the driver's own: line lengths, creation and release.
#include <cstdint>
#include <limits>

#include "render/bitmaps/bitmap_transfer.h"
#include "render/pdev/pdev.h"

namespace {

// Bits a pixel of the engine formats 1 to 6.
constexpr ULONG kFormatBits[] = {1, 4, 8, 16, 24, 32};

}  // namespace

LONG GetBmpDelta(ULONG format, LONG width) {
  if (width < 0) return 0;
  const ULONG bits = format >= 1 && format <= 6 ? kFormatBits[format - 1] : 1;
  const std::uint64_t bytes = (std::uint64_t{static_cast<ULONG>(width)} * bits + 7) / 8;
  const std::uint64_t delta = (bytes + 3) / 4 * 4;
  return delta > static_cast<std::uint64_t>(std::numeric_limits<LONG>::max()) ? 0 : static_cast<LONG>(delta);
}

BYTE Def2Rop3(ULONG rop) { return static_cast<BYTE>((rop >> 16) & 0xFF); }

SURFOBJ* CreateBitmapSURFOBJ(PDEV* pdev, HBITMAP* bitmap, LONG width, LONG height, ULONG format) {
  *bitmap = nullptr;
  const LONG delta = GetBmpDelta(format, width);
  if (pdev == nullptr || delta == 0 || height <= 0) return nullptr;
  HBITMAP made = EngCreateBitmap(SIZEL{width, height}, delta, format, BMF_TOPDOWN | BMF_NOZEROINIT, nullptr);
  if (made == nullptr) return nullptr;
  const auto surface = reinterpret_cast<HSURF>(made);
  SURFOBJ* pso = nullptr;
  if (EngAssociateSurface(surface, pdev->hdev, 0)) pso = EngLockSurface(surface);
  if (pso == nullptr) {
    EngDeleteSurface(surface);
    return nullptr;
  }
  *bitmap = made;
  return pso;
}

void DeleteBitmapSURFOBJ(SURFOBJ* pso, HBITMAP bitmap) {
  if (pso != nullptr) EngUnlockSurface(pso);
  if (bitmap != nullptr) EngDeleteSurface(reinterpret_cast<HSURF>(bitmap));
}
