// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"

// --- refresh ---------------------------------------------------------------
void RefreshDialog(UCB*, TCB*, int) {}
int UpdateControlOnSomewhere(UCB*, const DialogControlPair*) { return 0; }
void UpdateTrayList(UCB*) {}
void UpdatePaperSizeList(UCB*) {}
void UpdateOutbinList(UCB*) {}
void UpdateListDependOnOrient(UCB*) {}
void UpdatePresetList(UCB*) {}
void UpdateStampList(UCB*) {}

// --- sub-dialogs -----------------------------------------------------------
int ShowDialogBox(UCB*, int, WORD, HWND) { return 0; }
