// What the change road does after the description's actions ran: an action
// may have chosen a preset, whose settings then come in. Internal to
// ui/engine/.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// The preset choice (kdmPresetNo) as the pages show it: 119 + preset
// index, 118 for none.
LONG_PTR CurrentPresetNo(const UCB* ucb);
// When the choice is no longer `before`, loads the chosen preset (none
// clears the preset's name and comment), selects it in the page's preset
// list and refreshes the page.
void FollowPresetChoice(UCB* ucb, TCB* tcb, LONG_PTR before);
