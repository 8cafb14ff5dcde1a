// The device-rule hook of the constraint engine: the value of a pseudo
// setting (function ids 624-747), which no stored setting holds but the
// device rules compute from the current settings.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

inline constexpr WORD kJudgeHookFirstId = 624;
inline constexpr WORD kJudgeHookLastId = 751;  // 748-751 name no rule

// The rule's answer for the id (only its low 16 bits count): 1 or 0 for the
// yes-or-no rules, the print-orientation flag for 720, the paper-fitting
// condition for 742. Ids without a rule answer 0. Never fails, and leaves
// the settings as it found them.
DWORD JudgeHookFunc(UCB* ucb, DWORD id);
