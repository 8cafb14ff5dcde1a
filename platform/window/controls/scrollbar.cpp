// The scroll bar class (SBS_HORZ, SBS_VERT). The program sets the range,
// page and position; the user's input becomes WM_HSCROLL or WM_VSCROLL to
// the parent, with the bar's handle in lParam, and never moves the thumb
// itself: the parent answers with SBM_SETPOS. A press on an arrow asks for
// a line, on the shaft for a page; dragging the thumb tells SB_THUMBTRACK
// and, at the release, SB_THUMBPOSITION; every release ends with
// SB_ENDSCROLL. Keys: arrows for lines, Page Up and Page Down for pages,
// Home and End for the ends. A disabled arrow does nothing.
#include <algorithm>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/scroll_logic.h"
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"

namespace plat::window {
namespace {

using BarState = ScrollState;

BarState* StateOf(HWND hwnd) { return RecordOf<BarState>(hwnd); }
bool Vertical(HWND hwnd) { return (StyleOf(hwnd) & SBS_VERT) != 0; }

BarPlace PlaceOf(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return BarPlace{client, Vertical(hwnd)};
}

// The parent hears, with the bar's handle in lParam.
void Tell(HWND hwnd, const std::vector<ScrollTell>& tells) {
  for (const ScrollTell& t : tells) {
    SendMessageW(GetParent(hwnd), Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(t.code, static_cast<WORD>(t.pos)), reinterpret_cast<LPARAM>(hwnd));
  }
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new BarState));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

using BarHandler = LRESULT (*)(HWND, BarState&, WPARAM, LPARAM);

template <BarHandler H>
constexpr WNDPROC WithState = WithRecord<BarState, H, 0>;

LRESULT Redrawn(HWND hwnd, BOOL redraw, LRESULT answer) {
  if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
  return answer;
}

LRESULT SetPos(HWND hwnd, BarState& s, WPARAM wParam, LPARAM lParam) {
  const int old = s.pos;
  s.pos = ClampScroll(s, static_cast<int>(wParam));
  return Redrawn(hwnd, lParam != 0, old);
}
LRESULT GetPos(HWND, BarState& s, WPARAM, LPARAM) { return s.pos; }
LRESULT SetRange(HWND hwnd, BarState& s, WPARAM wParam, LPARAM lParam) {
  const int old = s.pos;
  s.min = static_cast<int>(wParam);
  s.max = std::max(s.min, static_cast<int>(lParam));
  s.pos = ClampScroll(s, s.pos);
  return Redrawn(hwnd, FALSE, old);
}
LRESULT SetRangeRedraw(HWND hwnd, BarState& s, WPARAM wParam, LPARAM lParam) {
  return Redrawn(hwnd, TRUE, SetRange(hwnd, s, wParam, lParam));
}
LRESULT GetRange(HWND, BarState& s, WPARAM wParam, LPARAM lParam) {
  if (wParam != 0) *reinterpret_cast<int*>(wParam) = s.min;
  if (lParam != 0) *reinterpret_cast<int*>(lParam) = s.max;
  return 0;
}
LRESULT SetInfo(HWND hwnd, BarState& s, WPARAM wParam, LPARAM lParam) {
  const auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
  if (si == nullptr || si->cbSize != sizeof(SCROLLINFO)) return s.pos;
  ApplyScrollInfo(s, *si);
  return Redrawn(hwnd, static_cast<BOOL>(wParam), s.pos);
}
LRESULT GetInfo(HWND, BarState& s, WPARAM, LPARAM lParam) {
  auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
  if (si == nullptr || si->cbSize != sizeof(SCROLLINFO)) return FALSE;
  ReadScrollInfo(s, *si);
  return TRUE;
}
LRESULT EnableArrows(HWND hwnd, BarState& s, WPARAM wParam, LPARAM) {
  if (s.disabledArrows == (wParam & ESB_DISABLE_BOTH)) return FALSE;
  s.disabledArrows = static_cast<UINT>(wParam & ESB_DISABLE_BOTH);
  return Redrawn(hwnd, TRUE, TRUE);
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT ButtonDown(HWND hwnd, BarState& s, WPARAM, LPARAM lParam) {
  if ((StyleOf(hwnd) & WS_TABSTOP) != 0) SetFocus(hwnd);
  SetCapture(hwnd);
  Tell(hwnd, ScrollPress(PlaceOf(hwnd), s, PointOf(lParam)));
  return 0;
}

LRESULT MouseMove(HWND hwnd, BarState& s, WPARAM, LPARAM lParam) {
  if (GetCapture() == hwnd) Tell(hwnd, ScrollDrag(PlaceOf(hwnd), s, PointOf(lParam)));
  return 0;
}

LRESULT ButtonUp(HWND hwnd, BarState& s, WPARAM, LPARAM) {
  if (GetCapture() != hwnd) return 0;
  const std::vector<ScrollTell> tells = ScrollRelease(s);
  ReleaseCapture();
  Tell(hwnd, tells);
  return 0;
}

struct KeyRow {
  UINT key;
  WORD code;
};
constexpr KeyRow kKeys[] = {
    {VK_UP, SB_LINEUP},     {VK_LEFT, SB_LINEUP},    {VK_DOWN, SB_LINEDOWN}, {VK_RIGHT, SB_LINEDOWN},
    {VK_PRIOR, SB_PAGEUP},  {VK_NEXT, SB_PAGEDOWN},  {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM},
};

LRESULT KeyDown(HWND hwnd, BarState&, WPARAM wParam, LPARAM) {
  for (const KeyRow& row : kKeys) {
    if (row.key == wParam) Tell(hwnd, {{row.code, 0}});
  }
  return 0;
}

LRESULT KeyUp(HWND hwnd, BarState&, WPARAM wParam, LPARAM) {
  for (const KeyRow& row : kKeys) {
    if (row.key == wParam) Tell(hwnd, {{SB_ENDSCROLL, 0}});
  }
  return 0;
}

LRESULT Paint(HWND hwnd, BarState& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  PaintScrollBar(dc, PlaceOf(hwnd), s, ControlBrush(hwnd, dc, WM_CTLCOLORSCROLLBAR), IsWindowEnabled(hwnd) != FALSE);
  EndPaint(hwnd, &ps);
  return 0;
}

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_NCDESTROY, FreeRecord<BarState>},
    {SBM_SETPOS, WithState<SetPos>},
    {SBM_GETPOS, WithState<GetPos>},
    {SBM_SETRANGE, WithState<SetRange>},
    {SBM_SETRANGEREDRAW, WithState<SetRangeRedraw>},
    {SBM_GETRANGE, WithState<GetRange>},
    {SBM_SETSCROLLINFO, WithState<SetInfo>},
    {SBM_GETSCROLLINFO, WithState<GetInfo>},
    {SBM_ENABLE_ARROWS, WithState<EnableArrows>},
    {WM_LBUTTONDOWN, WithState<ButtonDown>},
    {WM_LBUTTONDBLCLK, WithState<ButtonDown>},
    {WM_MOUSEMOVE, WithState<MouseMove>},
    {WM_LBUTTONUP, WithState<ButtonUp>},
    {WM_KEYDOWN, WithState<KeyDown>},
    {WM_KEYUP, WithState<KeyUp>},
    {WM_PAINT, WithState<Paint>},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

bool ScrollBarPointFor(HWND bar, WORD code, POINT* client) {
  BarState* s = StateOf(bar);
  return s != nullptr && ScrollPointFor(PlaceOf(bar), *s, code, client);
}

bool ScrollBarThumbPoints(HWND bar, int position, POINT* grab, POINT* drop) {
  BarState* s = StateOf(bar);
  return s != nullptr && ScrollThumbPoints(PlaceOf(bar), *s, position, grab, drop);
}

LRESULT ScrollBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
