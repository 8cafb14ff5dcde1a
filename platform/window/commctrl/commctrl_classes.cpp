// InitCommonControlsEx: the common control classes, one row each, registered
// as global classes when a caller asks for their ICC_ group. A new common
// control is one more row here.
#include <iterator>

#include "platform/base/winerror.h"
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
