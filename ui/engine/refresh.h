// Bringing a page in line with the settings after every change, and the
// re-initialisation of fixed lists of controls on other pages.
// Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

struct DialogControlPair {
  WORD dialogId;  // 0 ends a list
  WORD controlId;
};

void RefreshDialog(UCB* ucb, TCB* tcb, int full);
int UpdateControlOnSomewhere(UCB* ucb, const DialogControlPair* pairs);
void UpdateTrayList(UCB* ucb);
void UpdatePaperSizeList(UCB* ucb);
void UpdateOutbinList(UCB* ucb);
void UpdateListDependOnOrient(UCB* ucb);
void UpdatePresetList(UCB* ucb);
void UpdateStampList(UCB* ucb);
