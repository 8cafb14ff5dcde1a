// InitCommonControlsEx: the common control classes, one row each, registered
// as global classes when a caller asks for their ICC_ group (a new common
// control is one more row here), and the small helpers the controls share.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/base/winerror.h"
#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl/commctrl_internal.h"
#include "platform/window/controls/controls.h"

namespace plat::window {
namespace {

constexpr WORD kArrow = 32512;

struct CommonClassRow {
  DWORD group;  // ICC_ bit
  const char16_t* name;
  UINT style;
  WNDPROC proc;
  int wndExtra;
  int background;  // a system colour index + 1, or 0
};

constexpr CommonClassRow kCommonClasses[] = {
    {ICC_LISTVIEW_CLASSES, WC_LISTVIEWW, CS_DBLCLKS, ListViewWindowProc, kRecordExtra, 0},
    {ICC_TREEVIEW_CLASSES, WC_TREEVIEWW, CS_DBLCLKS, TreeViewWindowProc, kRecordExtra, 0},
    {ICC_BAR_CLASSES, TRACKBAR_CLASSW, CS_DBLCLKS, TrackbarWindowProc, kRecordExtra, 0},
};

// TRUE when the class is registered now or was before.
BOOL Register(const CommonClassRow& row) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(nullptr, reinterpret_cast<LPCWSTR>(row.name), &wc)) return TRUE;
  wc.style = row.style | CS_GLOBALCLASS;
  wc.lpfnWndProc = row.proc;
  wc.cbWndExtra = row.wndExtra;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(kArrow));
  wc.hbrBackground = row.background != 0 ? reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(row.background)) : nullptr;
  wc.lpszClassName = reinterpret_cast<LPCWSTR>(row.name);
  return RegisterClassExW(&wc) != 0 ? TRUE : FALSE;
}

}  // namespace

UINT HeldKeyFlags() {
  UINT flags = 0;
  if (GetKeyState(VK_MENU) < 0) flags |= LVKF_ALT;
  if (GetKeyState(VK_CONTROL) < 0) flags |= LVKF_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) flags |= LVKF_SHIFT;
  return flags;
}

std::u16string TextFrom(LPCWSTR text) {
  if (text == nullptr || text == LPSTR_TEXTCALLBACKW) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

int CopyText(const std::u16string& text, LPWSTR out, int max) {
  if (out == nullptr || max <= 0) return 0;
  const auto n = static_cast<int>(std::min<std::size_t>(text.size(), static_cast<std::size_t>(max - 1)));
  std::memcpy(out, text.data(), static_cast<std::size_t>(n) * sizeof(WCHAR));
  out[n] = 0;
  return n;
}

int TextWidthIn(HWND control, const std::u16string& text) {
  HDC dc = GetDC(control);
  SIZE size{};
  GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
  ReleaseDC(control, dc);
  return static_cast<int>(size.cx);
}

LRESULT FocusChange(HWND hwnd, UINT message, WPARAM, LPARAM) {
  InvalidateRect(hwnd, nullptr, TRUE);
  SendNotifyCode(hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
  return 0;
}

}  // namespace plat::window

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BOOL all = TRUE;
  for (const plat::window::CommonClassRow& row : plat::window::kCommonClasses) {
    if ((picce->dwICC & row.group) != 0 && !plat::window::Register(row)) all = FALSE;
  }
  return all;
}

void InitCommonControls() {
  const INITCOMMONCONTROLSEX everything{sizeof(INITCOMMONCONTROLSEX), ~DWORD{0}};
  InitCommonControlsEx(&everything);
}
