// The application request block of the private header: the capability
// block and the request an application leaves in a DEVMODE it knows.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Fills the capability block of the context's DEVMODE with what the printer
// can do under the current settings and empties the request block, before
// the DEVMODE is handed to an application. 1, or 0 when memory is short.
BOOL SetWEXA_API(UCB* ucb);
