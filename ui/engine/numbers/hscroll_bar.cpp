// Horizontal scroll bars (kind 82) and the decorated ones whose look the
// engine draws itself (kind 84). A move goes the whole change road: the
// value is judged, then the page is refreshed, which shows the stored value
// (a refused move shows the old one again).
#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_block.h"
#include "settings/tables/class_data.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/numbers/number_items.h"
#include "ui/engine/numbers/decorated_bar.h"
#include "ui/engine/refresh.h"

namespace {

constexpr LONG kDefaultMin = 0;
constexpr LONG kDefaultMax = 200;
constexpr LONG kDefaultLine = 1;
constexpr LONG kDefaultPage = 10;

struct Steps {
  LONG line;
  LONG page;
};

// The scroll data's steps count only for a bar that carries a decoration.
Steps StepsOf(const ICB* icb) {
  const auto* data = static_cast<const CDSBI*>(KesmGetClassData(icb, kClassScroll));
  if (data == nullptr || data->bitmapId == 0) return Steps{kDefaultLine, kDefaultPage};
  return Steps{data->lineStep, data->pageStep};
}

// How a notification code moves the position: by a number of lines, of
// pages, by a fixed amount, or to the thumb's place.
struct ScrollMove {
  WORD code;
  LONG lines;
  LONG pages;
  LONG units;
  bool thumb;
};
constexpr ScrollMove kMoves[] = {
    {SB_LINELEFT, -1, 0, 0, false},   {SB_LINERIGHT, +1, 0, 0, false},    {SB_PAGELEFT, 0, -1, 0, false},
    {SB_PAGERIGHT, 0, +1, 0, false},  {SB_THUMBPOSITION, 0, 0, 0, true}, {SB_THUMBTRACK, 0, 0, 0, true},
    {SB_LEFT, 0, 0, -1, false},       {SB_RIGHT, 0, 0, +1, false},
};

LONG Moved(const ICB* icb, WPARAM wParam, LONG current) {
  const WORD code = LOWORD(wParam);
  for (const ScrollMove& m : kMoves) {
    if (m.code != code) continue;
    // The thumb's place is read signed: a bar whose range goes below 0
    // is told negative places in the 16-bit word.
    if (m.thumb) return static_cast<SHORT>(HIWORD(wParam));
    const Steps s = StepsOf(icb);
    return current + m.lines * s.line + m.pages * s.page + m.units;
  }
  return current;
}

int OnScroll(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != icb->hWnd || numbers::IsDisabled(icb)) return 0;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
  SendMessageW(icb->hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
  const LONG value = std::clamp(Moved(icb, wParam, info.nPos), static_cast<LONG>(info.nMin),
                                static_cast<LONG>(std::max(info.nMin, info.nMax)));
  CheckAlertMsg(ucb, tcb, icb, value);
  RefreshDialog(ucb, tcb, 0);
  return 1;
}

// A decorated bar with a picture shows the page through its shaft.
int OnColour(ICB* icb, LPARAM lParam) {
  const auto* data = static_cast<const CDSBI*>(KesmGetClassData(icb, kClassScroll));
  if (icb->kind != kCtlHScrollbarArrows || data == nullptr || data->bitmapId == 0) return 0;
  if (reinterpret_cast<HWND>(lParam) != icb->hWnd) return 0;
  SetWindowLongPtrW(numbers::PageOf(icb), DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(GetStockObject(NULL_BRUSH)));
  return 1;
}

}  // namespace

int InitHScrollbar(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  numbers::NumericData data{0, 0, 0, 0, kDefaultMin, kDefaultMax};
  numbers::GetNumericData(ucb, icb, &data);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, static_cast<int>(data.min), static_cast<int>(data.max), 0, 0, 0};
  SendMessageW(icb->hWnd, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
  SendMessageW(icb->hWnd, SBM_ENABLE_ARROWS, ESB_ENABLE_BOTH, 0);
  return 1;
}

void PaintHScrollbar(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return;
  SendMessageW(icb->hWnd, SBM_SETPOS, static_cast<WPARAM>(GetDevmodeValueByICB(ucb, icb)), TRUE);
}

// The control's own look would cover the decoration: the position moves
// without a redraw and the decoration is drawn in its place.
void PaintHScrollbarInvalidate(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return;
  SendMessageW(icb->hWnd, SBM_SETPOS, static_cast<WPARAM>(GetDevmodeValueByICB(ucb, icb)), FALSE);
  PaintDecoratedHScrollbar(ucb, tcb, icb);
}

// WM_LBUTTONDOWN reaches a kind-84 bar only from the item window
// procedure, with a scratch page record in place of the page's whose
// window slot receives the pressed-arrow window (null for a press on the
// shaft); the procedure destroys that window at the release.
int PMsgHScrollbar(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  switch (message) {
    case WM_HSCROLL:
      return OnScroll(ucb, tcb, icb, wParam, lParam);
    case WM_CTLCOLORSCROLLBAR:
      return OnColour(icb, lParam);
    case WM_LBUTTONDOWN:
      if (icb->kind == kCtlHScrollbarArrows && tcb != nullptr) {
        tcb->hWnd = numbers::ShowPressedArrow(ucb, icb, GET_X_LPARAM(lParam));
      }
      return 0;
    default:
      return 0;
  }
}
