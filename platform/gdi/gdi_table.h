// The table of GDI objects and DCs of the display side, under one lock.
// Handles come from one counter and are never reused, so a deleted object's
// handle stays invalid. Internal to platform/gdi/.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/base/wintypes.h"
#include "platform/engine/objects/devcaps.h"
#include "platform/gdi/display_dc.h"
#include "platform/gdi/gdi_bitmap.h"
#include "platform/gdi/gdi_region.h"

namespace plat::gdi {

struct GdiObject {
  DWORD type = 0;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL
  bool stock = false;
  COLORREF color = 0;  // solid brushes and pens
  int style = 0;       // BS_/PS_ style; 1 for the null brush and pen
  int hatch = 0;       // HS_ of a hatched brush
  int width = 0;       // a pen's width; 0 and 1 draw one pixel wide
  std::shared_ptr<Bitmap> bitmap = nullptr;  // a bitmap's pixels; a pattern brush's copy
  RectSet region = {};  // a region's rectangles
  LOGFONTW logfont = {};  // a font's description
  std::vector<COLORREF> entries = {};  // a palette's entries, flags in the top byte
};

struct GdiTable {
  std::mutex lock;
  std::unordered_map<ULONG_PTR, GdiObject> objects;
  std::unordered_map<ULONG_PTR, std::shared_ptr<DeviceContext>> dcs;
  ULONG_PTR next = 0x00C10000;
  HGDIOBJ stock[22] = {};  // by stock index; 21 is the memory DCs' 1x1 bitmap
};

// The table, with the stock objects made on first use.
GdiTable& Gdi();
// A new handle; the caller holds the lock.
ULONG_PTR NewGdiHandle(GdiTable& table);
// The DC or object of a handle, or null; the caller holds the lock.
DeviceContext* LockedDC(GdiTable& table, HDC dc);
GdiObject* LockedObject(GdiTable& table, HGDIOBJ object);

// Adds an object and gives its handle; takes the lock.
HGDIOBJ AddObject(GdiObject object);
// Runs change(GdiObject&) on an object of the type under the lock; false
// (ERROR_INVALID_HANDLE) for any other handle.
template <class Change>
bool WithObject(HGDIOBJ handle, DWORD type, Change change) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  GdiObject* found = LockedObject(table, handle);
  if (found == nullptr || found->type != type) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  change(*found);
  return true;
}

// Runs change(DeviceContext&) on the DC under the lock; false (last error
// ERROR_INVALID_HANDLE) when the handle is not a DC.
template <class Change>
bool WithDC(HDC dc, Change change) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  DeviceContext* found = LockedDC(table, dc);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  change(*found);
  return true;
}

// The size of what a DC draws on: its window area, or its bitmap's size;
// the caller holds the lock.
SIZE LockedDrawableSize(GdiTable& table, const DeviceContext& dc);

inline constexpr int kDefaultBitmap = 21;

}  // namespace plat::gdi
