// DefWindowProcW: the default handling of every message, one row per
// message; messages without a row answer 0.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/text/wintext.h"
#include "platform/window/message_table.h"
#include "platform/window/own_scrollbars.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

HWND ParentOfChild(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  return w != nullptr && (w->style & WS_CHILD) != 0 ? w->parent : nullptr;
}

void SetText(HWND hwnd, LPCWSTR text) {
  std::lock_guard guard(UserLock());
  Window* w = LockedWindow(hwnd);
  if (w == nullptr) return;
  w->text = text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
  if ((w->style & WS_CAPTION) == WS_CAPTION) w->frame = true;  // the caption shows the text
}

LRESULT OnNcCreate(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  if (cs != nullptr && cs->lpszName != nullptr && (reinterpret_cast<ULONG_PTR>(cs->lpszName) >> 16) != 0) {
    SetText(hwnd, cs->lpszName);
  }
  return TRUE;
}

LRESULT OnNcCalcSize(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (rect == nullptr) return 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return 0;
    style = w->style;
    exStyle = w->exStyle;
  }
  const RECT inset = FrameInsets(style, exStyle);
  const RECT bars = OwnScrollBarInsets(style);
  rect->left += inset.left;
  rect->top += inset.top;
  rect->right = std::max(rect->left, rect->right - inset.right - bars.right);
  rect->bottom = std::max(rect->top, rect->bottom - inset.bottom - bars.bottom);
  return 0;
}

LRESULT OnNcHitTest(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  if (w == nullptr) return HTNOWHERE;
  const RECT r = LockedScreenRect(*w);
  if (!PtInRect(&r, p)) return HTNOWHERE;
  const RECT client{r.left + w->client.left, r.top + w->client.top, r.left + w->client.right, r.top + w->client.bottom};
  if (PtInRect(&client, p)) return HTCLIENT;
  if (const LRESULT bar = LockedOwnScrollBarHit(*w, p); bar != HTNOWHERE) return bar;
  const RECT inset = FrameInsets(w->style, w->exStyle);
  if ((w->style & WS_CAPTION) == WS_CAPTION && p.y < client.top && p.y >= r.top + inset.left) return HTCAPTION;
  return HTBORDER;
}

LRESULT OnNcPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PaintNonClient(hwnd, GetActiveWindow() == hwnd);
  return 0;
}

// The caption shows the change at once.
LRESULT OnNcActivate(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (IsWindowVisible(hwnd)) PaintNonClient(hwnd, wParam != FALSE);
  return TRUE;
}

LRESULT OnNcButtonDown(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  OwnScrollBarPress(hwnd, wParam, lParam);
  return 0;
}

// The mouse while one of the window's own bars holds it.
LRESULT OnBarMouse(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  OwnScrollBarMouse(hwnd, message, lParam);
  return 0;
}

LRESULT OnSetText(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  SetText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
  return TRUE;
}

LRESULT OnGetText(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<LPWSTR>(lParam);
  if (buffer == nullptr || wParam == 0) return 0;
  std::u16string text;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return 0;
    text = w->text;
  }
  lstrcpynW(buffer, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
  return lstrlenW(buffer);
}

LRESULT OnGetTextLength(HWND hwnd, UINT, WPARAM, LPARAM) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  return w == nullptr ? 0 : static_cast<LRESULT>(w->text.size());
}

LRESULT OnEraseBackground(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  HBRUSH brush = nullptr;
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return 0;
    brush = w->cls->background;
  }
  if (brush == nullptr) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  return FillRect(reinterpret_cast<HDC>(wParam), &client, brush) != 0 ? 1 : 0;
}

LRESULT OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  if (BeginPaint(hwnd, &ps) != nullptr) EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnClose(HWND hwnd, UINT, WPARAM, LPARAM) {
  DestroyWindow(hwnd);
  return 0;
}

// The parent of a child decides first; a window asked on behalf of a child
// (wParam another window) only passes the question on.
LRESULT OnSetCursor(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND parent = ParentOfChild(hwnd)) {
    if (SendMessageW(parent, message, wParam, lParam) != 0) return TRUE;
  }
  if (reinterpret_cast<HWND>(wParam) != hwnd) return FALSE;
  const auto hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
  const UINT mouse = HIWORD(static_cast<DWORD_PTR>(lParam));
  if (hit == HTERROR) {
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
    return FALSE;
  }
  HCURSOR cursor = nullptr;
  if (hit == HTCLIENT) {
    std::lock_guard guard(UserLock());
    if (const Window* w = LockedWindow(hwnd)) cursor = w->cls->cursor;
  } else {
    cursor = LoadCursorW(nullptr, IDC_ARROW);
  }
  if (cursor == nullptr) return FALSE;
  SetCursor(cursor);
  return TRUE;
}

LRESULT OnMouseActivate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND parent = ParentOfChild(hwnd)) {
    if (const LRESULT answer = SendMessageW(parent, message, wParam, lParam)) return answer;
  }
  return MA_ACTIVATE;
}

LRESULT OnActivate(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
  return 0;
}

LRESULT OnWindowPosChanged(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (pos == nullptr) return 0;
  if ((pos->flags & SWP_NOMOVE) == 0) SendMove(hwnd);
  if ((pos->flags & SWP_NOSIZE) == 0) SendSize(hwnd);
  return 0;
}

LRESULT OnCancelMode(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (GetCapture() == hwnd) ReleaseCapture();
  return 0;
}

// Edits and lists draw on the window colour, everything else on the face.
LRESULT OnCtlColor(HWND, UINT message, WPARAM wParam, LPARAM) {
  const auto dc = reinterpret_cast<HDC>(wParam);
  const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const int face = message == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : (window ? COLOR_WINDOW : COLOR_3DFACE);
  SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(face));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(face));
}

// Help and context menus go up to the parent of a child (or the owner of a
// top-level window for help).
LRESULT OnHelp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND up = ParentOfChild(hwnd);
  if (up == nullptr) up = GetWindow(hwnd, GW_OWNER);
  return up != nullptr ? SendMessageW(up, message, wParam, lParam) : TRUE;
}

LRESULT OnContextMenu(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND parent = ParentOfChild(hwnd)) SendMessageW(parent, message, wParam, lParam);
  return 0;
}

LRESULT OnRightButtonUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &p);
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
               MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  return 0;
}

constexpr MessageRow kDefaultRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_NCCALCSIZE, OnNcCalcSize},
    {WM_NCHITTEST, OnNcHitTest},
    {WM_NCACTIVATE, OnNcActivate},
    {WM_NCPAINT, OnNcPaint},
    {WM_NCLBUTTONDOWN, OnNcButtonDown},
    {WM_NCLBUTTONDBLCLK, OnNcButtonDown},
    {WM_MOUSEMOVE, OnBarMouse},
    {WM_LBUTTONUP, OnBarMouse},
    {WM_CAPTURECHANGED, OnBarMouse},
    {WM_SETTEXT, OnSetText},
    {WM_GETTEXT, OnGetText},
    {WM_GETTEXTLENGTH, OnGetTextLength},
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_PAINT, OnPaint},
    {WM_CLOSE, OnClose},
    {WM_SETCURSOR, OnSetCursor},
    {WM_MOUSEACTIVATE, OnMouseActivate},
    {WM_ACTIVATE, OnActivate},
    {WM_WINDOWPOSCHANGED, OnWindowPosChanged},
    {WM_CANCELMODE, OnCancelMode},
    {WM_CTLCOLORMSGBOX, OnCtlColor},
    {WM_CTLCOLOREDIT, OnCtlColor},
    {WM_CTLCOLORLISTBOX, OnCtlColor},
    {WM_CTLCOLORBTN, OnCtlColor},
    {WM_CTLCOLORDLG, OnCtlColor},
    {WM_CTLCOLORSCROLLBAR, OnCtlColor},
    {WM_CTLCOLORSTATIC, OnCtlColor},
    {WM_HELP, OnHelp},
    {WM_CONTEXTMENU, OnContextMenu},
    {WM_RBUTTONUP, OnRightButtonUp},
};

LRESULT AnswerZero(HWND, UINT, WPARAM, LPARAM) { return 0; }

constexpr MessageTable kDefaultTable = TableOf(kDefaultRows, AnswerZero);

}  // namespace
}  // namespace plat::window

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return plat::window::DispatchByTable(plat::window::kDefaultTable, hwnd, message, wParam, lParam);
}
