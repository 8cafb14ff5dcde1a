// Switching an installable option of a printer context, and the
// requirement check that follows: the options that others need are
// switched on when none of them is installed.
#pragma once

#include "jobsettings/options/option_tables.h"
#include "platform/base/wintypes.h"

struct UCB;

// The option's settings hold its installed values.
bool IsOptionInstalled(const UCB* ucb, const OptionInfo& option);
// Switches the option on (its setting and second setting take their
// values, then the switch-on list is applied) or off (its setting takes
// the other of 0 and 1, then the switch-off list is applied).
void SwitchOption(UCB* ucb, const OptionInfo& option, bool on);
// For each installed option, in table order, whose required list names no
// installed option: switches on the first listed option, or the second
// when the first is the option just changed or has no record. Bit 0 of the
// result from the tray flags of the options switched on, bit 1 from their
// repaint flags; 0 when nothing was switched.
DWORD CheckRequire(UCB* ucb, const OptionInfo* changed);
// The first finisher row whose option is set in the context; the ending
// row (id -1) when none is.
const FinDest* GetFinType(const UCB* ucb);
