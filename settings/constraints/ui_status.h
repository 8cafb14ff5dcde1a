// What the dialog engine asks before it repaints a control: the UI group
// that describes a setting's control.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// The compiled description's UI group of that group id, or null.
const UiGroup* GetUiGroupFromGroupID(const UCB* ucb, WORD groupId);
