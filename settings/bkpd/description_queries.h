// Questions the rest of the driver asks of a context's compiled
// description.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/bkpd/bkpd_format.h"

struct UCB;

// The description's resource library name ("UIResDLLName"), or null.
LPCWSTR BKPDGetUIResDll(UCB* ucb);
// The first UI group in list order with that group keyword id, or null.
const UiGroup* BKPDGetUiGroupAddr(WORD groupId, const UCB* ucb);

// The description's device fonts (or its option fonts) as a new zero-filled
// array of KESMFONT entries for the caller to free with FreeMemPtr; *count
// receives the number of entries. Null and a count of 0 when there are no
// fonts, no description or no memory.
LPVOID BKPDGetDeviceFont(UCB* ucb, LPDWORD count);
LPVOID BKPDGetOptionFont(UCB* ucb, LPDWORD count);
// The substitution pairs of the first option with pairs in the first group
// of the font-table type, as a new array of KESMFONTPAIR entries (the caller
// frees it); *count receives the number of pairs. Without such a group or
// option, or without memory, null and *count is left as it was.
LPVOID BKPDGetFontTable(UCB* ucb, LPDWORD count);
