// Keeping the job-code library in step with a printer across install,
// upgrade and DEVMODE conversion. User mode only.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// TRUE when the library knows the context's printer (its job codes can be
// opened), and on a machine without the library; FALSE when the library
// cannot be loaded or refuses the printer.
BOOL IsJobCodeRegisterPrinter(UCB* ucb);
// Hands the user code to the library when user codes are in use and one is
// set: the code goes into kdmUserCode and then to the library. Always TRUE.
BOOL SetUserCodeForJobCodeDLL(UCB* ucb);
// Registers a printer the library does not know yet (with its user code),
// then tells the library the product, driver version and language words.
void UpgradeJobCodeDLL(UCB* ucb);
#endif
