// Group lookups and group properties of a context's description.
#include "settings/bkpd/description_queries.h"

#include "settings/context/context_block.h"
#include "settings/system/memptr.h"
#include "settings/values/text_language.h"

namespace {

constexpr WORD kTypeLowByte = 0x00FF;
constexpr WORD kListKindBit = 0x0001;  // PickOne and the kinds built on it

PCBKPD Description(const UCB* ucb) { return ucb != nullptr ? ucb->pBKPD : nullptr; }

// The option value at a 0-based position of a list, or 0 past its end.
WORD OptionValueAt(PCBKPD b, const UiGroup* g, WORD index) {
  const UiOption* o = BkpdFirstOption(b, g);
  for (WORD i = 0; o != nullptr && i < index; ++i) o = BkpdNext(b, o);
  return o != nullptr ? o->value : 0;
}

LONG WorkOptionValueAt(const WorkOption* o, WORD index) {
  for (WORD i = 0; o != nullptr && i < index; ++i) o = o->next;
  return o != nullptr ? o->value : 0;
}

}  // namespace

// --- Group lookups ----------------------------------------------------------

const UiGroup* _GetUiGroupAddrByFuncID(WORD funcId, const UCB* ucb) {
  PCBKPD b = Description(ucb);
  if (b == nullptr || funcId == 0) return nullptr;
  if (BkpdHasSlot(funcId)) return BkpdSlotGroup(b, funcId);
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->funcId == funcId) return g;
  }
  return nullptr;
}

const UiGroup* BKPDGetUiGroupAddrByFuncID(WORD funcId, const UCB* ucb) { return _GetUiGroupAddrByFuncID(funcId, ucb); }

const UiGroup* _GetUiGroupAddr(WORD groupId, const UCB* ucb) {
  PCBKPD b = Description(ucb);
  for (const UiGroup* g = BkpdFirstGroup(b); g != nullptr; g = BkpdNext(b, g)) {
    if (g->groupId == groupId) return g;
  }
  return nullptr;
}

const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb) { return _GetUiGroupAddr(groupId, ucb); }

const UiGroup* BKPDGetUiGroupAddrBySFCBIndex(const UCB* ucb, int index) {
  if (ucb == nullptr || ucb->pSFL == nullptr || ucb->pSFL->pSFCB == nullptr || index < 0 ||
      index >= ucb->pSFL->count) {
    return nullptr;
  }
  return _GetUiGroupAddrByFuncID(ucb->pSFL->pSFCB[index].funcId, ucb);
}

const ExclusiveRecord* _GetExclusiveAddr(WORD groupId, const UCB* ucb) {
  PCBKPD b = Description(ucb);
  for (const ExclusiveRecord* e = BkpdFirstExclusive(b); e != nullptr; e = BkpdNext(b, e)) {
    if (e->groupId == groupId) return e;
  }
  return nullptr;
}

const ExclusiveItem* _GetOptionAddr(const ExclusiveRecord* record, WORD optionValue, const UCB* ucb) {
  PCBKPD b = Description(ucb);
  if (record == nullptr || b == nullptr) return nullptr;
  for (const ExclusiveItem* i = BkpdItemList(b, record->itemList); i != nullptr; i = BkpdNext(b, i)) {
    if (i->optionValue == optionValue) return i;
  }
  return nullptr;
}

// --- Group properties -----------------------------------------------------

WORD _BKPDGetGroupTypeByFuncID(WORD funcId, const UCB* ucb) {
  const UiGroup* g = _GetUiGroupAddrByFuncID(funcId, ucb);
  return g != nullptr ? g->type : 0;
}

WORD BKPDGetGroupTypeByFuncID(WORD funcId, const UCB* ucb) {
  return static_cast<WORD>(_BKPDGetGroupTypeByFuncID(funcId, ucb) & ~kUiTypeFlags);
}

LONG BKPDGetGroupDefaultByFuncID(WORD funcId, const UCB* ucb) {
  PCBKPD b = Description(ucb);
  const UiGroup* g = _GetUiGroupAddrByFuncID(funcId, ucb);
  if (g == nullptr) return 0;
  switch (g->type & kTypeLowByte) {
    case kUiPickOne:
      return OptionValueAt(b, g, g->defaultIndex);
    case kUiBoolean: {
      const UiBooleanValue* v = BkpdBooleanValue(b, g);
      return v != nullptr ? static_cast<LONG>(v->defaultValue) : 0;
    }
    case kUiNumeric: {
      const UiNumericValue* v = BkpdNumericValue(b, g);
      return v != nullptr ? static_cast<LONG>(v->second) : 0;
    }
    case kUiString: {
      const UiStringValue* v = BkpdStringValue(b, g);
      return v != nullptr ? v->defaultValue : 0;
    }
    default:
      return 0;
  }
}

LONG _GetGroupDefault(WORD funcId, const WorkBKPD* work) {
  if (work == nullptr || work->header == nullptr) return 0;
  const WorkUiGroup* g = work->header->groups;
  while (g != nullptr && g->funcId != funcId) g = g->next;
  if (g == nullptr) return 0;
  switch (g->type & kTypeLowByte) {
    case kUiPickOne:
      return WorkOptionValueAt(g->options, g->defaultValue);
    case kUiBoolean:
      return g->boolean != nullptr ? static_cast<LONG>(g->boolean->defaultValue) : 0;
    case kUiNumeric:
      return g->numeric != nullptr ? g->numeric->second : 0;
    case kUiString:
      return g->string != nullptr ? g->string->defaultValue : 0;
    default:
      return 0;
  }
}

LPCVOID BKPDGetGroupOptionsByFuncID(WORD funcId, const UCB* ucb, WORD* defaultIndex) {
  PCBKPD b = Description(ucb);
  const UiGroup* g = _GetUiGroupAddrByFuncID(funcId, ucb);
  if (g == nullptr) return nullptr;
  if (defaultIndex != nullptr && (g->type & ~kUiTypeFlags & kListKindBit) != 0) *defaultIndex = g->defaultIndex;
  switch (BkpdGroupKind(g->type)) {
    case UiKind::kBoolean:
      return BkpdBooleanValue(b, g);
    case UiKind::kNumeric:
      return BkpdNumericValue(b, g);
    case UiKind::kString:
      return BkpdStringValue(b, g);
    default:
      return BkpdFirstOption(b, g);
  }
}

int _GetUiOptionCount(PCBKPD b, const UiGroup* group) {
  int count = 0;
  for (const UiOption* o = BkpdFirstOption(b, group); o != nullptr; o = BkpdNext(b, o)) ++count;
  return count;
}

int BKPDGetUiOptionCountByFuncID(WORD funcId, const UCB* ucb) {
  const UiGroup* g = _GetUiGroupAddrByFuncID(funcId, ucb);
  if (g == nullptr) return -1;
  switch (g->type & kTypeLowByte) {
    case kUiBoolean:
    case kUiNumeric:
    case kUiString:
      return 0;
    default:
      return _GetUiOptionCount(Description(ucb), g);
  }
}

LPCWSTR BKPDGetUIResDll(UCB* ucb) { return BkpdUiResDllName(Description(ucb)); }
