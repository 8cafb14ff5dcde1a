// Window longs (the procedure, instance, parent, id, styles, user data and
// the class's extra bytes), subclass chains through CallWindowProcW, and
// window text through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH.
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/text/wintext.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_object.h"

namespace plat::window {
namespace {

// With the lock held: the value behind an index, or false (last error
// ERROR_INVALID_INDEX) for an index the window does not have.
bool LockedRead(const Window& w, int index, std::size_t width, LONG_PTR* value) {
  switch (index) {
    case GWLP_WNDPROC: *value = reinterpret_cast<LONG_PTR>(w.proc); return true;
    case GWLP_HINSTANCE: *value = reinterpret_cast<LONG_PTR>(w.instance); return true;
    case GWLP_HWNDPARENT:
      *value = reinterpret_cast<LONG_PTR>((w.style & WS_CHILD) != 0 ? w.parent : w.owner);
      return true;
    case GWLP_ID: *value = w.id; return true;
    case GWL_STYLE: *value = static_cast<LONG>(w.style); return true;
    case GWL_EXSTYLE: *value = static_cast<LONG>(w.exStyle); return true;
    case GWLP_USERDATA: *value = w.userData; return true;
    default: break;
  }
  if (index < 0 || static_cast<std::size_t>(index) + width > w.extra.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return false;
  }
  if (width == sizeof(LONG_PTR)) {
    std::memcpy(value, w.extra.data() + index, width);
  } else {
    LONG narrow = 0;
    std::memcpy(&narrow, w.extra.data() + index, width);
    *value = narrow;
  }
  return true;
}

// With the lock held: stores a value; the index was checked by LockedRead.
void LockedWrite(Window& w, int index, std::size_t width, LONG_PTR value) {
  switch (index) {
    case GWLP_WNDPROC: w.proc = reinterpret_cast<WNDPROC>(value); return;
    case GWLP_HINSTANCE: w.instance = reinterpret_cast<HINSTANCE>(value); return;
    case GWLP_HWNDPARENT:
      if ((w.style & WS_CHILD) == 0) w.owner = reinterpret_cast<HWND>(value);
      return;
    case GWLP_ID: w.id = value; return;
    case GWL_STYLE: w.style = static_cast<DWORD>(value); return;
    case GWL_EXSTYLE: w.exStyle = static_cast<DWORD>(value); return;
    case GWLP_USERDATA: w.userData = value; return;
    default: break;
  }
  if (width == sizeof(LONG_PTR)) {
    std::memcpy(w.extra.data() + index, &value, width);
  } else {
    const LONG narrow = static_cast<LONG>(value);
    std::memcpy(w.extra.data() + index, &narrow, width);
  }
}

LONG_PTR Get(HWND hwnd, int index, std::size_t width) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindowOrError(hwnd);
  LONG_PTR value = 0;
  if (w == nullptr || !LockedRead(*w, index, width, &value)) return 0;
  return value;
}

LONG_PTR Set(HWND hwnd, int index, std::size_t width, LONG_PTR value) {
  LONG_PTR old = 0;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindowOrError(hwnd);
    if (w == nullptr || !LockedRead(*w, index, width, &old)) return 0;
  }
  const bool styles = index == GWL_STYLE || index == GWL_EXSTYLE;
  STYLESTRUCT change{static_cast<DWORD>(old), static_cast<DWORD>(value)};
  if (styles) SendMessageW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  {
    std::lock_guard guard(UserLock());
    Window* w = LockedWindowOrError(hwnd);
    if (w == nullptr) return 0;
    LockedWrite(*w, index, width, styles ? static_cast<LONG_PTR>(change.styleNew) : value);
  }
  if (styles) SendMessageW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  return old;
}

// The 32-bit calls have no place for a pointer: the indexes that hold one
// are not theirs.
bool PointerIndex(int index) { return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT; }

}  // namespace
}  // namespace plat::window

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) { return plat::window::Get(hwnd, index, sizeof(LONG_PTR)); }

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  return plat::window::Set(hwnd, index, sizeof(LONG_PTR), value);
}

LONG GetWindowLongW(HWND hwnd, int index) {
  if (plat::window::PointerIndex(index)) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  return static_cast<LONG>(plat::window::Get(hwnd, index, sizeof(LONG)));
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  if (plat::window::PointerIndex(index)) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  return static_cast<LONG>(plat::window::Set(hwnd, index, sizeof(LONG), value));
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return plat::window::CallProc(proc, hwnd, message, wParam, lParam);
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount) {
  if (text == nullptr || maxCount <= 0) return 0;
  text[0] = 0;
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthW(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
