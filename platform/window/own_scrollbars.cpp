// A window's own scroll bars (WS_HSCROLL, WS_VSCROLL): their state in the
// window's record, the scroll calls for SB_HORZ, SB_VERT and SB_BOTH (SB_CTL
// goes to the scroll bar control's messages), and the bars in the frame:
// measured inside the client edge, painted with the frame, hit-tested as
// HTHSCROLL/HTVSCROLL, and pressed with the mouse through DefWindowProcW,
// which tells the window itself WM_HSCROLL/WM_VSCROLL with lParam 0.
// Setting a range or page shows a bar that has something to scroll and
// hides one that has not (disables it with SIF_DISABLENOSCROLL).
#include <vector>

#include "platform/base/winerror.h"
#include "platform/window/controls/scroll_logic.h"
#include "platform/window/message_queue.h"
#include "platform/window/own_scrollbars.h"
#include "platform/window/window_internal.h"

namespace plat::window {
namespace {

bool IsOwnBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }
DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }
int Index(int bar) { return bar == SB_HORZ ? 0 : 1; }

// With the lock held: asks for the frame to be painted again.
void LockedRedrawFrame(Window& w) {
  w.frame = true;
  LockedListForPaint(w);
  if (ThreadQueue* q = LockedQueueOf(w.thread)) q->wake.notify_all();
}

// Runs change(ScrollState&) on one bar under the lock.
template <class Change>
bool ChangeBar(HWND hwnd, int bar, bool redraw, Change change) {
  std::lock_guard guard(UserLock());
  Window* w = LockedWindowOrError(hwnd);
  if (w == nullptr) return false;
  change(w->bars[Index(bar)]);
  if (redraw) LockedRedrawFrame(*w);
  return true;
}

template <class Read>
bool ReadBar(HWND hwnd, int bar, bool mustShow, Read read) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindowOrError(hwnd);
  if (w == nullptr) return false;
  if (mustShow && (w->style & StyleBit(bar)) == 0) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return false;
  }
  read(w->bars[Index(bar)]);
  return true;
}

// Shows or hides bars by their style bits; the frame is measured again.
void ShowBars(HWND hwnd, DWORD bits, bool show) {
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  const DWORD wanted = show ? (style | bits) : (style & ~bits);
  if (wanted == style) return;
  SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HasSomethingToScroll(const ScrollState& s) {
  return s.max > s.min && (s.page == 0 || static_cast<long long>(s.page) <= static_cast<long long>(s.max) - s.min);
}

// After a range or page change: shown when it scrolls; else hidden, or
// kept and disabled when asked.
void FitBar(HWND hwnd, int bar, const ScrollState& s, bool keepDisabled) {
  const bool needed = HasSomethingToScroll(s);
  if (keepDisabled && !needed) {
    ChangeBar(hwnd, bar, true, [](ScrollState& state) { state.disabledArrows = ESB_DISABLE_BOTH; });
    ShowBars(hwnd, StyleBit(bar), true);
    return;
  }
  if (keepDisabled) ChangeBar(hwnd, bar, true, [](ScrollState& state) { state.disabledArrows = ESB_ENABLE_BOTH; });
  ShowBars(hwnd, StyleBit(bar), needed);
}

// With the lock held: where a bar lies in window coordinates, beside the
// client area; false when the window does not show it.
bool LockedPlace(const Window& w, int bar, BarPlace* place) {
  if ((w.style & StyleBit(bar)) == 0) return false;
  const RECT& c = w.client;
  if (bar == SB_VERT) {
    *place = BarPlace{RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom}, true};
  } else {
    *place = BarPlace{RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)}, false};
  }
  return true;
}

void TellOwn(HWND hwnd, int bar, const std::vector<ScrollTell>& tells) {
  for (const ScrollTell& t : tells) {
    SendMessageW(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(t.code, static_cast<WORD>(t.pos)), 0);
  }
}

// The bar that holds the mouse, or -1.
int PressedBar(HWND hwnd) {
  std::lock_guard guard(UserLock());
  const Window* w = LockedWindow(hwnd);
  if (w == nullptr) return -1;
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (w->bars[Index(bar)].pressed) return bar;
  }
  return -1;
}

// Runs one step of the mouse on a bar: work(place, copy) decides what to
// tell on a copy of the state, whose mouse fields go back under the lock;
// the program's own changes made meanwhile stay.
template <class Work>
void MouseOnBar(HWND hwnd, int bar, Work work) {
  std::vector<ScrollTell> tells;
  {
    std::lock_guard guard(UserLock());
    Window* w = LockedWindow(hwnd);
    BarPlace place{};
    if (w == nullptr || !LockedPlace(*w, bar, &place)) return;
    ScrollState copy = w->bars[Index(bar)];
    tells = work(place, copy);
    ScrollState& kept = w->bars[Index(bar)];
    kept.tracking = copy.tracking;
    kept.trackPos = copy.trackPos;
    kept.grabOffset = copy.grabOffset;
    kept.pressed = copy.pressed;
  }
  TellOwn(hwnd, bar, tells);
}

// A client point (where captured mouse messages come) in window coordinates.
POINT WindowPointOfClient(HWND hwnd, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  std::lock_guard guard(UserLock());
  if (const Window* w = LockedWindow(hwnd)) {
    p.x += w->client.left;
    p.y += w->client.top;
  }
  return p;
}

}  // namespace

RECT OwnScrollBarInsets(DWORD style) {
  return RECT{0, 0, (style & WS_VSCROLL) != 0 ? GetSystemMetrics(SM_CXVSCROLL) : 0,
              (style & WS_HSCROLL) != 0 ? GetSystemMetrics(SM_CYHSCROLL) : 0};
}

LRESULT LockedOwnScrollBarHit(const Window& w, POINT screen) {
  const RECT r = LockedScreenRect(w);
  const POINT p{screen.x - r.left, screen.y - r.top};
  for (int bar : {SB_VERT, SB_HORZ}) {
    BarPlace place{};
    if (LockedPlace(w, bar, &place) && PtInRect(&place.area, p)) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  return HTNOWHERE;
}

void PaintOwnScrollBars(HWND hwnd, HDC windowDc) {
  struct Shown {
    BarPlace place;
    ScrollState state;
  };
  std::vector<Shown> shown;
  RECT corner{};
  {
    std::lock_guard guard(UserLock());
    const Window* w = LockedWindow(hwnd);
    if (w == nullptr) return;
    for (int bar : {SB_HORZ, SB_VERT}) {
      BarPlace place{};
      if (LockedPlace(*w, bar, &place)) shown.push_back(Shown{place, w->bars[Index(bar)]});
    }
    if (shown.size() == 2) {
      corner = RECT{shown[1].place.area.left, shown[0].place.area.top, shown[1].place.area.right,
                    shown[0].place.area.bottom};
    }
  }
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  for (const Shown& s : shown) {
    PaintScrollBar(windowDc, s.place, s.state, GetSysColorBrush(COLOR_SCROLLBAR), enabled);
  }
  if (!IsRectEmpty(&corner)) FillRect(windowDc, &corner, GetSysColorBrush(COLOR_3DFACE));
}

bool OwnScrollBarPress(HWND hwnd, WPARAM hit, LPARAM lParam) {
  if (hit != HTVSCROLL && hit != HTHSCROLL) return false;
  const int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  RECT r{};
  GetWindowRect(hwnd, &r);
  const POINT p{GET_X_LPARAM(lParam) - r.left, GET_Y_LPARAM(lParam) - r.top};
  SetCapture(hwnd);
  MouseOnBar(hwnd, bar, [&](const BarPlace& place, ScrollState& s) {
    s.pressed = true;
    return ScrollPress(place, s, p);
  });
  return true;
}

bool OwnScrollBarMouse(HWND hwnd, UINT message, LPARAM lParam) {
  const int bar = PressedBar(hwnd);
  if (bar < 0) return false;
  if (message == WM_MOUSEMOVE) {
    const POINT p = WindowPointOfClient(hwnd, lParam);
    MouseOnBar(hwnd, bar, [&](const BarPlace& place, ScrollState& s) { return ScrollDrag(place, s, p); });
    return true;
  }
  if (message == WM_LBUTTONUP) {
    MouseOnBar(hwnd, bar, [](const BarPlace&, ScrollState& s) {
      s.pressed = false;
      return ScrollRelease(s);
    });
    if (GetCapture() == hwnd) ReleaseCapture();
    return true;
  }
  // The capture went elsewhere: the press ends without a word.
  ChangeBar(hwnd, bar, false, [](ScrollState& s) {
    s.pressed = false;
    s.tracking = false;
  });
  return true;
}

}  // namespace plat::window

using plat::window::ScrollState;

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (bar == SB_CTL) return SendMessageW(hwnd, SBM_ENABLE_ARROWS, arrows, 0) != 0 ? TRUE : FALSE;
  if (!plat::window::IsOwnBar(static_cast<int>(bar)) && bar != SB_BOTH) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  const DWORD wanted = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : plat::window::StyleBit(static_cast<int>(bar));
  if (!IsWindow(hwnd)) return FALSE;
  if ((style & wanted) == 0) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return FALSE;
  }
  bool changed = false;
  for (int each : {SB_HORZ, SB_VERT}) {
    if (bar != SB_BOTH && static_cast<int>(bar) != each) continue;
    if (!plat::window::ChangeBar(hwnd, each, true, [&](ScrollState& s) {
          changed = changed || s.disabledArrows != (arrows & ESB_DISABLE_BOTH);
          s.disabledArrows = arrows & ESB_DISABLE_BOTH;
        })) {
      return FALSE;
    }
  }
  return changed ? TRUE : FALSE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (bar == SB_CTL) {
    return static_cast<int>(SendMessageW(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                         reinterpret_cast<LPARAM>(info)));
  }
  if (!plat::window::IsOwnBar(bar) || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ScrollState after;
  if (!plat::window::ChangeBar(hwnd, bar, redraw != FALSE, [&](ScrollState& s) {
        plat::window::ApplyScrollInfo(s, *info);
        after = s;
      })) {
    return 0;
  }
  if ((info->fMask & (SIF_RANGE | SIF_PAGE)) != 0) {
    plat::window::FitBar(hwnd, bar, after, (info->fMask & SIF_DISABLENOSCROLL) != 0);
  }
  return after.pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  if (bar == SB_CTL) return SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0 ? TRUE : FALSE;
  if (!plat::window::IsOwnBar(bar) || info == nullptr || info->cbSize != sizeof(SCROLLINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::ReadBar(hwnd, bar, true, [&](const ScrollState& s) { plat::window::ReadScrollInfo(s, *info); })
             ? TRUE
             : FALSE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  if (bar == SB_CTL) return static_cast<int>(SendMessageW(hwnd, SBM_SETPOS, static_cast<WPARAM>(pos), redraw));
  if (!plat::window::IsOwnBar(bar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int old = 0;
  plat::window::ChangeBar(hwnd, bar, redraw != FALSE, [&](ScrollState& s) {
    old = s.pos;
    s.pos = plat::window::ClampScroll(s, pos);
  });
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  if (bar == SB_CTL) return static_cast<int>(SendMessageW(hwnd, SBM_GETPOS, 0, 0));
  int pos = 0;
  if (!plat::window::IsOwnBar(bar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  plat::window::ReadBar(hwnd, bar, true, [&](const ScrollState& s) { pos = s.pos; });
  return pos;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (static_cast<long long>(maxPos) - minPos > 0x7FFFFFFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (bar == SB_CTL) {
    SendMessageW(hwnd, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(minPos), maxPos);
    return TRUE;
  }
  SCROLLINFO si{sizeof(si), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetLastError(0);
  SetScrollInfo(hwnd, bar, &si, redraw);
  return GetLastError() == 0 ? TRUE : FALSE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  if (minPos == nullptr || maxPos == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (bar == SB_CTL) {
    SendMessageW(hwnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(minPos), reinterpret_cast<LPARAM>(maxPos));
    return TRUE;
  }
  if (!plat::window::IsOwnBar(bar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return plat::window::ReadBar(hwnd, bar, true, [&](const ScrollState& s) {
           *minPos = s.min;
           *maxPos = s.max;
         })
             ? TRUE
             : FALSE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (bar == SB_CTL) {
    ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    return TRUE;
  }
  const DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : plat::window::IsOwnBar(bar) ? plat::window::StyleBit(bar) : 0;
  if (bits == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  plat::window::ShowBars(hwnd, bits, show != FALSE);
  return TRUE;
}
