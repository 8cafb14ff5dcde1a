// The table of GDI objects and DCs of the display side, under one lock.
// Handles come from one counter and are never reused, so a deleted object's
// handle stays invalid. Internal to platform/gdi/.
#pragma once

#include <mutex>
#include <unordered_map>

#include "platform/base/wintypes.h"
#include "platform/gdi/display_dc.h"

namespace plat::gdi {

struct GdiObject {
  DWORD type = 0;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL
  bool stock = false;
  COLORREF color = 0;  // solid brushes and pens
  int style = 0;       // BS_/PS_ style; 1 for the null brush and pen
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

inline constexpr int kDefaultBitmap = 21;

}  // namespace plat::gdi
