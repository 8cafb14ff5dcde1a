// The trackbar class, horizontal or vertical (TBS_VERT). The program sets
// the range, position, page and line sizes and the tick frequency, without
// being told back. The user moves the thumb, and each move is told to the
// parent after the position changed, as WM_HSCROLL or WM_VSCROLL with the
// trackbar in lParam: a press on the channel pages toward the press
// (TB_PAGEUP, TB_PAGEDOWN); dragging the thumb tells TB_THUMBTRACK with
// the position in the high word and, at the release, TB_THUMBPOSITION;
// arrows step a line, Page Up and Page Down a page, Home and End go to the
// ends; every release of the button or of such a key ends with
// TB_ENDTRACK.
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/commctrl/commctrl_internal.h"
#include "platform/window/controls/control_common.h"
#include "platform/window/message_table.h"

namespace plat::window {
namespace {

constexpr int kMargin = 10;     // from the ends of the control to the channel's ends
constexpr int kThumbAlong = 10;  // the thumb's size along the channel
constexpr int kThumbAcross = 20;

struct Trackbar {
  int min = 0;
  int max = 100;
  int pos = 0;
  int line = 1;
  int page = -1;  // -1: a fifth of the range
  int ticFreq = 1;
  bool dragging = false;
  bool paging = false;
};

bool Vertical(HWND hwnd) { return (StyleOf(hwnd) & TBS_VERT) != 0; }
int Clamp(const Trackbar& s, int pos) { return std::clamp(pos, s.min, std::max(s.min, s.max)); }
int PageOf(const Trackbar& s) { return s.page >= 0 ? s.page : std::max(1, (s.max - s.min) / 5); }

void Tell(HWND hwnd, WORD code, int pos = 0) {
  SendMessageW(GetParent(hwnd), Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)),
               reinterpret_cast<LPARAM>(hwnd));
}

// The channel along the control's length, in the middle of its breadth.
RECT Channel(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  if (Vertical(hwnd)) {
    const LONG x = client.right / 2;
    return RECT{x - 2, kMargin, x + 2, std::max<LONG>(kMargin + 1, client.bottom - kMargin)};
  }
  const LONG y = client.bottom / 2;
  return RECT{kMargin, y - 2, std::max<LONG>(kMargin + 1, client.right - kMargin), y + 2};
}

// The offset along the channel of a position, and back.
int OffsetOf(HWND hwnd, const Trackbar& s, int pos) {
  const RECT c = Channel(hwnd);
  const int length = Vertical(hwnd) ? c.bottom - c.top : c.right - c.left;
  const int range = std::max(1, s.max - s.min);
  return static_cast<int>(static_cast<long long>(length) * (pos - s.min) / range);
}
int PositionAt(HWND hwnd, const Trackbar& s, POINT p) {
  const RECT c = Channel(hwnd);
  const int length = std::max<int>(1, Vertical(hwnd) ? c.bottom - c.top : c.right - c.left);
  const int along = Vertical(hwnd) ? p.y - c.top : p.x - c.left;
  const long long range = s.max - s.min;
  // Rounded to the nearest position.
  return Clamp(s, s.min + static_cast<int>((2 * along * range + length) / (2 * length)));
}

RECT Thumb(HWND hwnd, const Trackbar& s) {
  const RECT c = Channel(hwnd);
  const int at = OffsetOf(hwnd, s, s.pos);
  if (Vertical(hwnd)) {
    const LONG y = c.top + at;
    const LONG x = (c.left + c.right) / 2;
    return RECT{x - kThumbAcross / 2, y - kThumbAlong / 2, x + kThumbAcross / 2, y + kThumbAlong / 2};
  }
  const LONG x = c.left + at;
  const LONG y = (c.top + c.bottom) / 2;
  return RECT{x - kThumbAlong / 2, y - kThumbAcross / 2, x + kThumbAlong / 2, y + kThumbAcross / 2};
}

// Moves the thumb; repaints when it moved or when asked.
void MoveTo(HWND hwnd, Trackbar& s, int pos, bool redraw) {
  const int next = Clamp(s, pos);
  if (next != s.pos || redraw) InvalidateRect(hwnd, nullptr, TRUE);
  s.pos = next;
}

LRESULT OnNcCreate(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new Trackbar));
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

using Handler = LRESULT (*)(HWND, Trackbar&, WPARAM, LPARAM);
template <Handler H>
constexpr WNDPROC With = WithRecord<Trackbar, H, 0>;

LRESULT GetPos(HWND, Trackbar& s, WPARAM, LPARAM) { return s.pos; }
LRESULT GetRangeMin(HWND, Trackbar& s, WPARAM, LPARAM) { return s.min; }
LRESULT GetRangeMax(HWND, Trackbar& s, WPARAM, LPARAM) { return s.max; }
LRESULT SetPos(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM lParam) {
  MoveTo(hwnd, s, static_cast<int>(lParam), wParam != 0);
  return 0;
}
// A new range keeps the position inside it.
LRESULT NewRange(HWND hwnd, Trackbar& s, int min, int max, WPARAM redraw) {
  s.min = min;
  s.max = std::max(min, max);
  MoveTo(hwnd, s, s.pos, redraw != 0);
  return 0;
}
// lParam: the minimum in the low word, the maximum in the high word, each a
// signed 16-bit number.
LRESULT SetRange(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM lParam) {
  const auto both = static_cast<DWORD>(lParam);
  return NewRange(hwnd, s, static_cast<SHORT>(LOWORD(both)), static_cast<SHORT>(HIWORD(both)), wParam);
}
LRESULT SetRangeMin(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM lParam) {
  return NewRange(hwnd, s, static_cast<int>(lParam), std::max(s.max, static_cast<int>(lParam)), wParam);
}
LRESULT SetRangeMax(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM lParam) {
  return NewRange(hwnd, s, std::min(s.min, static_cast<int>(lParam)), static_cast<int>(lParam), wParam);
}
LRESULT SetTicFreq(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM) {
  s.ticFreq = std::max(1, static_cast<int>(wParam));
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}
LRESULT GetNumTics(HWND hwnd, Trackbar& s, WPARAM, LPARAM) {
  if ((StyleOf(hwnd) & TBS_NOTICKS) != 0) return 0;
  if ((StyleOf(hwnd) & TBS_AUTOTICKS) == 0) return 2;
  return (s.max - s.min) / s.ticFreq + 1 + ((s.max - s.min) % s.ticFreq != 0 ? 1 : 0);
}
LRESULT SetPageSize(HWND, Trackbar& s, WPARAM, LPARAM lParam) {
  const int old = PageOf(s);
  s.page = std::max(0, static_cast<int>(lParam));
  return old;
}
LRESULT GetPageSize(HWND, Trackbar& s, WPARAM, LPARAM) { return PageOf(s); }
LRESULT SetLineSize(HWND, Trackbar& s, WPARAM, LPARAM lParam) {
  const int old = s.line;
  s.line = std::max(0, static_cast<int>(lParam));
  return old;
}
LRESULT GetLineSize(HWND, Trackbar& s, WPARAM, LPARAM) { return s.line; }
LRESULT GetThumbRect(HWND hwnd, Trackbar& s, WPARAM, LPARAM lParam) {
  if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = Thumb(hwnd, s);
  return 0;
}
LRESULT GetChannelRect(HWND hwnd, Trackbar&, WPARAM, LPARAM lParam) {
  if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = Channel(hwnd);
  return 0;
}

// Input.
// The focus comes first; the record is looked up after it came (whoever
// lost the focus may have acted meanwhile).
LRESULT ButtonDown(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  SetFocus(hwnd);
  Trackbar* s = RecordOf<Trackbar>(hwnd);
  if (s == nullptr) return 0;
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const RECT thumb = Thumb(hwnd, *s);
  const bool onThumb = PtInRect(&thumb, p) != FALSE;
  const bool before = Vertical(hwnd) ? p.y < thumb.top : p.x < thumb.left;
  s->dragging = onThumb;
  s->paging = !onThumb;
  if (!onThumb) MoveTo(hwnd, *s, s->pos + (before ? -PageOf(*s) : PageOf(*s)), false);
  SetCapture(hwnd);
  if (!onThumb) Tell(hwnd, before ? TB_PAGEUP : TB_PAGEDOWN);
  return 0;
}
LRESULT MouseMove(HWND hwnd, Trackbar& s, WPARAM, LPARAM lParam) {
  if (!s.dragging) return 0;
  const int pos = PositionAt(hwnd, s, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (pos == s.pos) return 0;
  MoveTo(hwnd, s, pos, false);
  Tell(hwnd, TB_THUMBTRACK, pos);
  return 0;
}
LRESULT ButtonUp(HWND hwnd, Trackbar& s, WPARAM, LPARAM) {
  if (!s.dragging && !s.paging) return 0;
  const bool dragged = s.dragging;
  s.dragging = s.paging = false;
  const int pos = s.pos;
  if (GetCapture() == hwnd) ReleaseCapture();
  if (dragged) Tell(hwnd, TB_THUMBPOSITION, pos);
  Tell(hwnd, TB_ENDTRACK);
  return 0;
}

struct KeyMove {
  UINT key;
  WORD code;
};
constexpr KeyMove kKeys[] = {
    {VK_LEFT, TB_LINEUP},   {VK_UP, TB_LINEUP},     {VK_RIGHT, TB_LINEDOWN}, {VK_DOWN, TB_LINEDOWN},
    {VK_PRIOR, TB_PAGEUP},  {VK_NEXT, TB_PAGEDOWN}, {VK_HOME, TB_TOP},       {VK_END, TB_BOTTOM},
};
const KeyMove* KeyOf(WPARAM key) {
  const KeyMove* end = std::end(kKeys);
  const KeyMove* found = std::find_if(std::begin(kKeys), end, [&](const KeyMove& k) { return k.key == key; });
  return found != end ? found : nullptr;
}
int Moved(const Trackbar& s, WORD code) {
  switch (code) {
    case TB_LINEUP: return s.pos - s.line;
    case TB_LINEDOWN: return s.pos + s.line;
    case TB_PAGEUP: return s.pos - PageOf(s);
    case TB_PAGEDOWN: return s.pos + PageOf(s);
    case TB_TOP: return s.min;
    default: return s.max;
  }
}
LRESULT KeyDown(HWND hwnd, Trackbar& s, WPARAM wParam, LPARAM) {
  const KeyMove* move = KeyOf(wParam);
  if (move == nullptr) return 0;
  MoveTo(hwnd, s, Moved(s, move->code), false);
  Tell(hwnd, move->code);
  return 0;
}
LRESULT KeyUp(HWND hwnd, Trackbar&, WPARAM wParam, LPARAM) {
  if (KeyOf(wParam) != nullptr) Tell(hwnd, TB_ENDTRACK);
  return 0;
}
LRESULT Focus(HWND hwnd, Trackbar&, WPARAM, LPARAM) {
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

void PaintTicks(HWND hwnd, const Trackbar& s, HDC dc) {
  const DWORD style = StyleOf(hwnd);
  if ((style & TBS_NOTICKS) != 0) return;
  const RECT c = Channel(hwnd);
  const int step = (style & TBS_AUTOTICKS) != 0 ? s.ticFreq : std::max(1, s.max - s.min);
  auto tick = [&](int pos) {
    const int at = OffsetOf(hwnd, s, pos);
    RECT r = Vertical(hwnd) ? RECT{c.right + 8, c.top + at, c.right + 12, c.top + at + 1}
                            : RECT{c.left + at, c.bottom + 8, c.left + at + 1, c.bottom + 12};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNTEXT));
  };
  for (int pos = s.min; pos < s.max; pos += step) tick(pos);
  tick(s.max);
}

LRESULT Paint(HWND hwnd, Trackbar& s, WPARAM, LPARAM) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, ControlBrush(hwnd, dc, WM_CTLCOLORSTATIC));
  RECT channel = Channel(hwnd);
  FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
  PaintTicks(hwnd, s, dc);
  RECT thumb = Thumb(hwnd, s);
  FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
  if (GetFocus() == hwnd) DrawFocusRect(dc, &client);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnDialogCode(HWND, UINT, WPARAM, LPARAM) { return DLGC_WANTARROWS; }

constexpr MessageRow kRows[] = {
    {WM_NCCREATE, OnNcCreate},
    {WM_NCDESTROY, FreeRecord<Trackbar>},
    {TBM_GETPOS, With<GetPos>},
    {TBM_GETRANGEMIN, With<GetRangeMin>},
    {TBM_GETRANGEMAX, With<GetRangeMax>},
    {TBM_SETPOS, With<SetPos>},
    {TBM_SETRANGE, With<SetRange>},
    {TBM_SETRANGEMIN, With<SetRangeMin>},
    {TBM_SETRANGEMAX, With<SetRangeMax>},
    {TBM_SETTICFREQ, With<SetTicFreq>},
    {TBM_GETNUMTICS, With<GetNumTics>},
    {TBM_SETPAGESIZE, With<SetPageSize>},
    {TBM_GETPAGESIZE, With<GetPageSize>},
    {TBM_SETLINESIZE, With<SetLineSize>},
    {TBM_GETLINESIZE, With<GetLineSize>},
    {TBM_GETTHUMBRECT, With<GetThumbRect>},
    {TBM_GETCHANNELRECT, With<GetChannelRect>},
    {WM_LBUTTONDOWN, ButtonDown},
    {WM_LBUTTONDBLCLK, ButtonDown},
    {WM_MOUSEMOVE, With<MouseMove>},
    {WM_LBUTTONUP, With<ButtonUp>},
    {WM_KEYDOWN, With<KeyDown>},
    {WM_KEYUP, With<KeyUp>},
    {WM_SETFOCUS, With<Focus>},
    {WM_KILLFOCUS, With<Focus>},
    {WM_PAINT, With<Paint>},
    {WM_GETDLGCODE, OnDialogCode},
};

constexpr MessageTable kTable = TableOf(kRows);

}  // namespace

LRESULT TrackbarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchByTable(kTable, hwnd, message, wParam, lParam);
}

}  // namespace plat::window
