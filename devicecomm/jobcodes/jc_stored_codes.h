// The DEVMODE job codes (kinds 1-8) kept apart from the job-code library: in
// the printer's printer data, under each setting's own name ("kdmUserCode",
// "kdmOwnerName", ...), and emptied in the context's DEVMODE. Kinds outside
// 1-8 answer kJCUnknownKind and touch nothing. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// Reads the kind's setting from printer data; a missing value leaves it.
DWORD DrvJCGetCodeFromReg(UCB* ucb, DWORD kind);
// Writes it there; ERROR_CANTWRITE when the write fails.
DWORD DrvJCSetCodeToReg(UCB* ucb, DWORD kind);
// Empties the setting: no text, telephone line 0.
DWORD DrvJCClearDevmode(UCB* ucb, DWORD kind);

// The same for every DEVMODE kind of the mask. The reads and the clear
// answer 0; the writes the first failure, after trying every kind.
DWORD GetJobCodeFromReg(UCB* ucb, DWORD mask);
DWORD SetJobCodeToReg(UCB* ucb, DWORD mask);
DWORD ClearDevmodeJobCode(UCB* ucb, DWORD mask);
#endif
