// Spin bars: the small vertical scroll bars beside a number edit. The
// upper arrow increases the value; a size item spins in display units and
// stores dots. A spin stores its value directly, without the constraint
// step, and has its linked edit repainted. A value validation would not
// keep is not taken: the spin stays where it was.
#include <algorithm>

#include "features/custom_modules.h"
#include "jobsettings/validate/priv_validators.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_value.h"
#include "settings/values/units.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/numbers/number_items.h"

namespace {

using numbers::NumericData;

constexpr LONG kDefaultMin = -100;
constexpr LONG kDefaultMax = 100;
// Spins are not given a page step by the layout; the description's page
// size is used when it has one.
constexpr LONG kDefaultPage = 10;

struct Range {
  LONG min;
  LONG max;
};

// The range a spin offers: the numeric data's, for a size item the display
// range, without data -100 to 100.
Range OwnRange(UCB* ucb, const ICB* icb) {
  NumericData data{};
  if (!numbers::GetNumericData(ucb, icb, &data)) return Range{kDefaultMin, kDefaultMax};
  Range r{data.min, data.max};
  if (numbers::IsSizeItem(icb)) GetDispMinMax(ucb, icb, &r.min, &r.max);
  return r;
}

// A module may give the range instead, in dots.
Range ModuleRange(UCB* ucb, ICB* icb, Range own) {
  CustomSpinRange record{icb, 0, 0, 0};
  KesmCustomFunction(ucb, kCustomSpinRange, &record);
  if (record.found != 1) return own;
  Range r{record.min, record.max};
  if (numbers::IsSizeItem(icb)) DisplayRangeOfDots(ucb, record.min, record.max, &r.min, &r.max);
  return r;
}

Range BarRange(HWND bar) {
  int min = 0;
  int max = 0;
  SendMessageW(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  return Range{min, max};
}

void SetBarRange(HWND bar, Range r) { SendMessageW(bar, SBM_SETRANGE, static_cast<WPARAM>(r.min), r.max); }

// How a notification code moves the position: by a step, or to the
// thumb's place.
struct SpinMove {
  WORD code;
  int direction;  // +1 up, -1 down
  bool page;
  bool thumb;
};
constexpr SpinMove kMoves[] = {
    {SB_LINEUP, +1, false, false},          {SB_LINEDOWN, -1, false, false},  {SB_PAGEUP, +1, true, false},
    {SB_PAGEDOWN, -1, true, false},         {SB_THUMBPOSITION, 0, false, true}, {SB_THUMBTRACK, 0, false, true},
};

LONG PageStep(const UCB* ucb, const ICB* icb) {
  NumericData data{};
  return numbers::GetNumericData(ucb, icb, &data) && data.pageSize > 0 ? data.pageSize : kDefaultPage;
}

// The position a notification asks for; codes without a row keep the
// current one.
LONG Moved(const UCB* ucb, const ICB* icb, WPARAM wParam, LONG current) {
  const WORD code = LOWORD(wParam);
  for (const SpinMove& m : kMoves) {
    if (m.code != code) continue;
    if (m.thumb) return static_cast<SHORT>(HIWORD(wParam));
    return current + m.direction * (m.page ? PageStep(ucb, icb) : 1);
  }
  return current;
}

// Where the description gives no range, the driver's own table of private
// settings judges the value as validation judges it. The table's routine
// puts its replacement in place of a value it refuses; the value the
// setting held is put back.
bool ValidationRefuses(UCB* ucb, const ICB* icb, LONG value) {
  const WORD funcId = icb->pSFCB->funcId;
  NumericData data{};
  if (numbers::GetNumericData(ucb, icb, &data) || funcId < kPrivFirstFuncId || funcId > kPrivLastFuncId) return false;
  const ValidatePrivRow& row = ValidatePrivTable[funcId - kPrivFirstFuncId];
  if (row.routine == nullptr) return false;
  const LONG_PTR held = GetDevmodeValueDirect(ucb, icb->pSFCB);
  if (row.routine(funcId, value, icb->pSFCB, row.defaultValue, kPrivCheckMode, ucb) != 0) return false;
  SetDevmodeValueDirect(ucb, icb->pSFCB, held);
  return true;
}

}  // namespace

int InitVScrollbar(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  SetBarRange(icb->hWnd, ModuleRange(ucb, icb, OwnRange(ucb, icb)));
  PaintItem(ucb, tcb, icb);
  return 1;
}

void PaintVScrollbar(UCB* ucb, TCB*, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return;
  auto position = static_cast<LONG>(GetDevmodeValueByICB(ucb, icb));
  if (numbers::IsSizeItem(icb)) {
    // The paper, and with it the display range, may have changed.
    Range r{};
    if (GetDispMinMax(ucb, icb, &r.min, &r.max)) {
      const Range shown = BarRange(icb->hWnd);
      if (shown.min != r.min || shown.max != r.max) SetBarRange(icb->hWnd, r);
    }
    position = ConvertDevmodeValueToSize(ucb, 0, position);
  }
  SendMessageW(icb->hWnd, SBM_SETPOS, static_cast<WPARAM>(position), TRUE);
}

int PMsgVScrollbar(UCB* ucb, TCB*, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!numbers::IsBound(ucb, icb) || message != WM_VSCROLL) return 0;
  if (reinterpret_cast<HWND>(lParam) != icb->hWnd || numbers::IsDisabled(icb)) return 0;
  const auto current = static_cast<LONG>(SendMessageW(icb->hWnd, SBM_GETPOS, 0, 0));
  const Range r = BarRange(icb->hWnd);
  LONG value = std::clamp(Moved(ucb, icb, wParam, current), r.min, std::max(r.min, r.max));
  if (numbers::IsSizeItem(icb)) {
    numbers::TellModules(ucb, icb, kCustomSpinValue, value);
    value = ConvertSizeToDevmodeValue(ucb, 0, value);
  }
  if (ValidationRefuses(ucb, icb, static_cast<LONG>(ConvertResIDToDevmodeValue(ucb, icb->pSFCB, value)))) return 1;
  SetDevmodeValueByICB(ucb, icb, value);
  const HWND page = numbers::PageOf(icb);
  if (icb->linkId != 0) {
    if (HWND linked = GetDlgItem(page, icb->linkId)) PostMessageW(linked, WM_PAINT, 0, 0);
  }
  SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  return 1;
}
