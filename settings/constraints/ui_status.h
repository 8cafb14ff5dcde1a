// What the dialog engine and DEVMODE validation ask before they repaint a
// control or offer a value: the UI group that describes a control, its
// options, whether the description's judges hide or disable a tab or a
// control now, whether those judges read a setting written since the last
// refresh, whether collation may be offered, and the custom order
// functions.
#pragma once

#include <span>

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// --- Groups and options ---------------------------------------------------

// The compiled description's UI group of that group id, or null.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);

// The key of an option of the group: the option's value for the PickOne
// and PickMany kinds (low byte of the type 1 or 2), the first word of the
// value record for a String group, else 0. When items is given it receives
// the first entry of the group's exclusive item list when the key is not 0
// and the group has one (a sign that its options have judges), else null.
// The option records are those of the context's description.
WORD GetOptionIdFromUiGroup(const UCB* ucb, const UiGroup* group, LPCVOID option, const ExclusiveItem** items);
// The option after this one for the PickOne and PickMany kinds, else null.
const UiOption* GetNextUiOption(const UCB* ucb, const UiGroup* group, const UiOption* option);

// --- Hide and disable states ----------------------------------------------

// The hide state of the tab of a group id: 0 for id 0 or an id without a
// UI group.
BOOL GetTcbStatusIsHide(UCB* ucb, WORD groupId);
// The hide state of a control: the group's, or when the group is shown,
// for the PickOne and PickMany kinds that of the option; 0 for no group.
BOOL GetIcbStatusIsHide(UCB* ucb, const UiGroup* group, WORD optionValue);

// What the feature modules are asked (custom function code 3) before the
// description answers a control's disable state. A module that decides
// sets handled and writes the state into the control's status bits.
struct ICBDISABLEQUERY {
  ICB* icb;
  TCB* tcb;
  DWORD handled;
  WORD itemId;
  const UiGroup* group;
  DWORD state;  // the control's disable bits on entry
};
inline constexpr DWORD kCustomDisableState = 3;

// The disable state of a control: the modules' answer, else the group's,
// or when the group is enabled, for the PickOne and PickMany kinds that of
// the option whose value is the control id. The control's status bits are
// left as they were.
DWORD GetIcbStatusIsDisable(UCB* ucb, TCB* tcb, ICB* icb);

// 1 when a setting operand of the judge names a setting whose changed
// mark is 1; 0 otherwise and for no judge.
BOOL IsJudgeDecision(const UCB* ucb, std::span<const JudgeToken> judge);
// 1 when the control's painted hide (disable) state differs from the
// current one, or when a hide (disable) judge of its group's exclusive
// record or items reads a changed setting; 0 otherwise, and for a control
// without a UI group or a group without an exclusive record.
BOOL IsHideDevmodeChanged(UCB* ucb, const ICB* icb);
BOOL IsDisableDevmodeChanged(UCB* ucb, TCB* tcb, ICB* icb);

// --- Offers -----------------------------------------------------------------

// 1 when collation may be offered: the constraint interface lists a
// selectable collation type (setting 119) other than "off" alone.
BOOL IsValidateCollateEx(UCB* ucb);

// For ids 1133-1164 (wdmCustomFunc0 to wdmCustomFunc31) their stored value,
// else 0.
LONG_PTR IsKesmCustomOrderFunc(const UCB* ucb, WORD funcId);
