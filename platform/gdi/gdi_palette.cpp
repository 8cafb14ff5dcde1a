// Logical palettes: made from a LOGPALETTE, selected into DCs apart from
// SelectObject (as on Windows), realized onto the true-colour display
// without mapping anything.
#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/base/winerror.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace {

COLORREF Pack(const PALETTEENTRY& e) {
  return RGB(e.peRed, e.peGreen, e.peBlue) | (static_cast<COLORREF>(e.peFlags) << 24);
}

PALETTEENTRY Unpack(COLORREF c) {
  return PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), static_cast<BYTE>(c >> 24)};
}

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (palette == nullptr || palette->palVersion != kLogPaletteVersion || palette->palNumEntries == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  plat::gdi::GdiObject object{OBJ_PAL, false, 0, 0};
  object.entries.reserve(palette->palNumEntries);
  for (WORD i = 0; i < palette->palNumEntries; ++i) object.entries.push_back(Pack(palette->palPalEntry[i]));
  return static_cast<HPALETTE>(plat::gdi::AddObject(std::move(object)));
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL /*forceBackground*/) {
  auto& table = plat::gdi::Gdi();
  std::lock_guard guard(table.lock);
  plat::gdi::DeviceContext* context = plat::gdi::LockedDC(table, dc);
  const plat::gdi::GdiObject* object = plat::gdi::LockedObject(table, palette);
  if (context == nullptr || object == nullptr || object->type != OBJ_PAL) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const HGDIOBJ old = std::exchange(context->state.palette, palette);
  return static_cast<HPALETTE>(old);
}

UINT RealizePalette(HDC dc) {
  auto& table = plat::gdi::Gdi();
  std::lock_guard guard(table.lock);
  if (plat::gdi::LockedDC(table, dc) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return GDI_ERROR;
  }
  return 0;  // a true-colour device has no system palette to map into
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  auto& table = plat::gdi::Gdi();
  std::lock_guard guard(table.lock);
  const plat::gdi::GdiObject* object = plat::gdi::LockedObject(table, palette);
  if (object == nullptr || object->type != OBJ_PAL) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const auto size = static_cast<UINT>(object->entries.size());
  if (entries == nullptr) return size;
  if (start >= size) return 0;
  const UINT copied = std::min(count, size - start);
  for (UINT i = 0; i < copied; ++i) entries[i] = Unpack(object->entries[start + i]);
  return copied;
}
