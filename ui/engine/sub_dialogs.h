// Everything the engine opens below a property page: modal sub-dialogs,
// nested sheets and the file dialogs with their hook. Configuration library
// only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"

struct UCB;

// -1 without the resource DLL, 0 when the dialog id has no page record,
// else the dialog's result. Modes: 4 a dialog (or the user-quality sheet),
// 16 the nested settings sheet.
int ShowDialogBox(UCB* ucb, int mode, WORD dialogId, HWND parent);
