// The application request block of the private DEVMODE header: the
// capability block an application reads and the request it leaves in a
// DEVMODE it knows, which validation carries out.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/spooler/devmode.h"

struct UCB;

// Carries out the request in the merged DEVMODE, when one is pending, and
// marks the validation flags when it did. 1 when the request was handled
// or none was pending, 0 when it failed. The request block is not read yet:
// every DEVMODE is taken as having none pending, so the answer is 1 and
// nothing changes.
int GetWEXA_API(UCB* ucb, DEVMODEW* merged);
// Fills the capability block of the context's DEVMODE with what the printer
// can do under the current settings and empties the request block, before
// the DEVMODE is handed to an application. 1, or 0 when memory is short.
// Not served yet either: the blocks are left as they are and the answer is
// 1.
BOOL SetWEXA_API(UCB* ucb);
