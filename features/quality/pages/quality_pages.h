// The print-quality module's pages: the print-quality page, the quality
// dialog, the colour-matching dialog's profile combo and the profile
// dialogs.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// Page 1006: its check box, its list of stored sets and its edit button.
INT_PTR UCF_Quality(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);
