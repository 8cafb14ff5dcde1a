// Hide, disable and alert answers of an exclusive record.
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"

namespace {

// The hide or disable judge the question is about: the record's own for
// option 0, else that of the record's item for the option.
DWORD ModeJudge(const ExclusiveRecord* record, WORD optionValue, const UCB* ucb,
                DWORD ExclusiveRecord::*ofRecord, DWORD ExclusiveItem::*ofItem) {
  if (record == nullptr) return 0;
  if (optionValue == 0) return record->*ofRecord;
  const ExclusiveItem* item = _GetOptionAddr(record, optionValue, ucb);
  return item != nullptr ? item->*ofItem : 0;
}

BOOL Holds(DWORD taggedJudge, UCB* ucb) {
  return _IsJudgement(BkpdJudge(ContextBkpd(ucb), taggedJudge), ucb) != 0 ? TRUE : FALSE;
}

}  // namespace

BOOL _IsHideMode(const ExclusiveRecord* record, WORD optionValue, UCB* ucb) {
  return Holds(ModeJudge(record, optionValue, ucb, &ExclusiveRecord::hideJudge, &ExclusiveItem::hideJudge), ucb);
}

BOOL _IsDisableMode(const ExclusiveRecord* record, WORD optionValue, UCB* ucb) {
  return Holds(ModeJudge(record, optionValue, ucb, &ExclusiveRecord::disableJudge, &ExclusiveItem::disableJudge),
               ucb);
}

BOOL BKPDIsHideModeUI(const UiGroup* group, WORD optionValue, UCB* ucb) {
  return _IsHideMode(BkpdGroupExclusive(ContextBkpd(ucb), group), optionValue, ucb);
}

BOOL BKPDIsDisableModeUI(const UiGroup* group, WORD optionValue, UCB* ucb) {
  return _IsDisableMode(BkpdGroupExclusive(ContextBkpd(ucb), group), optionValue, ucb);
}

WORD _IsAlertMode(const ExclusiveAlert* alerts, UCB* ucb) {
  PCBKPD b = ContextBkpd(ucb);
  for (const ExclusiveAlert* a = alerts; a != nullptr; a = BkpdNext(b, a)) {
    if (Holds(a->judge, ucb)) return a->alertId;
  }
  return 0;
}

WORD BKPDIsAlertModeUI(const UiGroup* group, UCB* ucb) {
  const ExclusiveRecord* record = BkpdGroupExclusive(ContextBkpd(ucb), group);
  return record != nullptr ? _IsAlertMode(BkpdAlertList(ContextBkpd(ucb), record->alertList), ucb) : 0;
}

const ExclusiveAlert* _GetAlertAddr(const ExclusiveRecord* record, WORD alertId, const UCB* ucb) {
  PCBKPD b = ContextBkpd(ucb);
  if (record == nullptr) return nullptr;
  for (const ExclusiveAlert* a = BkpdAlertList(b, record->alertList); a != nullptr; a = BkpdNext(b, a)) {
    if (a->alertId == alertId) return a;
  }
  return nullptr;
}
