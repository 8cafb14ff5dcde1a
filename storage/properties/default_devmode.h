// The printer's stored default DEVMODE, as the spooler keeps it in the
// printer's information, taken into a printer context.
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// Takes the printer's stored default DEVMODE into the context's current
// DEVMODE when it is a whole DEVMODE of this driver and model: a 220-byte
// public part and a 1016-byte private part that the information really
// holds, with this driver's signature, model signature, private size,
// machine id and driver type (its layout version is not compared). The
// block offsets it brings are replaced by the fixed ones and its texts end
// inside their fields. TRUE when taken; otherwise the context is left as it
// was and the answer is FALSE.
BOOL GetDefaultDevmodeFromReg(UCB* ucb);
