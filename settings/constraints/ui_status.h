// What the dialog engine and DEVMODE validation ask before they offer or
// keep a value: the UI group that describes a setting's control, whether
// collation may be offered, and the custom order functions.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// The compiled description's UI group of that group id, or null.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);

// 1 when collation may be offered: the constraint interface lists a
// selectable collation value (setting 119) other than 0. That interface is
// not built yet; until it is, collation counts as offered (1).
BOOL IsValidateCollateEx(UCB* ucb);

// For ids 1133-1164 (wdmCustomFunc0 to wdmCustomFunc31) their stored value,
// else 0.
LONG_PTR IsKesmCustomOrderFunc(const UCB* ucb, WORD funcId);
