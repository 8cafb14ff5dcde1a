// What the open, release, cache and saved-state files of the printer
// context share.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Frees the context and everything it owns. Safe on a partly built context
// whose owned pointers are either null or its own.
void DestroyUcb(UCB* ucb);
// Counts a context built (1) or destroyed (-1).
void CountUcb(int change);
// True when a plain open (open flags 0) may be served by this context: it
// is complete and was itself opened with kind 0 and no option bits that
// change its behaviour.
bool ServesPlainOpen(const UCB* ucb);
// CheckGetUcb with the printer's name already at hand (null: none, a miss).
UCB* TakeParkedUcb(HANDLE printer, DWORD flags, DWORD mode, LPCWSTR printerName);
// GetDCB2 that tells whether every array was copied; false as well when the
// context has no DCB or DCB2.
bool TakeSavedState(UCB* ucb);
