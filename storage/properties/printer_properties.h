// Printer properties: the printer-wide settings a context reads from the
// printer's printer data and the settings INI, and the arrays (font table,
// device fonts, option fonts) that the read leaves in the context's DCB.
#pragma once

#include "platform/base/wintypes.h"

struct SFCB;
struct UCB;

// Reads every stored printer property of the context's printer into its
// DCB. Returns 1.
BOOL GetReg(UCB* ucb);
// Frees the font table, device fonts and option fonts of the context's
// current DCB and clears them. Returns 1, also for a null context or DCB.
BOOL FreeReg(UCB* ucb);
// Reads one setting from printer data under its setting name; non-zero when
// a value was read, 0 for a null record or one without a setting name.
BOOL GetDevmodeValueFromRegUseSetKey(HANDLE printer, UCB* ucb, SFCB* record);
