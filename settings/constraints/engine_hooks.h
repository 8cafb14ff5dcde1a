// What DEVMODE validation asks of the constraint engine: whether an option
// of a UI group is hidden or disabled by the description's judges, and
// running a group's actions. The engine that evaluates judges and runs
// actions is not built yet; until it is, these answer as a description
// without judges does: every option visible and enabled, no action run.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// Option value 0 asks about the group itself. Non-zero when hidden
// (disabled); for now always 0.
int BKPDIsHideModeUI(const UiGroup* group, WORD optionValue, UCB* ucb);
int BKPDIsDisableModeUI(const UiGroup* group, WORD optionValue, UCB* ucb);
// Runs the transact of the group's exclusive record; the id of a stop
// action, else 0. For now nothing runs: 0.
int BKPDSetActionUI(const UiGroup* group, UCB* ucb);
