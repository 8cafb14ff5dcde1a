// What the dialog engine asks before it repaints a control: the UI group
// that describes a setting's control.
#pragma once

#include "platform/wintypes.h"
#include "settings/bkpd_format.h"

struct UCB;

// The compiled description's UI group of that group id, or null.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);
