// The scroll bar class (SBS_HORZ, SBS_VERT). The program sets the range,
// page and position; the user's input becomes WM_HSCROLL or WM_VSCROLL to
// the parent, with the bar's handle in lParam, and never moves the thumb
// itself: the parent answers with SBM_SETPOS. A press on an arrow asks for
// a line, on the shaft for a page; dragging the thumb tells SB_THUMBTRACK
// and, at the release, SB_THUMBPOSITION; every release ends with
// SB_ENDSCROLL. Keys: arrows for lines, Page Up and Page Down for pages,
// Home and End for the ends. A disabled arrow does nothing.
#include <algorithm>

#include "platform/base/winerror.h"

#include "platform/gdi/wingdi.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/controls/control_draw.h"
#include "platform/window/controls/controls.h"
#include "platform/window/message_table.h"

namespace plat::window {
namespace {

struct BarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  UINT disabledArrows = ESB_ENABLE_BOTH;
  bool tracking = false;
  int trackPos = 0;
  int grabOffset = 0;  // where the thumb was taken, from its start
};

BarState* StateOf(HWND hwnd) { return RecordOf<BarState>(hwnd); }
bool Vertical(HWND hwnd) { return (StyleOf(hwnd) & SBS_VERT) != 0; }

int Clamp(const BarState& s, int pos) {
  const int top = s.page > 0 ? s.max - static_cast<int>(s.page) + 1 : s.max;
  return std::clamp(pos, s.min, std::max(s.min, top));
}

void Tell(HWND hwnd, WORD code, int pos = 0) {
  SendMessageW(GetParent(hwnd), Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL,
               MAKEWPARAM(code, static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(hwnd));
}

// The bar's geometry along its axis: arrow size and the thumb's extent.
struct Geometry {
  int length;  // along the axis
  int arrow;   // each arrow's length
  int thumbStart;
  int thumbEnd;
};

Geometry GeometryIn(const RECT& area, bool vertical, const BarState& s) {
  const int length = vertical ? area.bottom - area.top : area.right - area.left;
  const int across = vertical ? area.right - area.left : area.bottom - area.top;
  const int arrow = std::min(across, length / 2);
  const int shaft = std::max(0, length - 2 * arrow);
  const int span = std::max(1, s.max - s.min + 1);
  const int thumb = s.page > 0 ? std::max(8, static_cast<int>(shaft * static_cast<long long>(s.page) / span)) : 8;
  const int room = std::max(0, shaft - std::min(thumb, shaft));
  const int range = std::max(1, Clamp(s, s.max) - s.min);
  const int start = arrow + static_cast<int>(static_cast<long long>(room) * (s.pos - s.min) / range);
  return Geometry{length, arrow, start, start + std::min(thumb, shaft)};
}

Geometry GeometryOf(HWND hwnd, const BarState& s) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return GeometryIn(client, Vertical(hwnd), s);
}

// A part of the bar along its axis, from start to end, across its width.
RECT Along(const RECT& area, bool vertical, int start, int end) {
  return vertical ? RECT{area.left, area.top + start, area.right, area.top + end}
                  : RECT{area.left + start, area.top, area.left + end, area.bottom};
}

// The arrows at the ends, the shaft in the bar's brush and the thumb as a
// raised face where there is room for it; a disabled bar draws grey arrows
// and no thumb.
void PaintBar(HDC dc, const RECT& area, bool vertical, const BarState& s, HBRUSH shaft, bool enabled) {
  const Geometry g = GeometryIn(area, vertical, s);
  const RECT body = Along(area, vertical, g.arrow, g.length - g.arrow);
  FillRect(dc, &body, shaft);
  const bool upDisabled = !enabled || (s.disabledArrows & ESB_DISABLE_LTUP) != 0;
  const bool downDisabled = !enabled || (s.disabledArrows & ESB_DISABLE_RTDN) != 0;
  DrawArrowButton(dc, Along(area, vertical, 0, g.arrow), vertical ? ArrowDirection::kUp : ArrowDirection::kLeft,
                  false, upDisabled);
  DrawArrowButton(dc, Along(area, vertical, g.length - g.arrow, g.length),
                  vertical ? ArrowDirection::kDown : ArrowDirection::kRight, false, downDisabled);
  const bool room = g.thumbEnd - g.thumbStart < g.length - 2 * g.arrow;
  if (!enabled || !room || s.max <= s.min) return;
  RECT thumb = Along(area, vertical, g.thumbStart, g.thumbEnd);
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

int ThumbRoom(const Geometry& g) { return std::max(1, g.length - 2 * g.arrow - (g.thumbEnd - g.thumbStart)); }

// The position whose thumb starts at `start` along the bar.
int PositionAt(HWND hwnd, const BarState& s, int start) {
  const Geometry g = GeometryOf(hwnd, s);
  const int range = Clamp(s, s.max) - s.min;
  return Clamp(s, s.min + static_cast<int>(static_cast<long long>(start - g.arrow) * range / ThumbRoom(g)));
}

// Where the thumb starts for a position: the least start that PositionAt
// takes for it.
int StartFor(HWND hwnd, const BarState& s, int position) {
  const Geometry g = GeometryOf(hwnd, s);
  const long long range = std::max(1, Clamp(s, s.max) - s.min);
  const long long offset = static_cast<long long>(position - s.min) * ThumbRoom(g);
  return g.arrow + static_cast<int>((offset + range - 1) / range);
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
  s.pos = Clamp(s, static_cast<int>(wParam));
  return Redrawn(hwnd, lParam != 0, old);
}
LRESULT GetPos(HWND, BarState& s, WPARAM, LPARAM) { return s.pos; }
LRESULT SetRange(HWND hwnd, BarState& s, WPARAM wParam, LPARAM lParam) {
  const int old = s.pos;
  s.min = static_cast<int>(wParam);
  s.max = std::max(s.min, static_cast<int>(lParam));
  s.pos = Clamp(s, s.pos);
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
  if ((si->fMask & SIF_RANGE) != 0) {
    s.min = si->nMin;
    s.max = std::max(si->nMin, si->nMax);
  }
  if ((si->fMask & SIF_PAGE) != 0) s.page = std::min<UINT>(si->nPage, static_cast<UINT>(s.max - s.min + 1));
  if ((si->fMask & SIF_POS) != 0) s.pos = si->nPos;
  s.pos = Clamp(s, s.pos);
  return Redrawn(hwnd, static_cast<BOOL>(wParam), s.pos);
}
LRESULT GetInfo(HWND, BarState& s, WPARAM, LPARAM lParam) {
  auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
  if (si == nullptr || si->cbSize != sizeof(SCROLLINFO)) return FALSE;
  if ((si->fMask & SIF_RANGE) != 0) {
    si->nMin = s.min;
    si->nMax = s.max;
  }
  if ((si->fMask & SIF_PAGE) != 0) si->nPage = s.page;
  if ((si->fMask & SIF_POS) != 0) si->nPos = s.pos;
  if ((si->fMask & SIF_TRACKPOS) != 0) si->nTrackPos = s.tracking ? s.trackPos : s.pos;
  return TRUE;
}
LRESULT EnableArrows(HWND hwnd, BarState& s, WPARAM wParam, LPARAM) {
  if (s.disabledArrows == (wParam & ESB_DISABLE_BOTH)) return FALSE;
  s.disabledArrows = static_cast<UINT>(wParam & ESB_DISABLE_BOTH);
  return Redrawn(hwnd, TRUE, TRUE);
}

LRESULT ButtonDown(HWND hwnd, BarState& s, WPARAM, LPARAM lParam) {
  if ((StyleOf(hwnd) & WS_TABSTOP) != 0) SetFocus(hwnd);
  const int along = Vertical(hwnd) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
  const Geometry g = GeometryOf(hwnd, s);
  SetCapture(hwnd);
  if (along < g.arrow) {
    if ((s.disabledArrows & ESB_DISABLE_LTUP) == 0) Tell(hwnd, SB_LINEUP);
  } else if (along >= g.length - g.arrow) {
    if ((s.disabledArrows & ESB_DISABLE_RTDN) == 0) Tell(hwnd, SB_LINEDOWN);
  } else if (along < g.thumbStart) {
    Tell(hwnd, SB_PAGEUP);
  } else if (along >= g.thumbEnd) {
    Tell(hwnd, SB_PAGEDOWN);
  } else {
    s.tracking = true;
    s.trackPos = s.pos;
    s.grabOffset = along - g.thumbStart;
  }
  return 0;
}

LRESULT MouseMove(HWND hwnd, BarState& s, WPARAM, LPARAM lParam) {
  if (!s.tracking || GetCapture() != hwnd) return 0;
  const int along = Vertical(hwnd) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
  const int pos = PositionAt(hwnd, s, along - s.grabOffset);
  if (pos == s.trackPos) return 0;
  s.trackPos = pos;
  Tell(hwnd, SB_THUMBTRACK, pos);
  return 0;
}

LRESULT ButtonUp(HWND hwnd, BarState& s, WPARAM, LPARAM) {
  if (GetCapture() != hwnd) return 0;
  if (s.tracking) {
    s.tracking = false;
    Tell(hwnd, SB_THUMBPOSITION, s.trackPos);
  }
  ReleaseCapture();
  Tell(hwnd, SB_ENDSCROLL);
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
    if (row.key == wParam) Tell(hwnd, row.code);
  }
  return 0;
}

LRESULT KeyUp(HWND hwnd, BarState&, WPARAM wParam, LPARAM) {
  for (const KeyRow& row : kKeys) {
    if (row.key == wParam) Tell(hwnd, SB_ENDSCROLL);
  }
  return 0;
}

LRESULT Paint(HWND hwnd, BarState& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  PaintBar(dc, client, Vertical(hwnd), s, ControlBrush(hwnd, dc, WM_CTLCOLORSCROLLBAR), IsWindowEnabled(hwnd) != FALSE);
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
  if (s == nullptr || client == nullptr) return false;
  const Geometry g = GeometryOf(bar, *s);
  RECT r{};
  GetClientRect(bar, &r);
  const int across = (Vertical(bar) ? r.right : r.bottom) / 2;
  int along = -1;
  if (code == SB_LINEUP) along = g.arrow / 2;
  if (code == SB_LINEDOWN) along = g.length - g.arrow / 2 - 1;
  if (code == SB_PAGEUP && g.thumbStart > g.arrow) along = (g.arrow + g.thumbStart) / 2;
  if (code == SB_PAGEDOWN && g.thumbEnd < g.length - g.arrow) along = (g.thumbEnd + g.length - g.arrow) / 2;
  if (along < 0) return false;
  *client = Vertical(bar) ? POINT{across, along} : POINT{along, across};
  return true;
}

bool ScrollBarThumbPoints(HWND bar, int position, POINT* grab, POINT* drop) {
  BarState* s = StateOf(bar);
  if (s == nullptr || grab == nullptr || drop == nullptr || position != Clamp(*s, position)) return false;
  const Geometry g = GeometryOf(bar, *s);
  if (g.thumbEnd - g.thumbStart >= g.length - 2 * g.arrow) return false;  // no room to move
  const int start = StartFor(bar, *s, position);
  if (PositionAt(bar, *s, start) != position) return false;  // more positions than pixels
  RECT r{};
  GetClientRect(bar, &r);
  const int across = (Vertical(bar) ? r.right : r.bottom) / 2;
  const int taken = (g.thumbStart + g.thumbEnd) / 2;
  const int dropped = start + (taken - g.thumbStart);
  *grab = Vertical(bar) ? POINT{across, taken} : POINT{taken, across};
  *drop = Vertical(bar) ? POINT{across, dropped} : POINT{dropped, across};
  return true;
}

LRESULT ScrollBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window

// A scroll bar control's state, through its own messages; a window's own
// bars (SB_HORZ, SB_VERT) are not kept by this window manager.
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (bar != SB_CTL) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  return SendMessageW(hwnd, SBM_ENABLE_ARROWS, arrows, 0) != 0 ? TRUE : FALSE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (bar != SB_CTL) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  return static_cast<int>(SendMessageW(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw),
                                       reinterpret_cast<LPARAM>(info)));
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  if (bar != SB_CTL) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  return SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0 ? TRUE : FALSE;
}
