// Track bars: the thumb's place is the setting's value, stored as it moves
// without the constraint step and without a refresh.
#include "platform/window/commctrl.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/numbers/number_items.h"

namespace {

constexpr LONG kDefaultMin = 0;
constexpr LONG kDefaultMax = 200;

}  // namespace

int InitTrackbar(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  numbers::NumericData data{0, 0, 0, 0, kDefaultMin, kDefaultMax};
  numbers::GetNumericData(ucb, icb, &data);
  SendMessageW(icb->hWnd, TBM_SETRANGE, TRUE,
               static_cast<LPARAM>(MAKELONG(static_cast<WORD>(data.min), static_cast<WORD>(data.max))));
  PaintTrackbar(ucb, tcb, icb);
  return 1;
}

void PaintTrackbar(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return;
  SendMessageW(icb->hWnd, TBM_SETPOS, TRUE, static_cast<LPARAM>(GetDevmodeValueByICB(ucb, icb)));
}

int PMsgTrackbar(UCB* ucb, TCB*, ICB* icb, UINT message, WPARAM, LPARAM lParam) {
  if (!numbers::IsBound(ucb, icb) || message != WM_HSCROLL || reinterpret_cast<HWND>(lParam) != icb->hWnd) return 0;
  SetDevmodeValueByICB(ucb, icb, SendMessageW(icb->hWnd, TBM_GETPOS, 0, 0));
  return 1;
}
