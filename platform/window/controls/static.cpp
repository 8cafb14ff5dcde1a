// The static control as far as the window core needs it: it lets the mouse
// through to the window beneath unless it asks for notices (SS_NOTIFY), and
// then tells its parent of clicks.
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"

namespace plat::window {
namespace {

bool Notifies(HWND hwnd) { return (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & SS_NOTIFY) != 0; }

LRESULT OnHitTest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Notifies(hwnd)) return HTTRANSPARENT;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT OnClick(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (Notifies(hwnd)) {
    SendMessageW(GetParent(hwnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), STN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
  }
  return 0;
}

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_STATIC; }

constexpr MessageRow kRows[] = {
    {WM_NCHITTEST, OnHitTest},
    {WM_LBUTTONUP, OnClick},
    {WM_GETDLGCODE, OnDialogCode},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
