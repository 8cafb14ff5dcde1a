#include "features/freesize/freesize_range.h"

#include <algorithm>
#include <array>

#include "features/freesize/freesize_ids.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

constexpr std::array<WORD, 12> kLengthItems = {2220, 2221, 2392, 2393, 2400, 2401, 2682, 2683, 2684, 2685, 2686, 2687};
constexpr std::array<WORD, 12> kWidthItems = {2224, 2225, 2394, 2395, 2398, 2399, 2689, 2690, 2691, 2692, 2693, 2694};

template <std::size_t N>
bool Among(const std::array<WORD, N>& items, WORD id) {
  return std::find(items.begin(), items.end(), id) != items.end();
}

LONG Value(const UCB* ucb, WORD funcId) { return static_cast<LONG>(GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr)); }

// The tray and orientation settings the dialog's size controls follow.
bool TrayAndOrientation(const UCB* ucb, WORD* tray, WORD* orientation) {
  switch (ucb->wCurrentDialog) {
    case kDialogFreeSizeList:
      *tray = kFuncFreeSizeTray;
      *orientation = kFuncFreeSizeOrient;
      return true;
    case kDialogFreeSizeInput: {
      const bool paper = Value(ucb, kFuncInputFreeSizeType) == 1;
      *tray = paper ? kFuncPaperFreeSizeTray : kFuncPrintFreeSizeTray;
      *orientation = paper ? kFuncPaperFreeSizeOrient : kFuncPrintFreeSizeOrient;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

BOOL GetFreeSizeRangebyTrayandOrient(const UCB* ucb, LONG tray, LONG orientation, LONG* max, LONG* min,
                                     int lengthFlag) {
  const bool inch = Value(ucb, kFuncDspUnit) != 0;
  for (const FreeSizeRange* row = GetPtrFreeSizeRangeTable(); row->tray != 0; ++row) {
    if (row->tray != static_cast<SHORT>(tray) || row->orientation != static_cast<SHORT>(orientation)) continue;
    const LONG hi = lengthFlag == 1 ? (inch ? row->lengthMaxInch : row->lengthMaxMM) : (inch ? row->widthMaxInch : row->widthMaxMM);
    const LONG lo = lengthFlag == 1 ? (inch ? row->lengthMinInch : row->lengthMinMM) : (inch ? row->widthMinInch : row->widthMinMM);
    if (max != nullptr) *max = hi;
    if (min != nullptr) *min = lo;
    return TRUE;
  }
  return FALSE;
}

BOOL GetFreeSizeRangebyIcb(const UCB* ucb, const ICB* icb, LONG* max, LONG* min) {
  if (ucb == nullptr || icb == nullptr) return FALSE;
  WORD tray = 0;
  WORD orientation = 0;
  if (!TrayAndOrientation(ucb, &tray, &orientation)) return FALSE;
  int lengthFlag = 0;
  if (Among(kLengthItems, icb->itemId)) {
    lengthFlag = 1;
  } else if (!Among(kWidthItems, icb->itemId)) {
    return FALSE;
  }
  return GetFreeSizeRangebyTrayandOrient(ucb, Value(ucb, tray), Value(ucb, orientation), max, min, lengthFlag);
}

BOOL IsHideModeByItemID(const UCB* ucb, const TCB* tcb, WORD itemId) {
  const ICB* icb = tcb != nullptr ? GetICBbyItemID(ucb, tcb, itemId) : nullptr;
  return icb != nullptr && (icb->status & 0x3) == 0;
}

// The edit that stands for the dimension is the first one shown: its
// group gives the default and the display range. Taking the first hidden
// one instead would leave a dialog that shows every edit without one, and
// could give the third unit's edit, whose group is not the size's.
ICB* GetIcbOfFreeSizeInputEdit(const UCB* ucb, const TCB* tcb, int lengthFlag) {
  if (tcb == nullptr) return nullptr;
  for (WORD item : lengthFlag == 1 ? kFreeSizeLengthEdits : kFreeSizeWidthEdits) {
    if (IsHideModeByItemID(ucb, tcb, item)) return GetICBbyItemID(ucb, tcb, item);
  }
  return nullptr;
}

BOOL IsDefaultValueOfDotSize(const UCB* ucb, LONG dots, int lengthFlag) {
  const TCB* tcb = GetTCBbyTabID(ucb, kDialogFreeSizeInput);
  const ICB* edit = GetIcbOfFreeSizeInputEdit(ucb, tcb, lengthFlag);
  if (edit == nullptr || ucb->pBKPD == nullptr) return FALSE;
  const UiGroup* group = GetUiGroupFromGroupID(ucb, edit->groupId);
  const UiNumericValue* numeric =
      group != nullptr ? BkpdNumericValue(reinterpret_cast<PCBKPD>(ucb->pBKPD), group) : nullptr;
  return numeric != nullptr && static_cast<LONG>(numeric->second) == dots;
}
