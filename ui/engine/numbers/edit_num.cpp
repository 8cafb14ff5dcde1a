// Number edits: a fixed-point number with the description's decimals and
// unit text; a size item shows a length in the display unit and stores
// 1200-dpi dots. Typing stores each value at once, without the constraint
// step; leaving the edit parses the final text and runs the constraint step.
// What is stored is what validation keeps: a number inside its range.
//
// Display units are coarser than dots, so a shown value stands for several
// dot values. The edit never turns a value the user did not change into a
// neighbouring one: a repaint leaves a text that still says the value; a
// text left as the current value formatted keeps its dots; and the value the
// edit showed when it took the focus, typed again, gives back its own dots
// although the keystrokes on the way stored other values.
#include <algorithm>
#include <array>
#include <string>

#include "features/custom_modules.h"
#include "jobsettings/validate/priv_validators.h"
#include "platform/window/winuser_controls.h"
#include "settings/context/context_block.h"
#include "settings/tables/driver_params.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "settings/values/text_language.h"
#include "settings/values/units.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_handlers.h"
#include "ui/engine/refresh_internal.h"
#include "ui/engine/numbers/number_items.h"

namespace {

using numbers::NumericData;

constexpr WORD kFuncDisplayUnit = 171;
constexpr int kLimitWithoutData = 6;
constexpr int kNumberChars = 32;
// The free-size dialogs, whose sizes are held inside the tray's range.
constexpr WORD kFreeSizeDialog = 1017;
constexpr WORD kFreeSizeInputDialog = 1041;
constexpr LONG kLargestSigned16 = 32767;
constexpr LONG kLargestUnsigned16 = 65535;

// What the kinds need of one edit.
struct EditNum {
  UCB* ucb;
  TCB* tcb;
  ICB* icb;
  bool hasData;
  NumericData data;
  bool size;

  EditNum(UCB* u, TCB* t, ICB* i) : ucb(u), tcb(t), icb(i), hasData(false), data{}, size(numbers::IsSizeItem(i)) {
    hasData = numbers::GetNumericData(u, i, &data);
  }
  // The scale the text is read and written with.
  LONG Scale() const { return size ? numbers::SizeScale(ucb) : (hasData ? data.scale : 0); }
  LONG Current() const { return static_cast<LONG>(GetDevmodeValueByICB(ucb, icb)); }
  // A value as the setting keeps it, from a value of the text.
  LONG Stored(LONG typed) const { return size ? ConvertSizeToDevmodeValue(ucb, 0, typed) : typed; }
  LONG Parsed(const std::u16string& text) const { return KesmStr2Int(text.c_str(), Scale()); }
};

// The display value of dots, held inside the display range whenever the
// dots lie inside the numeric range, so that rounding never shows a value
// beyond the limits.
LONG DisplayOf(const EditNum& e, LONG dots) {
  LONG display = ConvertDevmodeValueToSize(e.ucb, 0, dots);
  LONG lo = 0;
  LONG hi = 0;
  if (!e.hasData || !GetDispMinMax(e.ucb, e.icb, &lo, &hi)) return display;
  if (dots <= e.data.max && display > hi) display = hi;
  if (dots >= e.data.min && display < lo) display = lo;
  return display;
}

// The value of the text the edit shows for a setting's value: a module's
// own value, or the value itself (for a size item in the display unit).
LONG ShownValue(const EditNum& e, LONG current) {
  const LONG answer = numbers::AskModules(e.ucb, e.icb, kCustomEditNumPaint);
  if (answer != 0) return answer;
  return e.size ? DisplayOf(e, current) : current;
}

std::u16string Formatted(const EditNum& e, LONG shown) {
  std::array<WCHAR, kNumberChars> number{};
  KesmInt2Str(number.data(), kNumberChars, e.Scale(), shown);
  return std::u16string(number.data()) + numbers::UnitText(e.ucb, e.hasData ? e.data.unitId : 0);
}

DIALOGSLOTS* Slots(const UCB* ucb) { return ucb->pWork != nullptr ? &ucb->pWork->dialog : nullptr; }

// The size edit that has the focus keeps what it showed when it took it.
void RememberShown(const EditNum& e, LONG dots, LONG shown) {
  DIALOGSLOTS* s = Slots(e.ucb);
  if (s == nullptr) return;
  s->hTypedEdit = e.icb->hWnd;
  s->lTypedDots = dots;
  s->lTypedSize = shown;
}

void ForgetShown(const EditNum& e) {
  DIALOGSLOTS* s = Slots(e.ucb);
  if (s != nullptr && s->hTypedEdit == e.icb->hWnd) s->hTypedEdit = nullptr;
}

// The dots of a typed display value: those the edit showed on taking the
// focus when the value is the same, else the conversion.
LONG TypedDots(const EditNum& e, LONG typed) {
  const DIALOGSLOTS* s = Slots(e.ucb);
  if (s != nullptr && s->hTypedEdit == e.icb->hWnd && s->lTypedSize == typed) return s->lTypedDots;
  return e.Stored(typed);
}

// The largest dot value the setting's width can keep, or 0 for no limit.
LONG DotLimit(const SFCB* sfcb) {
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  if (kind == kKindI16) return kLargestSigned16;
  if (kind == kKindU16) return kLargestUnsigned16;
  return 0;
}

bool IsIntegerKind(const SFCB* sfcb) {
  const DWORD kind = SettingKindOf(sfcb->descriptor);
  return kind >= kKindI8 && kind <= kKindU32;
}

// A number is held inside the description's range as it is stored:
// validation would put a number outside it back to its default.
LONG Held(const EditNum& e, LONG value) {
  if (e.size) return value;
  if (e.hasData) return std::clamp(value, e.data.min, std::max(e.data.min, e.data.max));
  // Without a range in the description the copies keep the model's.
  const DP* model = e.ucb->pDP;
  if (e.icb->pSFCB->funcId != refresh::kFuncCopies || model == nullptr) return value;
  return std::clamp<LONG>(value, model->pub.minCopies, std::max(model->pub.minCopies, model->pub.maxCopies));
}

// A number or length the description gives no range is judged by the
// driver's own table of private settings, as validation judges it: a value
// it refuses becomes what the table gives it.
void JudgeAsValidationDoes(const EditNum& e) {
  const WORD funcId = e.icb->pSFCB->funcId;
  if (e.hasData || funcId < kPrivFirstFuncId || funcId > kPrivLastFuncId) return;
  const ValidatePrivRow& row = ValidatePrivTable[funcId - kPrivFirstFuncId];
  if (row.routine != nullptr) row.routine(funcId, e.Current(), e.icb->pSFCB, row.defaultValue, kPrivCheckMode, e.ucb);
}

// A typed text: a size beyond what the setting can keep takes the last
// character back; a value the edit already shows stops. True when a value
// was stored.
bool OnTyped(const EditNum& e) {
  const std::u16string text = numbers::WindowText(e.icb->hWnd);
  const LONG typed = e.Parsed(text);
  LONG value = typed;
  if (e.size) {
    const LONG limit = DotLimit(e.icb->pSFCB);
    if (typed < 0 || (limit != 0 && e.Stored(typed) > limit)) {
      PostMessageW(e.icb->hWnd, WM_CHAR, VK_BACK, 0);
      return false;
    }
    if (typed == ShownValue(e, e.Current())) return false;
    value = TypedDots(e, typed);
  }
  // A number past the top of its range takes the last character back, as a
  // size does; one below the bottom may still grow, so it waits unstored.
  const LONG held = Held(e, value);
  if (held < value) {
    PostMessageW(e.icb->hWnd, WM_CHAR, VK_BACK, 0);
    return false;
  }
  if (held > value) return false;
  if (value == e.Current()) return false;
  numbers::TellModules(e.ucb, e.icb, kCustomEditNumTyped, typed);
  SetDevmodeValueByICB(e.ucb, e.icb, value);
  return true;
}

// While the text ends with the unit, the unit's characters do not count
// against the digits.
void OnUpdate(const EditNum& e) {
  if (!e.hasData) return;
  const std::u16string text = numbers::WindowText(e.icb->hWnd);
  const std::u16string unit = numbers::UnitText(e.ucb, e.data.unitId);
  const bool withUnit = !unit.empty() && text.size() >= unit.size() &&
                        text.compare(text.size() - unit.size(), unit.size(), unit) == 0;
  SendMessageW(e.icb->hWnd, EM_LIMITTEXT, e.data.maxDigits + (withUnit ? unit.size() : 0), 0);
}

// The final text, parsed: a size text that still says the value shown
// keeps its exact dots, whether the unit and trailing zeros were typed
// again or not.
void StoreFinalText(const EditNum& e) {
  const std::u16string text = numbers::WindowText(e.icb->hWnd);
  const LONG current = e.Current();
  const LONG typed = e.Parsed(text);
  const LONG value = e.size && typed == ShownValue(e, current) ? current : Held(e, e.Stored(typed));
  const LONG answer = numbers::AskModules(e.ucb, e.icb, kCustomEditNumShow);
  const LONG compared = answer != 0 ? e.Stored(answer) : current;
  if (value == compared) return;
  if (answer != 0) numbers::TellModules(e.ucb, e.icb, kCustomEditNumDots, value);
  SetDevmodeValueByICB(e.ucb, e.icb, value);
}

// The value the focused edit had when it took the focus, or was last
// judged: leaving it unchanged asks nothing again, so an alert the person
// has seen does not come back at every click outside the edit.
void RememberJudged(const EditNum& e) {
  DIALOGSLOTS* s = Slots(e.ucb);
  if (s == nullptr) return;
  s->hJudgedEdit = e.icb->hWnd;
  s->lJudgedValue = e.Current();
}

bool JudgedAlready(const EditNum& e) {
  const DIALOGSLOTS* s = Slots(e.ucb);
  return s != nullptr && s->hJudgedEdit == e.icb->hWnd && s->lJudgedValue == e.Current();
}

// Cancel throws away what was typed, so leaving for it judges nothing: an
// alert shown then would stand between the person and the Cancel.
bool LeavesForCancel(WPARAM next) {
  const auto window = reinterpret_cast<HWND>(next);
  return window != nullptr && GetDlgCtrlID(window) == IDCANCEL;
}

// On the free-size dialogs a size is held inside the tray's display range.
void HoldFreeSize(const EditNum& e) {
  const WORD dialog = e.tcb != nullptr ? e.tcb->tabId : e.ucb->wCurrentDialog;
  if (!e.size || (dialog != kFreeSizeDialog && dialog != kFreeSizeInputDialog)) return;
  LONG lo = 0;
  LONG hi = 0;
  if (!GetDispMinMax(e.ucb, e.icb, &lo, &hi)) return;
  const LONG display = ConvertDevmodeValueToSize(e.ucb, 0, e.Current());
  const LONG held = std::clamp(display, lo, std::max(lo, hi));
  if (held == display) return;
  const LONG dots = ConvertSizeToDevmodeValue(e.ucb, 0, held);
  numbers::TellModules(e.ucb, e.icb, kCustomEditNumDots, dots);
  SetDevmodeValueByICB(e.ucb, e.icb, dots);
}

}  // namespace

int InitEditNum(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return 0;
  const EditNum e(ucb, tcb, icb);
  const std::size_t limit = e.hasData ? e.data.maxDigits + numbers::UnitText(ucb, e.data.unitId).size()
                                      : static_cast<std::size_t>(kLimitWithoutData);
  SendMessageW(icb->hWnd, EM_LIMITTEXT, limit, 0);
  return 1;
}

void PaintEditNum(UCB* ucb, TCB* tcb, ICB* icb) {
  if (!numbers::IsBound(ucb, icb)) return;
  const EditNum e(ucb, tcb, icb);
  std::u16string text = numbers::WindowText(icb->hWnd);
  if (e.size && numbers::IsMarkedChanged(GetSFCBbyFuncID(ucb, kFuncDisplayUnit))) text.clear();
  const bool focus = GetFocus() == icb->hWnd;
  // A repaint may come between a keystroke and the value it stores (the
  // edit tells EN_UPDATE before EN_CHANGE): while the person types and no
  // one else changed the value, the text is theirs.
  if (focus && !numbers::IsMarkedChanged(icb->pSFCB)) return;
  LONG current = e.Current();
  LONG shown = ShownValue(e, current);
  if ((!text.empty() || focus) && (!numbers::IsMarkedChanged(icb->pSFCB) || focus) && e.Parsed(text) == shown) {
    return;
  }
  if (e.size && text.empty() && e.hasData) {
    const LONG held = std::clamp(current, e.data.min, std::max(e.data.min, e.data.max));
    if (held != current && !numbers::IsHidden(icb)) SetDevmodeValueByICB(ucb, icb, held);
    current = held;
    shown = ShownValue(e, current);
  }
  const std::u16string formatted = Formatted(e, shown);
  if (formatted != numbers::WindowText(icb->hWnd)) SetWindowTextW(icb->hWnd, formatted.c_str());
  if (e.size && focus) RememberShown(e, current, shown);
}

int PCmdEditNum(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM) {
  if (!numbers::IsBound(ucb, icb) || numbers::IsHidden(icb)) return 0;
  const EditNum e(ucb, tcb, icb);
  switch (HIWORD(wParam)) {
    case EN_SETFOCUS:
      if (e.size) RememberShown(e, e.Current(), ShownValue(e, e.Current()));
      RememberJudged(e);
      return 0;
    case EN_KILLFOCUS:
      ForgetShown(e);
      return 0;
    case EN_CHANGE:
      // The edit tells its own repaints too; only a stored value asks the
      // page for a repaint.
      return IsIntegerKind(icb->pSFCB) && OnTyped(e) ? 1 : 0;
    case EN_UPDATE:
      OnUpdate(e);
      return 0;
    default:
      return 0;
  }
}

int PMsgEditNum(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM) {
  if (!numbers::IsBound(ucb, icb) || message != WM_KILLFOCUS || LeavesForCancel(wParam)) return 0;
  const EditNum e(ucb, tcb, icb);
  if (e.hasData) StoreFinalText(e);
  if (IsIntegerKind(icb->pSFCB)) JudgeAsValidationDoes(e);
  if (!JudgedAlready(e)) CheckAlertMsg2(ucb, tcb, icb, 0, 0);
  RememberJudged(e);
  if (e.hasData) HoldFreeSize(e);
  InvalidateRect(icb->hWnd, nullptr, TRUE);
  return 0;
}
