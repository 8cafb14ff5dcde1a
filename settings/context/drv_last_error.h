// The last-error slot of a printer context: how storage and settings code
// reports a failure's system error code to the caller of an entry point.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Stores the code in the context's work area; returns it. Nothing is stored
// for a context without a work area.
DWORD DrvSetLastError(UCB* ucb, DWORD code);
// The stored code; 0 for a null context or one without a work area.
DWORD DrvGetLastError(UCB* ucb);
