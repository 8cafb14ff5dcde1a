// The one road of every value a person gives a control: stored, judged by
// the constraint engine, then either the description's actions run or an
// alert is shown and decides whether the value stays. Also the changed-mark
// scans of the settings. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/tables/dialog_tables.h"

struct UCB;
struct UiGroup;

// 1 when the change was refused and undone, 0 otherwise.
int CheckAlertMsg(UCB* ucb, TCB* tcb, ICB* icb, LONG_PTR newValue);
int CheckAlertMsg2(UCB* ucb, TCB* tcb, ICB* icb, LONG_PTR newValue, int setFlag);
// The message box's answer, or 0 when nothing was shown.
int ShowAlertMsg(UCB* ucb, const ExclusiveAlert* entry, HWND owner);
int DoAlert(UCB* ucb, TCB* tcb, const UiGroup* group);
// 1 when an action named a dialog and it was opened.
int DoTransact(UCB* ucb, TCB* tcb, const UiGroup* group, WORD builtInId);
// A number edit's alert queued to the page (wParam control id, lParam the
// entry): shown now, then the focus goes to the item.
void ShowQueuedAlert(UCB* ucb, TCB* tcb, WPARAM controlId, LPARAM entry);

int IsDevmodeChanged(const UCB* ucb);
int ResetEntryChanged(UCB* ucb);
