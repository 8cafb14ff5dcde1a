// The static class: a text, or a picture (SS_BITMAP, SS_ICON) whose handle
// STM_SETIMAGE and STM_SETICON set, or that a dialog template names (by
// ordinal or name) and the static loads from the module it is made for,
// taking the image's size unless SS_CENTERIMAGE or SS_REALSIZECONTROL
// keeps its own; a bitmap it loaded itself it deletes when it goes. It lets the mouse through to the window
// beneath unless it asks for notices (SS_NOTIFY), and then tells its parent
// of clicks and double clicks.
#include "platform/gdi/wingdi.h"
#include "platform/modules/winresource.h"
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

constexpr int kOwnedSlot = static_cast<int>(sizeof(LONG_PTR));

// The resource a picture static's window name names: the template's
// 0xFFFF-and-ordinal form, an ordinal, or a name; null for none.
LPCWSTR ImageName(LPCWSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name)) return name;
  if (name[0] == 0xFFFF) return MAKEINTRESOURCEW(static_cast<WORD>(name[1]));
  return name[0] != 0 ? name : nullptr;
}

SIZE ImageSize(DWORD type, HANDLE image) {
  if (type == SS_ICON) return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  BITMAP bm{};
  if (GetObjectW(reinterpret_cast<HGDIOBJ>(image), sizeof(bm), &bm) == 0) return SIZE{};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

LRESULT OnCreate(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  const DWORD type = TypeOf(hwnd);
  LPCWSTR name = ImageName(cs->lpszName);
  if ((type != SS_ICON && type != SS_BITMAP) || name == nullptr) return 0;
  HANDLE image = type == SS_ICON ? static_cast<HANDLE>(LoadIconW(cs->hInstance, name))
                                 : static_cast<HANDLE>(LoadBitmapW(cs->hInstance, name));
  if (image == nullptr) return 0;  // made all the same, without a picture
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(image));
  if (type == SS_BITMAP) SetWindowLongPtrW(hwnd, kOwnedSlot, reinterpret_cast<LONG_PTR>(image));
  const SIZE size = ImageSize(type, image);
  if ((StyleOf(hwnd) & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) == 0 && size.cx > 0) {
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 0;
}

// A bitmap the static loaded is deleted with it, unless STM_SETIMAGE gave
// it back to the program.
LRESULT OnNcDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG_PTR owned = GetWindowLongPtrW(hwnd, kOwnedSlot);
  if (owned != 0 && owned == GetWindowLongPtrW(hwnd, 0)) DeleteObject(reinterpret_cast<HGDIOBJ>(owned));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The picture at the top left, or centred with SS_CENTERIMAGE.
void PaintImage(HWND hwnd, HDC dc, const RECT& client, DWORD type) {
  HANDLE image = reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, 0));
  if (image == nullptr) return;
  const SIZE size = ImageSize(type, image);
  POINT at{0, 0};
  if ((StyleOf(hwnd) & SS_CENTERIMAGE) != 0) at = POINT{(client.right - size.cx) / 2, (client.bottom - size.cy) / 2};
  if (type == SS_ICON) {
    DrawIconEx(dc, at.x, at.y, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    return;
  }
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) return;
  HGDIOBJ old = SelectObject(memory, reinterpret_cast<HGDIOBJ>(image));
  if (old != nullptr) {
    BitBlt(dc, at.x, at.y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  }
  DeleteDC(memory);
}

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

// SS_NOPREFIX shows '&' as it stands. The left, centred and right texts
// break their lines between words; the others keep one line a line.
UINT TextFormat(HWND hwnd) {
  const DWORD type = TypeOf(hwnd);
  const UINT prefix = (StyleOf(hwnd) & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
  if (type == SS_CENTER) return DT_CENTER | DT_WORDBREAK | prefix;
  if (type == SS_RIGHT) return DT_RIGHT | DT_WORDBREAK | prefix;
  if (type == SS_LEFT) return DT_LEFT | DT_WORDBREAK | prefix;
  return DT_LEFT | prefix;
}

// Pictures draw on the parent's brush; texts draw.
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
    PaintImage(hwnd, dc, client, type);
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
    {WM_SETTEXT, OnSetText},    {WM_CREATE, OnCreate},       {WM_NCDESTROY, OnNcDestroy},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
