// Transacts and alert actions: the settings a description changes when a
// judge holds.
#include "settings/bkpd/description_queries.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/constraint_services.h"

namespace {

void RunAction(const ExclusiveAction& action, UCB* ucb) {
#if !KESM_KERNEL_MODE
  // The setting whose actions name a built-in function instead of a value.
  constexpr WORD kFuncBuiltInFunc = 854;
  if (action.funcId == kFuncBuiltInFunc) {
    KesmUiCoreBuiltInFunc(ucb, static_cast<WORD>(action.value));
    return;
  }
#endif
  // The rendering library has no built-in functions: the number is stored.
  SetDevmodeValueByFuncIDFromBKPD(ucb, action.funcId, static_cast<LONG_PTR>(action.value));
}

// Runs an action list; the id field of a stop action, else 0.
WORD RunActions(const ExclusiveAction* actions, UCB* ucb) {
  PCBKPD b = ContextBkpd(ucb);
  for (const ExclusiveAction* a = actions; a != nullptr; a = BkpdNext(b, a)) {
    if (a->flag == kActionStop) return a->funcId;
    RunAction(*a, ucb);
  }
  return 0;
}

}  // namespace

WORD _SetAction(const ExclusiveTransact* transacts, UCB* ucb) {
  PCBKPD b = ContextBkpd(ucb);
  // The judge of the entry before and whether it was false, so that a run
  // of entries guarded by one false judge evaluates it once.
  DWORD falseJudge = 0;
  for (const ExclusiveTransact* t = transacts; t != nullptr; t = BkpdNext(b, t)) {
    if (t->judge != 0) {
      if (t->judge == falseJudge) continue;
      if (_IsJudgement(BkpdJudge(b, t->judge), ucb) == 0) {
        falseJudge = t->judge;
        continue;
      }
    }
    falseJudge = 0;
    if (const WORD stop = RunActions(BkpdActionList(b, t->actionList), ucb); stop != 0) return stop;
  }
  return 0;
}

namespace {

// The transact of an exclusive record; 0 without a record.
WORD RunTransactOf(const ExclusiveRecord* record, UCB* ucb) {
  return record != nullptr ? _SetAction(BkpdTransactList(ContextBkpd(ucb), record->transact), ucb) : 0;
}

}  // namespace

WORD BKPDSetActionUI(const UiGroup* group, UCB* ucb) {
  return RunTransactOf(BkpdGroupExclusive(ContextBkpd(ucb), group), ucb);
}

WORD BKPDSetAction(WORD groupId, DWORD /*unused*/, UCB* ucb) { return RunTransactOf(_GetExclusiveAddr(groupId, ucb), ucb); }

void _SetAlertAction(const ExclusiveAlert* alert, WORD result, UCB* ucb) {
  PCBKPD b = ContextBkpd(ucb);
  if (alert == nullptr) return;
  const ExclusiveAlertAction* answer = BkpdAlertActionList(b, alert->alertActionList);
  while (answer != nullptr && answer->result != result) answer = BkpdNext(b, answer);
  if (answer == nullptr) return;
  _SetAction(BkpdTransactList(b, answer->transact), ucb);
#if !KESM_KERNEL_MODE
  if (const TCB* page = GetTCBbyTabID(ucb, answer->tabId); page != nullptr && page->hWnd != nullptr) {
    FocusPageControl(page->hWnd, answer->controlId);
  }
#endif
}

void BKPDSetAlertActionUI(const UiGroup* group, WORD alertId, WORD result, UCB* ucb) {
  _SetAlertAction(_GetAlertAddr(BkpdGroupExclusive(ContextBkpd(ucb), group), alertId, ucb), result, ucb);
}
