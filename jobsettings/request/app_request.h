// An application that knows the driver's private DEVMODE can ask for job
// settings without the property sheets, through a request block in the
// private header that validation carries out.
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
