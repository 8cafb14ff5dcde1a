// One control change: the value is stored, the control's UI group is
// judged, and then either the description's actions run or the alert the
// judge raised decides whether the value stays. The same road without a
// value judges a page or a button when the user accepts.
#include "ui/engine/change_road.h"

#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/cache/bkpd_cache.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/engine/item_window.h"
#include "ui/engine/transact_follow.h"

namespace {

constexpr WORD kFuncPrnMethod = 209;
// With this print method (as stored) the stored-job messages only inform:
// the value stays whatever the answer.
constexpr LONG_PTR kPrnMethodKeepsStoredAlerts = 56;
constexpr WORD kStoredMessages[] = {10011, 10012};

HWND PageOf(const TCB* tcb) { return tcb != nullptr ? tcb->hWnd : nullptr; }

bool IsAlert(WORD alertId) { return static_cast<SHORT>(alertId) > 0; }

// The alert the group's judge raises now. While the sheet's accept step
// runs, the judge works on a copy of the setting records so that they are
// left exactly as they were.
WORD JudgeAlert(UCB* ucb, const UiGroup* group) {
  const bool applying = ucb->pWork != nullptr && ucb->pWork->dialog.fApplying != 0;
  SFL* saved = applying ? BackupSFCB(ucb) : nullptr;
  const WORD alertId = BKPDIsAlertModeUI(group, ucb);
  if (saved != nullptr) RestoreSFCB(ucb, saved);
  return alertId;
}

// The group's alert entry of that number, or null.
const ExclusiveAlert* AlertEntry(UCB* ucb, const UiGroup* group, WORD alertId) {
  const ExclusiveRecord* record = BkpdGroupExclusive(ContextBkpd(ucb), group);
  return record != nullptr ? _GetAlertAddr(record, alertId, ucb) : nullptr;
}

bool IsStoredMessage(const UCB* ucb, WORD alertId) {
  const AP* ap = GetAPbyAlertID(ucb, alertId);
  if (ap == nullptr) return false;
  for (const WORD id : kStoredMessages) {
    if (ap->messageId == id) return true;
  }
  return false;
}

// Whether the new value stays after the alert was answered.
bool KeepsValue(const UCB* ucb, const ExclusiveAlert& entry, int answer) {
  if (GetDevmodeValueDirectByFuncID(ucb, kFuncPrnMethod, nullptr) == kPrnMethodKeepsStoredAlerts &&
      IsStoredMessage(ucb, entry.alertId)) {
    return true;
  }
  if (entry.button == MB_OKCANCEL) return answer == IDOK;
  return entry.button == MB_OK && entry.icon == MB_ICONINFORMATION;
}

// A number edit is being typed into: its alert waits until the page has
// finished with the edit and counts as accepted now.
int AnswerOf(UCB* ucb, const TCB* tcb, const ICB* icb, const ExclusiveAlert* entry) {
  if (icb->kind == kCtlEditNum) {
    if (HWND page = PageOf(tcb); page != nullptr) {
      PostMessageW(page, kMsgQueuedAlert, icb->itemId, reinterpret_cast<LPARAM>(entry));
    }
    return IDOK;
  }
  return ShowAlertMsg(ucb, entry, PageOf(tcb));
}

}  // namespace

int CheckAlertMsg(UCB* ucb, TCB* tcb, ICB* icb, LONG_PTR newValue) {
  return CheckAlertMsg2(ucb, tcb, icb, newValue, 1);
}

int CheckAlertMsg2(UCB* ucb, TCB* tcb, ICB* icb, LONG_PTR newValue, int setFlag) {
  if (ucb == nullptr || icb == nullptr) return 0;
  ShowPopupMsg(ucb, nullptr, PageOf(tcb), 0, 0);
  LONG_PTR before = 0;
  if (setFlag == 1) {
    before = GetDevmodeValueByICB(ucb, icb);
    SetDevmodeValueByICB(ucb, icb, newValue);
  }
  const UiGroup* group = icb->pUiGroup;
  if (group == nullptr) return 0;
  const LONG_PTR presetBefore = CurrentPresetNo(ucb);
  const WORD alertId = JudgeAlert(ucb, group);
  if (!IsAlert(alertId)) {
    DoTransact(ucb, tcb, group, icb->builtInId);
    FollowPresetChoice(ucb, tcb, presetBefore);
    return 0;
  }
  const ExclusiveAlert* entry = AlertEntry(ucb, group, alertId);
  if (entry == nullptr) return 0;
  const int answer = AnswerOf(ucb, tcb, icb, entry);
  if (KeepsValue(ucb, *entry, answer)) {
    BKPDSetAlertActionUI(group, alertId, static_cast<WORD>(answer), ucb);
    return 0;
  }
  if (setFlag == 1) SetDevmodeValueByICB(ucb, icb, before);
  BKPDSetAlertActionUI(group, alertId, static_cast<WORD>(answer), ucb);
  // The free-size module brings its inch mirrors back to the value put back.
  KesmCustomFunction(ucb, kCustomAlertAccepted, nullptr);
  KesmCustomProcedure(ucb, tcb, icb, kMsgAlertRefused, alertId, 0);
  return 1;
}

int DoAlert(UCB* ucb, TCB* tcb, const UiGroup* group) {
  if (ucb == nullptr || group == nullptr) return 0;
  const WORD alertId = BKPDIsAlertModeUI(group, ucb);
  if (!IsAlert(alertId)) return 0;
  const ExclusiveAlert* entry = AlertEntry(ucb, group, alertId);
  if (entry == nullptr) return 0;
  const int answer = ShowAlertMsg(ucb, entry, PageOf(tcb));
  BKPDSetAlertActionUI(group, alertId, static_cast<WORD>(answer), ucb);
  return answer;
}
