// The print-quality module's pages: the print-quality page, the quality
// dialog's colour items bound to the object kind being adjusted, the
// colour-matching dialog's profile combo and the profile dialogs.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"

struct ICB;
struct TCB;
struct UCB;

// Page 1006: its check box, its list of stored sets and its edit button.
INT_PTR UCF_Quality(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR wParam, LPARAM lParam);

// Built-ins 100-110: the colour items of the quality pages bound to the
// settings of all objects or of the object kind being adjusted. 1 when
// the id is one of them.
int QualityColourItemsBuiltIn(UCB* ucb, WORD id);
