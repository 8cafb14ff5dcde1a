// The push button as far as the window core needs it (message boxes, and
// tests' own windows): pressed by the left button or the space bar, it
// takes the focus, holds the capture while pressed and tells its parent
// BN_CLICKED when released over itself. The state word in its extra bytes
// holds BST_PUSHED and BST_FOCUS.
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"

namespace plat::window {
namespace {

LONG_PTR State(HWND hwnd) { return GetWindowLongPtrW(hwnd, 0); }

void SetState(HWND hwnd, LONG_PTR state) {
  if (State(hwnd) == state) return;
  SetWindowLongPtrW(hwnd, 0, state);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Flag(HWND hwnd, LONG_PTR flag, bool on) { SetState(hwnd, on ? (State(hwnd) | flag) : (State(hwnd) & ~flag)); }

void Clicked(HWND hwnd) {
  SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), BN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd));
}

bool Inside(HWND hwnd, LPARAM lParam) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

LRESULT OnButtonDown(HWND hwnd, UINT, WPARAM, LPARAM) {
  SetFocus(hwnd);
  SetCapture(hwnd);
  Flag(hwnd, BST_PUSHED, true);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (GetCapture() == hwnd) Flag(hwnd, BST_PUSHED, Inside(hwnd, lParam));
  return 0;
}

LRESULT OnButtonUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (GetCapture() != hwnd) return 0;
  const bool pressed = (State(hwnd) & BST_PUSHED) != 0 && Inside(hwnd, lParam);
  ReleaseCapture();  // WM_CAPTURECHANGED lifts the button
  if (pressed && IsWindow(hwnd)) Clicked(hwnd);
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, UINT, WPARAM, LPARAM) {
  Flag(hwnd, BST_PUSHED, false);
  return 0;
}

LRESULT OnKeyDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_SPACE) return DefWindowProcW(hwnd, message, wParam, lParam);
  Flag(hwnd, BST_PUSHED, true);
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_SPACE) return DefWindowProcW(hwnd, message, wParam, lParam);
  const bool pressed = (State(hwnd) & BST_PUSHED) != 0;
  Flag(hwnd, BST_PUSHED, false);
  if (pressed) Clicked(hwnd);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  Flag(hwnd, BST_FOCUS, true);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, UINT, WPARAM, LPARAM) {
  Flag(hwnd, BST_FOCUS | BST_PUSHED, false);
  return 0;
}

LRESULT OnDialogCode(HWND hwnd, UINT, WPARAM, LPARAM) {
  const DWORD type = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & BS_TYPEMASK;
  return DLGC_BUTTON | (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT OnGetState(HWND hwnd, UINT, WPARAM, LPARAM) { return State(hwnd); }

LRESULT OnClick(HWND hwnd, UINT, WPARAM, LPARAM) {
  Clicked(hwnd);
  return 0;
}

constexpr MessageRow kRows[] = {
    {WM_LBUTTONDOWN, OnButtonDown},     {WM_LBUTTONDBLCLK, OnButtonDown}, {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONUP, OnButtonUp},         {WM_CAPTURECHANGED, OnCaptureChanged},
    {WM_KEYDOWN, OnKeyDown},            {WM_KEYUP, OnKeyUp},              {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},        {WM_GETDLGCODE, OnDialogCode},    {BM_GETSTATE, OnGetState},
    {BM_CLICK, OnClick},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
