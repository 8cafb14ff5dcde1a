// Display and memory DCs: their making and deletion, the state stack, the
// selection of objects and the colour and mode state.
#include "platform/gdi/display_dc.h"

#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

DcState DefaultState(const GdiTable& table, DcKind kind) {
  DcState state;
  state.pen = table.stock[BLACK_PEN];
  state.brush = table.stock[WHITE_BRUSH];
  state.font = table.stock[SYSTEM_FONT];
  state.palette = table.stock[DEFAULT_PALETTE];
  if (kind == DcKind::kMemory) state.bitmap = table.stock[kDefaultBitmap];
  return state;
}

HDC AddDC(GdiTable& table, std::shared_ptr<DeviceContext> dc) {
  const ULONG_PTR handle = NewGdiHandle(table);
  table.dcs.emplace(handle, std::move(dc));
  return static_cast<HDC>(reinterpret_cast<HGDIOBJ>(handle));
}

// The state slot an object of this type is selected into, or null.
HGDIOBJ* SlotFor(DcState& state, DWORD type) {
  switch (type) {
    case OBJ_PEN: return &state.pen;
    case OBJ_BRUSH: return &state.brush;
    case OBJ_FONT: return &state.font;
    case OBJ_BITMAP: return &state.bitmap;
    default: return nullptr;
  }
}

bool BitmapSelectedElsewhere(const GdiTable& table, HGDIOBJ bitmap, const DeviceContext* into) {
  for (const auto& entry : table.dcs) {
    if (entry.second.get() != into && entry.second->state.bitmap == bitmap) return true;
  }
  return false;
}

}  // namespace

HDC CreateWindowDC(DcKind kind, HWND window, POINT origin, SIZE size) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  auto dc = std::make_shared<DeviceContext>();
  dc->kind = kind;
  dc->window = window;
  dc->origin = origin;
  dc->size = size;
  dc->state = DefaultState(table, kind);
  return AddDC(table, std::move(dc));
}

bool DeleteWindowDC(HDC dc) {
  GdiTable& table = Gdi();
  std::shared_ptr<DeviceContext> removed;  // let go outside the lock
  std::lock_guard guard(table.lock);
  auto it = table.dcs.find(reinterpret_cast<ULONG_PTR>(dc));
  if (it == table.dcs.end() || it->second->kind == DcKind::kMemory) return false;
  removed = std::move(it->second);
  table.dcs.erase(it);
  return true;
}

void DeleteDCsOfWindow(HWND window) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  for (auto it = table.dcs.begin(); it != table.dcs.end();) {
    const bool windows = it->second->window == window && it->second->kind != DcKind::kMemory;
    it = windows ? table.dcs.erase(it) : std::next(it);
  }
  DropWindowSurface(window);
}

bool DescribeDC(HDC dc, HWND* window, DcKind* kind) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  const DeviceContext* found = LockedDC(table, dc);
  if (found == nullptr) return false;
  if (window != nullptr) *window = found->window;
  if (kind != nullptr) *kind = found->kind;
  return true;
}

std::shared_ptr<const DeviceContext> FindDC(HDC dc) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  const DeviceContext* found = LockedDC(table, dc);
  return found == nullptr ? nullptr : std::make_shared<const DeviceContext>(*found);
}

}  // namespace plat::gdi

using plat::gdi::DcKind;
using plat::gdi::DeviceContext;
using plat::gdi::Gdi;
using plat::gdi::RecordGdiCall;

HDC CreateCompatibleDC(HDC dc) {
  auto& table = Gdi();
  HDC made = nullptr;
  {
    std::lock_guard guard(table.lock);
    HWND window = nullptr;
    if (dc != nullptr) {
      const DeviceContext* base = plat::gdi::LockedDC(table, dc);
      if (base == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
      }
      window = base->window;
    }
    auto memory = std::make_shared<DeviceContext>();
    memory->kind = DcKind::kMemory;
    memory->window = window;
    memory->size = SIZE{1, 1};
    memory->state = plat::gdi::DefaultState(table, DcKind::kMemory);
    made = plat::gdi::AddDC(table, std::move(memory));
  }
  RecordGdiCall(made, "CreateCompatibleDC", {reinterpret_cast<LONG_PTR>(dc)});
  return made;
}

BOOL DeleteDC(HDC dc) {
  auto& table = Gdi();
  std::shared_ptr<DeviceContext> removed;  // let go outside the lock
  {
    std::lock_guard guard(table.lock);
    auto it = table.dcs.find(reinterpret_cast<ULONG_PTR>(dc));
    if (it == table.dcs.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    // A window's DC goes back with ReleaseDC or EndPaint, never DeleteDC.
    if (it->second->kind != DcKind::kMemory) return FALSE;
    removed = std::move(it->second);
    table.dcs.erase(it);
  }
  return TRUE;
}

int SaveDC(HDC dc) {
  int level = 0;
  if (!plat::gdi::WithDC(dc, [&](DeviceContext& d) {
        d.saved.push_back(d.state);
        level = static_cast<int>(d.saved.size());
      })) {
    return 0;
  }
  RecordGdiCall(dc, "SaveDC", {});
  return level;
}

BOOL RestoreDC(HDC dc, int savedDC) {
  bool restored = false;
  if (!plat::gdi::WithDC(dc, [&](DeviceContext& d) {
        const int depth = static_cast<int>(d.saved.size());
        const int level = savedDC < 0 ? depth + savedDC + 1 : savedDC;
        if (savedDC == 0 || level < 1 || level > depth) return;
        d.state = d.saved[static_cast<std::size_t>(level - 1)];
        d.saved.resize(static_cast<std::size_t>(level - 1));
        restored = true;
      })) {
    return FALSE;
  }
  RecordGdiCall(dc, "RestoreDC", {savedDC});
  if (!restored) SetLastError(ERROR_INVALID_PARAMETER);
  return restored ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto& table = Gdi();
  HGDIOBJ previous = nullptr;
  {
    std::lock_guard guard(table.lock);
    DeviceContext* d = plat::gdi::LockedDC(table, dc);
    const plat::gdi::GdiObject* o = plat::gdi::LockedObject(table, object);
    if (d == nullptr || o == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    HGDIOBJ* slot = plat::gdi::SlotFor(d->state, o->type);
    // A bitmap goes only into a memory DC, and into one DC at a time.
    if (slot == nullptr || (o->type == OBJ_BITMAP && (d->kind != DcKind::kMemory ||
                                                      plat::gdi::BitmapSelectedElsewhere(table, object, d)))) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    previous = *slot;
    *slot = object;
  }
  RecordGdiCall(dc, "SelectObject", {reinterpret_cast<LONG_PTR>(object)});
  return previous;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  HGDIOBJ current = nullptr;
  plat::gdi::WithDC(dc, [&](DeviceContext& d) {
    HGDIOBJ* slot = plat::gdi::SlotFor(d.state, type);
    current = slot != nullptr ? *slot : nullptr;
  });
  return current;
}

namespace {

// Sets one field of the DC's state and records the call; the old value, or
// `failed` for a handle that is not a DC.
template <class T>
T SetStateField(HDC dc, T value, T failed, T plat::gdi::DcState::*field, const char* call) {
  T old = failed;
  if (!plat::gdi::WithDC(dc, [&](DeviceContext& d) {
        old = d.state.*field;
        d.state.*field = value;
      })) {
    return failed;
  }
  RecordGdiCall(dc, call, {static_cast<LONG_PTR>(value)});
  return old;
}

template <class T>
T GetStateField(HDC dc, T failed, T plat::gdi::DcState::*field) {
  T value = failed;
  plat::gdi::WithDC(dc, [&](DeviceContext& d) { value = d.state.*field; });
  return value;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return SetStateField<COLORREF>(dc, color, CLR_INVALID, &plat::gdi::DcState::textColor, "SetTextColor");
}
COLORREF GetTextColor(HDC dc) { return GetStateField<COLORREF>(dc, CLR_INVALID, &plat::gdi::DcState::textColor); }
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return SetStateField<COLORREF>(dc, color, CLR_INVALID, &plat::gdi::DcState::bkColor, "SetBkColor");
}
COLORREF GetBkColor(HDC dc) { return GetStateField<COLORREF>(dc, CLR_INVALID, &plat::gdi::DcState::bkColor); }

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return SetStateField<int>(dc, mode, 0, &plat::gdi::DcState::bkMode, "SetBkMode");
}
int GetBkMode(HDC dc) { return GetStateField<int>(dc, 0, &plat::gdi::DcState::bkMode); }
