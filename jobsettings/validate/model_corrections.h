// Model-dependent corrections of settings, made through the value access of
// the context's current settings.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Turns the generic finisher options the device reported (FinQG 10082,
// FinQK 10084) into their regional variants by the punch region code: 0 the
// variant without punch, 132/133/134 the North American, European and
// Northern European punch variant; the matching variant of the other
// finisher and the finisher's own no-punch variant are cleared. Any other
// code only clears the generic option, which always ends cleared.
void CorrectOptDevByOptDevPunchDependOnMachine(DWORD region, UCB* ucb);

// For the one-step source option (10023): device code 105 or 30 sets the
// one-step option count (10110) to 1 while *number is 0; device code 106
// sets it to 2 while *number is 0 or 1. *number follows what was set.
void Setkdm1StepOptionNumDependOnMachine(WORD optionId, DWORD deviceCode, LONG* number, UCB* ucb);

// Unless user quality macros are on (176), the colour balance macro (178)
// becomes 17 for 200, 300, 400 or 600 dpi and 18 for any other resolution.
void SetResolutionDataOfUIDependOnMachine(LONG resolution, UCB* ucb);

// The model's "other information" text by driver type: the text of record 0
// when the low byte of flag is 0, else that of record 1.
LPCSTR GetOtherStr(DWORD flag);
// kdmOther (10274) := the text of the current driver type (242).
void SetOtherTableToDevmdodeDependOnMachine(UCB* ucb);
