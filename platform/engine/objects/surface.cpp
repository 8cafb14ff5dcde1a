// Engine bitmaps and device surfaces.
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "platform/base/owned_table.h"
#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/engine/raster/pixels.h"
#include "platform/engine/raster/run_length.h"

namespace plat::eng {
namespace {

// Engine bitmaps beyond this size are refused rather than allocated.
constexpr std::size_t kMaxBitmapBytes = 512u << 20;

struct SurfaceTable {
  std::mutex lock;
  OwnedTable<Surface> surfaces;
  std::size_t count = 0;
};

SurfaceTable& Surfaces() {
  static SurfaceTable* table = new SurfaceTable;  // lives until process exit
  return *table;
}

ULONG NextUniq() {
  static std::atomic<ULONG> next{1};
  return next++;
}

HSURF Register(std::unique_ptr<Surface> surface) {
  surface->hsurf = reinterpret_cast<HSURF>(surface.get());
  surface->iUniq = NextUniq();
  auto& table = Surfaces();
  std::lock_guard guard(table.lock);
  ++table.count;
  return reinterpret_cast<HSURF>(table.surfaces.Add(std::move(surface)));
}

bool KnownFormat(ULONG format) { return BitsPerPixel(format) != 0; }

// A blank surface record; null with ERROR_NOT_ENOUGH_MEMORY.
std::unique_ptr<Surface> NewSurface(SIZEL size, ULONG format, USHORT type) {
  auto surface = std::unique_ptr<Surface>(new (std::nothrow) Surface{});
  if (!surface) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  surface->sizlBitmap = size;
  surface->iBitmapFormat = format;
  surface->iType = type;
  return surface;
}

// A run-length bitmap: the stream of lWidth bytes at pvBits stays the
// caller's; there are no lines to step through (lDelta 0). Such a bitmap
// is read from, never drawn on.
HBITMAP CreateRunLengthBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits) {
  const LONG decodedDelta = MinimumDelta(DecodedFormat(iFormat), sizl.cx);
  // The stream runs from the bottom line up: a top-down one cannot be said.
  if (pvBits == nullptr || lWidth <= 0 || (fl & BMF_TOPDOWN) != 0 ||
      static_cast<std::size_t>(decodedDelta) * static_cast<std::size_t>(sizl.cy) > kMaxBitmapBytes) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto surface = NewSurface(sizl, iFormat, STYPE_BITMAP);
  if (!surface) return nullptr;
  surface->cjBits = static_cast<ULONG>(lWidth);
  surface->pvBits = pvBits;
  surface->pvScan0 = pvBits;
  surface->lDelta = 0;
  surface->fjBitmap = BMF_USERMEM;
  return reinterpret_cast<HBITMAP>(Register(std::move(surface)));
}

}  // namespace

ULONG BitsPerPixel(ULONG iFormat) {
  switch (iFormat) {
    case BMF_1BPP: return 1;
    case BMF_4BPP: return 4;
    case BMF_8BPP: return 8;
    case BMF_16BPP: return 16;
    case BMF_24BPP: return 24;
    case BMF_32BPP: return 32;
    default: return 0;
  }
}

LONG MinimumDelta(ULONG iFormat, LONG width) {
  const std::int64_t bits = std::int64_t{width} * BitsPerPixel(iFormat);
  return static_cast<LONG>(((bits + 31) / 32) * 4);
}

Surface* SurfaceOf(HSURF hsurf) {
  if (hsurf == nullptr) return nullptr;
  auto& table = Surfaces();
  std::lock_guard guard(table.lock);
  return table.surfaces.Find(hsurf);
}

Surface* SurfaceOf(SURFOBJ* pso) {
  return pso == nullptr ? nullptr : SurfaceOf(reinterpret_cast<HSURF>(static_cast<Surface*>(pso)));
}

std::size_t LiveSurfaces() {
  auto& table = Surfaces();
  std::lock_guard guard(table.lock);
  return table.count;
}

}  // namespace plat::eng

using plat::eng::Surface;

HBITMAP EngCreateBitmap(SIZEL sizl, LONG lWidth, ULONG iFormat, FLONG fl, PVOID pvBits) {
  if (plat::eng::DecodedFormat(iFormat) != 0 && sizl.cx > 0 && sizl.cy > 0 && sizl.cx <= 0x100000) {
    return plat::eng::CreateRunLengthBitmap(sizl, lWidth, iFormat, fl, pvBits);
  }
  if (sizl.cx <= 0 || sizl.cy <= 0 || !plat::eng::KnownFormat(iFormat) || sizl.cx > 0x100000) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const LONG minimum = plat::eng::MinimumDelta(iFormat, sizl.cx);
  const LONG delta = lWidth >= minimum ? lWidth : minimum;
  const std::size_t bytes = static_cast<std::size_t>(delta) * static_cast<std::size_t>(sizl.cy);
  if (bytes > plat::eng::kMaxBitmapBytes) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto surface = plat::eng::NewSurface(sizl, iFormat, STYPE_BITMAP);
  if (!surface) return nullptr;
  BYTE* bits = static_cast<BYTE*>(pvBits);
  if (bits == nullptr) {
    try {
      // Zero-filled either way: unzeroed memory is allowed, not required.
      surface->ownBits.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
      EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    bits = surface->ownBits.data();
  }
  surface->cjBits = static_cast<ULONG>(bytes);
  surface->pvBits = bits;
  if (fl & BMF_TOPDOWN) {
    surface->pvScan0 = bits;
    surface->lDelta = delta;
    surface->fjBitmap = BMF_TOPDOWN;
  } else {
    surface->pvScan0 = bits + static_cast<std::size_t>(delta) * (sizl.cy - 1);
    surface->lDelta = -delta;
  }
  surface->fjBitmap |= static_cast<USHORT>(fl & (BMF_NOZEROINIT | BMF_DONTCACHE));
  if (pvBits != nullptr) surface->fjBitmap |= BMF_USERMEM;
  return reinterpret_cast<HBITMAP>(plat::eng::Register(std::move(surface)));
}

HSURF EngCreateDeviceSurface(DHSURF dhsurf, SIZEL sizl, ULONG iFormatCompat) {
  if (sizl.cx <= 0 || sizl.cy <= 0 || !plat::eng::KnownFormat(iFormatCompat)) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto surface = plat::eng::NewSurface(sizl, iFormatCompat, STYPE_DEVICE);
  if (!surface) return nullptr;
  surface->dhsurf = dhsurf;
  return plat::eng::Register(std::move(surface));
}

BOOL EngAssociateSurface(HSURF hsurf, HDEV hdev, FLONG flHooks) {
  Surface* surface = plat::eng::SurfaceOf(hsurf);
  plat::eng::Device* device = plat::eng::FindDevice(hdev);
  if (surface == nullptr || device == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  surface->hdev = hdev;
  surface->dhpdev = device->dhpdev;
  surface->device = device;
  surface->hooks = flHooks;
  return TRUE;
}

BOOL EngMarkBandingSurface(HSURF hsurf) {
  Surface* surface = plat::eng::SurfaceOf(hsurf);
  if (surface == nullptr) return FALSE;
  surface->banding = true;
  return TRUE;
}

SURFOBJ* EngLockSurface(HSURF hsurf) {
  Surface* surface = plat::eng::SurfaceOf(hsurf);
  if (surface == nullptr) return nullptr;
  ++surface->locks;
  return surface;
}

void EngUnlockSurface(SURFOBJ* pso) {
  Surface* surface = plat::eng::SurfaceOf(pso);
  if (surface != nullptr && surface->locks > 0) --surface->locks;
}

BOOL EngDeleteSurface(HSURF hsurf) {
  auto& table = plat::eng::Surfaces();
  std::unique_ptr<Surface> removed;
  std::lock_guard guard(table.lock);
  removed = table.surfaces.Remove(hsurf);
  if (!removed) return FALSE;
  --table.count;
  return TRUE;
}

BOOL EngEraseSurface(SURFOBJ* pso, RECTL* prcl, ULONG iColor) {
  if (pso == nullptr || prcl == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (plat::eng::DecodedFormat(pso->iBitmapFormat) != 0) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  plat::eng::PixelView view(pso);
  if (!view.valid()) return TRUE;
  const RECTL r = plat::eng::Intersect(plat::eng::Ordered(*prcl),
                                       RECTL{0, 0, view.width(), view.height()});
  for (LONG y = r.top; y < r.bottom; ++y) view.Fill(y, r.left, r.right, iColor);
  return TRUE;
}
