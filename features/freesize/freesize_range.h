// The free paper size module's ranges: the custom paper range of a tray and
// orientation, and the size controls of the free-size dialogs.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// The dot range of the first range-table row of the tray and orientation:
// the length pair with lengthFlag 1, else the width pair, from the
// millimetre or inch columns by the display unit. FALSE, outputs left
// alone, without a row.
BOOL GetFreeSizeRangebyTrayandOrient(const UCB* ucb, LONG tray, LONG orientation, LONG* max, LONG* min,
                                     int lengthFlag);
// The tray's free-size range in dots for the width and length controls of
// the free-size dialogs (1017, 1041); FALSE for other dialogs or controls.
BOOL GetFreeSizeRangebyIcb(const UCB* ucb, const ICB* icb, LONG* max, LONG* min);

// TRUE when the item exists on the tab and is shown (hidden state 0).
BOOL IsHideModeByItemID(const UCB* ucb, const TCB* tcb, WORD itemId);
// Of the three edits of a dimension of the input dialog (length 2682-2684,
// width 2689-2691), the first that is shown: its ICB, or null when none is.
ICB* GetIcbOfFreeSizeInputEdit(const UCB* ucb, const TCB* tcb, int lengthFlag);
// TRUE when the input dialog has that edit and the dots are its group's
// default.
BOOL IsDefaultValueOfDotSize(const UCB* ucb, LONG dots, int lengthFlag);
