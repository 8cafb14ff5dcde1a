// Item dispatch: how the dialog engine hands a control's work to its kind.
// The feature modules' procedure chain is asked first; only what it leaves
// goes to the kind's handler. An item whose hidden state is set receives no
// routed message at all. Configuration library only.
#pragma once

#include "platform/base/wintypes.h"
#include "settings/tables/dialog_tables.h"

struct UCB;

// Hidden and disabled state in an item's status word.
inline constexpr WORD kIcbHiddenMask = 0x0003;
inline constexpr WORD kIcbHidden = 0x0001;

// The modules first (WM_INITDIALOG; 1 means a module filled the item:
// returns 0); then the control is subclassed by its kind's window procedure
// once (the previous procedure kept in the item, the item in the window's
// user data), and the kind's Init runs. 0 without a row or Init.
int InitItem(UCB* ucb, TCB* tcb, ICB* icb);
// The modules first (WM_PAINT; 1 ends it), then the kind's Paint.
void PaintItem(UCB* ucb, TCB* tcb, ICB* icb);
// The kind's PCmd, or 0.
int DoDefaultProcessItemCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
// The modules first (WM_COMMAND); when they leave it and the command names
// this control, the kind's PCmd. A handled command repaints the page.
int ProcessItemCommand(UCB* ucb, TCB* tcb, ICB* icb, WPARAM wParam, LPARAM lParam);
// The kind's PMsg, or 0; kind 84 never gets WM_LBUTTONDOWN here.
int DoDefaultProcessItemMessage(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);
// Nothing for a hidden item or a right press on the preset list 2001; else
// the modules first, then the kind's PMsg. A handled message repaints the
// page, except owner drawing and the list and scroll-bar colours.
int ProcessItemMessage(UCB* ucb, TCB* tcb, ICB* icb, UINT message, WPARAM wParam, LPARAM lParam);

// The item's class data when its first word is that type, else null.
const void* KesmGetClassData(const ICB* icb, WORD classType);

// Selects the entry of the page's combo box whose item data is the value,
// and passes the change through the kind's command handler as a person's
// pick would (CBN_SELCHANGE). Nothing without the item or a match.
void SelectComboBoxByItemData(UCB* ucb, TCB* tcb, WORD controlId, LPARAM itemData);
