// What the printer offers under the current settings and constraints, as
// device capabilities answer it and the capability block of an
// application reports it: the visible options of a setting's list group,
// the output destinations, the square resolutions and two-sided printing.
// Walks write only when an output is given and count visible options only
// (the constraint engine's hide test).
#pragma once

#include "platform/base/wintypes.h"

struct UCB;

// The device values of the visible options of the setting's list group
// (group type 1), as WORDs; their number. -1 when the group is missing, has
// no options or is of another type, when an option has no setting-value
// record, or when no option is visible.
LONG CapALL(UCB* ucb, WORD* output, WORD funcId);
// CapALL on the output tray (kdmOutputTrayID).
LONG CapDESTS(UCB* ucb, WORD* output);
// 1 when the printer has a duplex unit (printer-wide setting 10014 is not
// 0), else 0.
LONG CapDUPLEX(const UCB* ucb);
// The square resolutions offered, as {x dpi, y dpi} LONG pairs; their
// number. When nothing can be listed the answer is the one pair of the
// driver's default resolution (600 dpi).
LONG CapENUMRESOLUTIONS(UCB* ucb, LONG* output);
