// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/sub_dialogs.h"

// --- sub-dialogs -----------------------------------------------------------
int ShowDialogBox(UCB*, int, WORD, HWND) { return 0; }
void ShowItemHelp(HWND, HWND, UINT) {}
// Until the file dialogs are built every dialog ends like a modal dialog,
// and a file is taken as it is named.
BOOL MustDoEndDialog(const TCB*) { return TRUE; }
BOOL IsFile(LPCWSTR path) { return path != nullptr && path[0] != 0; }
BOOL CheckFileExt(const TCB*, LPCWSTR) { return TRUE; }
