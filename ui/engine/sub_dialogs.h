// Everything the engine opens below a property page: modal sub-dialogs,
// nested sheets and the file dialogs with their hook. Configuration library
// only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// -1 without the resource DLL, 0 when the dialog id has no page record,
// else the dialog's result. Modes: 4 a dialog (or the user-quality sheet),
// 16 the nested settings sheet.
int ShowDialogBox(UCB* ucb, int mode, WORD dialogId, HWND parent);

// Help for one control of a page (WM_HELP or WM_CONTEXTMENU); nothing for
// a control the page does not know or does not show.
void ShowItemHelp(HWND page, HWND control, UINT message);

// A dialog of the tab ends with EndDialog (it is no file dialog).
BOOL MustDoEndDialog(const TCB* tcb);
// Whether a file opens for reading.
BOOL IsFile(LPCWSTR path);
// Whether the last four characters of a file name carry the tab's default
// extension.
BOOL CheckFileExt(const TCB* tcb, LPCWSTR lastFour);
