#include "settings/constraints/ui_status.h"

#include "features/custom_modules.h"
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/constraints/exc_interface.h"
#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"

namespace {

// A control's status word: bits 0-1 the painted hide state, bits 2-3 the
// painted disable state.
constexpr WORD kStatusHideMask = 0x0003;
constexpr WORD kStatusDisableMask = 0x000C;
constexpr int kStatusDisableShift = 2;

constexpr WORD kFuncSortType = 119;
constexpr WORD kFirstCustomFunc = 1133;
constexpr WORD kLastCustomFunc = 1164;

DWORD HideBits(WORD status) { return status & kStatusHideMask; }
DWORD DisableBits(WORD status) { return static_cast<DWORD>(status & kStatusDisableMask) >> kStatusDisableShift; }

// The kinds whose options carry their own judges: PickOne and PickMany,
// with the paper, tray and font-table lists that share PickOne's low byte.
bool HasOptionJudges(const UiGroup* group) {
  const BYTE kind = static_cast<BYTE>(group->type & 0xFF);
  return kind == kUiPickOne || kind == kUiPickMany;
}

const ExclusiveRecord* RecordOf(const UCB* ucb, const UiGroup* group) {
  return group != nullptr ? BkpdGroupExclusive(ContextBkpd(ucb), group) : nullptr;
}

// Whether the record's own judge, or that of any of its items, reads a
// changed setting.
BOOL AnyJudgeDecision(const UCB* ucb, const ExclusiveRecord* record, DWORD ExclusiveRecord::*ofRecord,
                      DWORD ExclusiveItem::*ofItem) {
  PCBKPD b = ContextBkpd(ucb);
  if (IsJudgeDecision(ucb, BkpdJudge(b, record->*ofRecord))) return TRUE;
  for (const ExclusiveItem* i = BkpdItemList(b, record->itemList); i != nullptr; i = BkpdNext(b, i)) {
    if (IsJudgeDecision(ucb, BkpdJudge(b, i->*ofItem))) return TRUE;
  }
  return FALSE;
}

}  // namespace

const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId) { return BKPDGetUiGroupAddr(groupId, ucb); }

WORD GetOptionIdFromUiGroup(const UCB* ucb, const UiGroup* group, LPCVOID option, const ExclusiveItem** items) {
  if (items != nullptr) *items = nullptr;
  if (group == nullptr || option == nullptr) return 0;
  WORD key = 0;
  if (HasOptionJudges(group)) {
    key = static_cast<const UiOption*>(option)->value;
  } else if ((group->type & 0xFF) == kUiString) {
    key = *static_cast<const WORD*>(option);
  }
  if (items != nullptr && key != 0) {
    if (const ExclusiveRecord* record = RecordOf(ucb, group); record != nullptr) {
      *items = BkpdItemList(ContextBkpd(ucb), record->itemList);
    }
  }
  return key;
}

const UiOption* GetNextUiOption(const UCB* ucb, const UiGroup* group, const UiOption* option) {
  if (group == nullptr || option == nullptr || !HasOptionJudges(group)) return nullptr;
  return BkpdNext(ContextBkpd(ucb), option);
}

BOOL GetTcbStatusIsHide(UCB* ucb, WORD groupId) {
  if (groupId == 0) return FALSE;
  const UiGroup* group = GetUiGroupFromGroupID(ucb, groupId);
  return group != nullptr ? BKPDIsHideModeUI(group, 0, ucb) : FALSE;
}

BOOL GetIcbStatusIsHide(UCB* ucb, const UiGroup* group, WORD optionValue) {
  if (group == nullptr) return FALSE;
  if (BKPDIsHideModeUI(group, 0, ucb)) return TRUE;
  return HasOptionJudges(group) ? BKPDIsHideModeUI(group, optionValue, ucb) : FALSE;
}

DWORD GetIcbStatusIsDisable(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb == nullptr) return 0;
  const WORD onEntry = icb->status;
  ICBDISABLEQUERY query{icb, tcb, 0, icb->itemId, icb->pUiGroup, DisableBits(onEntry)};
  KesmCustomFunction(ucb, kCustomDisableState, &query);
  DWORD state = 0;
  if (query.handled != 0 || icb->pUiGroup == nullptr) {
    state = DisableBits(icb->status);
  } else {
    state = BKPDIsDisableModeUI(icb->pUiGroup, 0, ucb);
    if (state == 0 && HasOptionJudges(icb->pUiGroup)) state = BKPDIsDisableModeUI(icb->pUiGroup, icb->itemId, ucb);
  }
  icb->status = static_cast<WORD>((icb->status & ~kStatusDisableMask) | (onEntry & kStatusDisableMask));
  return state;
}

BOOL IsJudgeDecision(const UCB* ucb, std::span<const JudgeToken> judge) {
  for (const JudgeToken& t : judge) {
    if (t.kind == kJudgeOperator && t.value == kJudgeOpEnd) break;
    if (t.kind != kJudgeSetting) continue;
    const SFCB* sfcb = GetSFCBbyFuncID(ucb, t.value);
    if (sfcb != nullptr && (sfcb->flags & kSfcbChangedMask) == 1) return TRUE;
  }
  return FALSE;
}

BOOL IsHideDevmodeChanged(UCB* ucb, const ICB* icb) {
  if (icb == nullptr || icb->pUiGroup == nullptr) return FALSE;
  if (HideBits(icb->status) != static_cast<DWORD>(GetIcbStatusIsHide(ucb, icb->pUiGroup, icb->itemId))) {
    return TRUE;
  }
  const ExclusiveRecord* record = RecordOf(ucb, icb->pUiGroup);
  return record != nullptr ? AnyJudgeDecision(ucb, record, &ExclusiveRecord::hideJudge, &ExclusiveItem::hideJudge)
                           : FALSE;
}

BOOL IsDisableDevmodeChanged(UCB* ucb, TCB* tcb, ICB* icb) {
  if (icb == nullptr || icb->pUiGroup == nullptr) return FALSE;
  if (DisableBits(icb->status) != GetIcbStatusIsDisable(ucb, tcb, icb)) return TRUE;
  const ExclusiveRecord* record = RecordOf(ucb, icb->pUiGroup);
  return record != nullptr
             ? AnyJudgeDecision(ucb, record, &ExclusiveRecord::disableJudge, &ExclusiveItem::disableJudge)
             : FALSE;
}

BOOL IsValidateCollateEx(UCB* ucb) {
  LONG count = 0;
  if (ExcGetActiveValue(ucb, kFuncSortType, 0, nullptr, &count) != kExcCountOnly || count <= 0) return FALSE;
  auto values = NewMemBlock<DWORD>(static_cast<SIZE_T>(count));
  if (!values) return FALSE;
  if (ExcGetActiveValue(ucb, kFuncSortType, static_cast<DWORD>(count), values.get(), &count) != kExcListed ||
      count <= 0) {
    return FALSE;
  }
  return count == 1 && values.get()[0] == 0 ? FALSE : TRUE;
}

LONG_PTR IsKesmCustomOrderFunc(const UCB* ucb, WORD funcId) {
  if (funcId < kFirstCustomFunc || funcId > kLastCustomFunc) return 0;
  return GetDevmodeValueDirectByFuncID(ucb, funcId, nullptr);
}
