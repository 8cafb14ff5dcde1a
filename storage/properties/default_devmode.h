// The printer's stored default DEVMODE as a context's DCB takes it over.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Loads the printer's stored default DEVMODE into the context's current
// DEVMODE; non-zero only when it was loaded and belongs to this driver and
// model. The store is read by the DEVMODE hand-out, which is not built yet:
// for now no stored default is loaded and the answer is 0.
BOOL GetDefaultDevmodeFromReg(UCB* ucb);
