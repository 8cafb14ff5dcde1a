// What the parts of the page life share: the context a page keeps, the
// judge of a page's own UI group, the selected preset, help for a page,
// and the handlers of the dialog procedure's messages. Internal to
// ui/sheets/.
#pragma once

#include "platform/base/wintypes.h"
#include "platform/window/winuser.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

namespace kesm_page {

// The result of a handled message, as DialogProc gives it back.
inline constexpr INT_PTR kHandled = 1;
inline constexpr INT_PTR kNotHandled = 0;

// The context a page or dialog keeps in DWLP_USER, or null.
UCB* ContextOf(HWND window);
// Sets a page's answer to its sheet (DWLP_MSGRESULT).
void Answer(HWND window, LONG_PTR value);
// The OK flag of the context's dialogs.
INT& OkFlag(UCB* ucb);
// The index of the user preset selected now (0-15), or -1 for none.
int SelectedPresetIndex(const UCB* ucb);
// Selects preset `index` (its UI value is 119 + index).
void SelectPreset(UCB* ucb, int index);
// Judges the page's own UI group without changing a value; true when an
// alert refused. A tab without a group is never refused.
bool PageGroupRefuses(UCB* ucb, TCB* tcb);
// The page's help topic in the driver's help file.
void ShowPageHelp(UCB* ucb, const TCB* tcb, HWND window);
// The hover pop-up goes.
void HidePopup(UCB* ucb, HWND page);

// The handlers of DialogProc's table: WM_INITDIALOG of a page or dialog,
// WM_NOTIFY, WM_COMMAND; each answers as DialogProc returns.
INT_PTR InitPage(UCB* ucb, TCB* tcb, HWND page);
INT_PTR OnNotify(UCB* ucb, TCB* tcb, HWND page, const NMHDR* header, LPARAM lParam);
INT_PTR OnCommand(UCB* ucb, TCB* tcb, HWND page, WPARAM wParam, LPARAM lParam);
// The buttons that close a modal dialog (IDOK, IDCANCEL, IDYES, IDNO, 8, and
// the accept and cancel items of the dialogs that carry their own).
bool IsClosingButton(const TCB* tcb, WORD id);
INT_PTR OnClosingButton(UCB* ucb, TCB* tcb, HWND dialog, WORD id);
// The extra OK buttons: save the settings as a new preset or over the
// selected one, then press OK.
INT_PTR SaveAsPresetThenAccept(UCB* ucb, TCB* tcb, HWND page, WORD id, HWND control);
// Routes a message to the page's items in table order until one handles
// it; 1 when one did.
int OfferToItems(UCB* ucb, TCB* tcb, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kesm_page
