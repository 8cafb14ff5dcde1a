// Everything the engine opens below a property page: modal sub-dialogs,
// nested sheets and the file dialogs with their hook; and the small
// services that go with them. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Modes of ShowDialogBox.
inline constexpr int kShowDialogModal = 4;           // a dialog, or the user-quality sheet
inline constexpr int kShowDialogSheet = 16;  // the nested settings sheet

// Opens the dialog of that id below parent (null: none) and keeps or undoes
// what it changed in the settings by how it ended: -1 without the resource
// DLL, 0 when the dialog id has no page record, else the dialog's result
// (a file dialog's: the system dialog's, or the set-file write's after a
// save). Modes: kShowDialogModal a dialog (the user-quality sheet for one of its
// pages), kShowDialogSheet the nested settings sheet.
int ShowDialogBox(UCB* ucb, int mode, WORD dialogId, HWND parent);

// The hook of every file dialog of the engine (OPENFILENAMEW::lCustData
// carries the context).
UINT_PTR CALLBACK FileHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

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
// 1 when the file is the set file of one of the context's presets or
// print qualities, however its path is spelled.
BOOL IsAlreadyUsed(UCB* ucb, LPCWSTR path);

// The notification code of a WM_COMMAND, and whether it comes from window.
inline WORD GetWmSubCommand(WPARAM wParam, LPARAM) { return HIWORD(wParam); }
inline BOOL IsSameHwnd(WPARAM, LPARAM lParam, HWND window) {
  return reinterpret_cast<HWND>(lParam) == window ? TRUE : FALSE;
}
