// The dialog engine's own member of the procedure chain, asked before the
// feature modules see a page message. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// On the initialisation of page 1003 (no item): when the page shows item
// 2407, its hint text 563 goes into control 2088. Always 0, so the chain
// goes on.
INT_PTR UserCallBack(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
