// GDI objects of the display side: the stock objects, solid brushes, and
// their deletion, which refuses an object still selected into a DC.
#include <algorithm>
#include <iterator>

#include "platform/base/winerror.h"
#include "platform/gdi/font_map.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

constexpr int kBrushSolid = 0;  // BS_SOLID
constexpr int kBrushNull = 1;   // BS_NULL
constexpr int kPenSolid = 0;    // PS_SOLID
constexpr int kPenNull = 5;     // PS_NULL

// One row per stock index: what GetStockObject hands out.
struct StockRow {
  int index;
  DWORD type;
  int style;
  COLORREF color;
};
constexpr StockRow kStock[] = {
    {WHITE_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(255, 255, 255)},
    {LTGRAY_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(192, 192, 192)},
    {GRAY_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(128, 128, 128)},
    {DKGRAY_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(64, 64, 64)},
    {BLACK_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(0, 0, 0)},
    {NULL_BRUSH, OBJ_BRUSH, kBrushNull, 0},
    {WHITE_PEN, OBJ_PEN, kPenSolid, RGB(255, 255, 255)},
    {BLACK_PEN, OBJ_PEN, kPenSolid, RGB(0, 0, 0)},
    {NULL_PEN, OBJ_PEN, kPenNull, 0},
    {OEM_FIXED_FONT, OBJ_FONT, 0, 0},
    {ANSI_FIXED_FONT, OBJ_FONT, 0, 0},
    {ANSI_VAR_FONT, OBJ_FONT, 0, 0},
    {SYSTEM_FONT, OBJ_FONT, 0, 0},
    {DEVICE_DEFAULT_FONT, OBJ_FONT, 0, 0},
    {DEFAULT_PALETTE, OBJ_PAL, 0, 0},
    {SYSTEM_FIXED_FONT, OBJ_FONT, 0, 0},
    {DEFAULT_GUI_FONT, OBJ_FONT, 0, 0},
    {DC_BRUSH, OBJ_BRUSH, kBrushSolid, RGB(255, 255, 255)},
    {DC_PEN, OBJ_PEN, kPenSolid, RGB(0, 0, 0)},
    {kDefaultBitmap, OBJ_BITMAP, 0, 0},
};

HGDIOBJ AsObject(ULONG_PTR value) { return reinterpret_cast<HGDIOBJ>(value); }

bool SelectedAnywhere(const GdiTable& table, HGDIOBJ object) {
  return std::any_of(table.dcs.begin(), table.dcs.end(), [&](const auto& entry) {
    const DcState& s = entry.second->state;
    return s.pen == object || s.brush == object || s.font == object || s.bitmap == object || s.palette == object;
  });
}

}  // namespace

GdiTable& Gdi() {
  static GdiTable* table = [] {
    auto* made = new GdiTable;  // lives until process exit, as the stock objects do
    for (const StockRow& row : kStock) {
      const ULONG_PTR handle = NewGdiHandle(*made);
      made->objects[handle] = GdiObject{row.type, true, row.color, row.style};
      // Memory DCs start with a one-pixel monochrome bitmap.
      if (row.type == OBJ_BITMAP) made->objects[handle].bitmap = MakeBitmap(1, 1, 1, true);
      if (row.type == OBJ_FONT) made->objects[handle].logfont = StockLogFont();
      made->stock[row.index] = AsObject(handle);
    }
    return made;
  }();
  return *table;
}

ULONG_PTR NewGdiHandle(GdiTable& table) {
  const ULONG_PTR value = table.next;
  table.next += 4;
  return value;
}

DeviceContext* LockedDC(GdiTable& table, HDC dc) {
  auto it = table.dcs.find(reinterpret_cast<ULONG_PTR>(dc));
  return it == table.dcs.end() ? nullptr : it->second.get();
}

GdiObject* LockedObject(GdiTable& table, HGDIOBJ object) {
  auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(object));
  return it == table.objects.end() ? nullptr : &it->second;
}

HGDIOBJ AddObject(GdiObject object) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  const ULONG_PTR handle = NewGdiHandle(table);
  table.objects[handle] = std::move(object);
  return AsObject(handle);
}

// A brush that belongs to the system (the system colour brushes): never
// deleted by DeleteObject.
HBRUSH MakeStockBrush(COLORREF color) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  const ULONG_PTR handle = NewGdiHandle(table);
  table.objects[handle] = GdiObject{OBJ_BRUSH, true, color, kBrushSolid};
  return static_cast<HBRUSH>(AsObject(handle));
}

}  // namespace plat::gdi

using plat::gdi::Gdi;
using plat::gdi::GdiObject;

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= plat::gdi::kDefaultBitmap) return nullptr;
  return Gdi().stock[index];  // null for the one index Windows leaves unused
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto& table = Gdi();
  std::lock_guard guard(table.lock);
  const ULONG_PTR handle = plat::gdi::NewGdiHandle(table);
  table.objects[handle] = GdiObject{OBJ_BRUSH, false, color & 0x00FFFFFFu, 0};
  return static_cast<HBRUSH>(reinterpret_cast<HGDIOBJ>(handle));
}

DWORD GetObjectType(HGDIOBJ object) {
  auto& table = Gdi();
  std::lock_guard guard(table.lock);
  if (const GdiObject* found = plat::gdi::LockedObject(table, object)) return found->type;
  if (const auto* dc = plat::gdi::LockedDC(table, static_cast<HDC>(object))) {
    return dc->kind == plat::gdi::DcKind::kMemory ? OBJ_MEMDC : OBJ_DC;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

DWORD GetGuiResources(HANDLE, DWORD flags) {
  if (flags != GR_GDIOBJECTS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& table = Gdi();
  std::lock_guard guard(table.lock);
  const auto objects = std::count_if(table.objects.begin(), table.objects.end(),
                                     [](const auto& entry) { return !entry.second.stock; });
  return static_cast<DWORD>(objects + static_cast<std::ptrdiff_t>(table.dcs.size()));
}

BOOL DeleteObject(HGDIOBJ object) {
  auto& table = Gdi();
  std::lock_guard guard(table.lock);
  const GdiObject* found = plat::gdi::LockedObject(table, object);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (found->stock) return TRUE;  // deleting a stock object is allowed and does nothing
  if (plat::gdi::SelectedAnywhere(table, object)) return FALSE;
  table.objects.erase(reinterpret_cast<ULONG_PTR>(object));
  return TRUE;
}
