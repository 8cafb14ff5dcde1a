// The font exchange page: each TrueType font of the system beside the
// printer font that replaces it, and the printer's fonts to choose from.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// Stores the pairs of the exchange list (the lines whose printer font is
// not printer font 0, the entry that means no exchange) as the context's
// edited table; an empty table when the records cannot be had.
BOOL RemakeFontExchangeTable(UCB* ucb, HWND trueTypeList);

// The page's items: the printer font list 2384, the exchange list 2385
// (both owner-drawn), the clear button 2386. 1 for what it handled.
INT_PTR UCF_FontExchange(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
