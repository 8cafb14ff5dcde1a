// One job-code kind exchanged between a context's settings and the job-code
// library over the context's open job codes. Each does nothing and answers
// 0 while no job codes are open. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The set operation that clears the setting and the library's value.
inline constexpr DWORD kJCSetClears = 0x400;
// The driver's answer for a value it will not take (a telephone line that
// is no number from 0 to 255, a size the library asks for that no code
// needs).
inline constexpr DWORD kJCValueRefused = 87;  // ERROR_INVALID_PARAMETER

#if !KESM_KERNEL_MODE
// Takes the library's value of the kind into its setting. A kind the
// library has no value for (query flag clear, or the no-value status)
// leaves the setting as it was and answers 0; a failed step answers its
// status and leaves the setting too. Kinds the driver only sends answer 0.
DWORD DrvJCGetCode(UCB* ucb, DWORD kind);
// Sends the kind's value to the library (after clearing the setting when
// the operation is kJCSetClears). An interface older than 258 is never sent
// kinds 256-258. The library's status.
DWORD DrvJCSetCode(UCB* ucb, DWORD kind, DWORD operation);
// Deletes the library's value of the kind; the library's status.
DWORD DrvJCDeleteCode(UCB* ucb, DWORD kind);
// Shows the library's utility in the context's language; its status.
DWORD DrvJCLaunchUtility(UCB* ucb, DWORD argument);
#endif
