// The default set file that the driver INI names for batch installs.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

#if !KESM_KERNEL_MODE
// "DefaultRst" of the driver INI's driver-name section into a buffer of
// MAX_PATH + 1 characters; TRUE when a value was found.
BOOL GetDefaultRstFileNameFromIni(LPWSTR buffer, UCB* ucb);
#endif
