// DEVMODE validation as the PDEV calls it.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Merges the caller's DEVMODE (or none) into the context's current one and
// validates it; the flags say who calls. 1 when done, 0 when memory is
// short.
int ValidateDevmode(UCB* ucb, DEVMODEW* devmode, DWORD flags);
