// The three ways ShowDialogBox runs a dialog, and what it does after a
// file dialog. Internal to ui/subdialogs/.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace subdialogs {

// The system file dialog of the TCB's kind with the engine's hook, and
// then the action its hook chose; the system dialog's result (the set-file
// write's after a save).
int RunFileDialog(UCB* ucb, TCB* tcb, HWND parent);
// The nested sheet of every TCB of the mask's kinds, opened at the
// requested one; PropertySheetW's result.
int RunNestedSheet(UCB* ucb, DWORD mask, const TCB* requested, HWND parent);
// A modal dialog of the engine's dialog procedure; its EndDialog result.
int RunModalDialog(UCB* ucb, const TCB* tcb, HWND parent);

// Carries out the action the file hook chose for the chosen path: the
// set-file save (with its package), read (and the lists that depend on
// it) or delete. The result of the dialog, the write's after a save.
int CarryOutFileAction(UCB* ucb, const TCB* tcb, LPCWSTR path, int result);

}  // namespace subdialogs
