// The resource and bitmap DLLs of a printer context, loaded by the dialog
// engine on first use and released with the context, and the strings read
// from them.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Frees both modules, if loaded, and clears their handles.
void FreeResDll(UCB* ucb);
// A string of the context's resource DLL into buffer (cch characters); the
// buffer is emptied first. Returns the length loaded, 0 without a DLL or
// string. The kernel-mode build loads no DLL and always yields "".
int LoadStringFromResDll(const UCB* ucb, UINT id, LPWSTR buffer, int cch, BOOL replace);
