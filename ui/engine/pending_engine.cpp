// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/sub_dialogs.h"

// --- sub-dialogs -----------------------------------------------------------
int ShowDialogBox(UCB*, int, WORD, HWND) { return 0; }
