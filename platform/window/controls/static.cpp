// The static class: a text, or a picture (SS_BITMAP, SS_ICON) whose handle
// STM_SETIMAGE and STM_SETICON set. It lets the mouse through to the window
// beneath unless it asks for notices (SS_NOTIFY), and then tells its parent
// of clicks and double clicks.
#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"
#include "platform/window/winuser_draw.h"

namespace plat::window {
namespace {

bool Notifies(HWND hwnd) { return (StyleOf(hwnd) & SS_NOTIFY) != 0; }
DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

LRESULT OnHitTest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Notifies(hwnd)) return HTTRANSPARENT;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT OnClick(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (Notifies(hwnd)) Notify(hwnd, STN_CLICKED);
  return 0;
}

LRESULT OnDoubleClick(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (Notifies(hwnd)) Notify(hwnd, STN_DBLCLK);
  return 0;
}

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_STATIC; }

// The image of a picture static; the answer is the image it replaces.
LRESULT SetImage(HWND hwnd, DWORD wanted, LONG_PTR image) {
  if (TypeOf(hwnd) != wanted) return 0;
  const LONG_PTR old = SetWindowLongPtrW(hwnd, 0, image);
  InvalidateRect(hwnd, nullptr, TRUE);
  return old;
}

LRESULT OnSetImage(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  return SetImage(hwnd, wParam == IMAGE_ICON ? SS_ICON : SS_BITMAP, lParam);
}

LRESULT OnGetImage(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  return TypeOf(hwnd) == (wParam == IMAGE_ICON ? SS_ICON : SS_BITMAP) ? GetWindowLongPtrW(hwnd, 0) : 0;
}

LRESULT OnSetIcon(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  return SetImage(hwnd, SS_ICON, static_cast<LONG_PTR>(wParam));
}

LRESULT OnGetIcon(HWND hwnd, UINT, WPARAM, LPARAM) {
  return TypeOf(hwnd) == SS_ICON ? GetWindowLongPtrW(hwnd, 0) : 0;
}

// SS_NOPREFIX shows '&' as it stands.
UINT TextFormat(HWND hwnd) {
  const DWORD type = TypeOf(hwnd);
  const UINT prefix = (StyleOf(hwnd) & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
  if (type == SS_CENTER) return DT_CENTER | prefix;
  if (type == SS_RIGHT) return DT_RIGHT | prefix;
  return DT_LEFT | prefix;
}

// Pictures fill their frame until images can be drawn; texts draw.
LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  const DWORD type = TypeOf(hwnd);
  RECT client{};
  GetClientRect(hwnd, &client);
  if (type == SS_OWNERDRAW) {
    SendDrawItem(hwnd, dc, ODT_STATIC, 0, ODA_DRAWENTIRE, IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED, client, 0);
  } else if (type == SS_BITMAP || type == SS_ICON) {
    FillRect(dc, &client, ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC));
  } else {
    PaintFlat(hwnd, dc, WM_CTLCOLORSTATIC, TextFormat(hwnd));
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnSetText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
  InvalidateRect(hwnd, nullptr, TRUE);
  return result;
}

constexpr MessageRow kRows[] = {
    {WM_NCHITTEST, OnHitTest},   {WM_LBUTTONUP, OnClick},     {WM_LBUTTONDBLCLK, OnDoubleClick},
    {WM_GETDLGCODE, OnDialogCode}, {STM_SETIMAGE, OnSetImage}, {STM_GETIMAGE, OnGetImage},
    {STM_SETICON, OnSetIcon},    {STM_GETICON, OnGetIcon},    {WM_PAINT, OnPaint},
    {WM_SETTEXT, OnSetText},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
