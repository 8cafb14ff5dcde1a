// The constraint engine: the answers a context's compiled description gives
// about its UI groups and options for the context's current settings (is
// it hidden, is it disabled, does it raise an alert) and the settings that
// change as a consequence (transacts and alert actions).
//
// A judge is a postfix expression over setting values, evaluated on the
// context's judge stack. Records and lists passed in belong to the
// context's description (ucb->pBKPD). Without a judge an option is visible
// and enabled, raises no alert, and an action entry always runs.
#pragma once

#include <span>

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// --- Judges -------------------------------------------------------------

// The 32-bit value of a judge; 0 for no judge. A setting operand reads the
// setting's value: ids 624-751 from the device-rule hook, 964-1123 from the
// feature modules' hook, a string setting as the length of its text, any
// other as its UI value. Relations compare unsigned 32-bit values. The
// judge ends with 0 at an operand whose setting has no record, and also
// when it is not a sound postfix expression or the judge stack is full
// (a judge may be evaluated while another waits on the stack, for a hook).
// The stack holds, when the evaluation returns, what it held before.
DWORD _IsJudgement(std::span<const JudgeToken> judge, UCB* ucb);

// The judge stack: push at the count (FALSE, nothing stored, when full or
// the context has no stack); pop below it (FALSE and 0 when empty).
BOOL _PushData(UCB* ucb, LONG value);
BOOL _PopData(UCB* ucb, LONG* value);

// --- Hide, disable, alert -------------------------------------------------

// Option value 0 asks about the record's own hide (disable) judge; another
// value about the judge of the record's item with that option value. TRUE
// when that judge holds; FALSE for no record, no item or no judge.
BOOL _IsHideMode(const ExclusiveRecord* record, WORD optionValue, UCB* ucb);
BOOL _IsDisableMode(const ExclusiveRecord* record, WORD optionValue, UCB* ucb);
// The same for the exclusive record of a UI group.
BOOL BKPDIsHideModeUI(const UiGroup* group, WORD optionValue, UCB* ucb);
BOOL BKPDIsDisableModeUI(const UiGroup* group, WORD optionValue, UCB* ucb);

// The alert id of the first alert of the list whose judge holds; 0 when
// none does.
WORD _IsAlertMode(const ExclusiveAlert* alerts, UCB* ucb);
// The same for the alert list of a UI group's exclusive record.
WORD BKPDIsAlertModeUI(const UiGroup* group, UCB* ucb);
// The record's alert with that id, or null.
const ExclusiveAlert* _GetAlertAddr(const ExclusiveRecord* record, WORD alertId, const UCB* ucb);

// --- Transacts and alert actions --------------------------------------

// Runs a transact list: each entry whose judge holds (or that has none)
// runs its actions in order; an entry with the same judge as the entry
// before it, which was false there, is skipped unevaluated. A stop action
// ends everything and its id field (a dialog number) is returned; else 0.
// An action on the built-in-function setting (854) runs the configuration
// library's built-in function of the value's low 16 bits; any other action
// stores its value into its setting as a description value.
WORD _SetAction(const ExclusiveTransact* transacts, UCB* ucb);
// The transact of a UI group's exclusive record; 0 without one.
WORD BKPDSetActionUI(const UiGroup* group, UCB* ucb);
// The transact of the exclusive record of a group keyword id; the second
// argument is not used. 0 without such a record.
WORD BKPDSetAction(WORD groupId, DWORD unused, UCB* ucb);

// Runs the transact of the alert's action for that message-box result,
// then, when the action's tab is an open page of the context, moves the
// focus to the action's control there. Nothing without such an action.
void _SetAlertAction(const ExclusiveAlert* alert, WORD result, UCB* ucb);
// The same for an alert id of a UI group's exclusive record.
void BKPDSetAlertActionUI(const UiGroup* group, WORD alertId, WORD result, UCB* ucb);
