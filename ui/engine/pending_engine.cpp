// Engine services whose behaviour comes with later work, in blocks by the
// unit that will hold them. Each answers as "nothing happened" so that the
// callers built before them keep working; a block leaves this file when its
// unit is built.
#include "ui/engine/sub_dialogs.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"

// --- page life -------------------------------------------------------------
// Until the page life is built, a page or dialog knows its context and its
// window, a sheet page accepts on PSN_APPLY and not on PSN_RESET, and a
// dialog ends with its OK and Cancel buttons.
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PropertySheetProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* ucb = reinterpret_cast<UCB*>(lParam);
    if (TCB* tcb = ucb != nullptr ? GetTCBbyTabID(ucb, ucb->wCurrentDialog) : nullptr) tcb->hWnd = window;
    return TRUE;
  }
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(window, DWLP_USER));
  TCB* tcb = ucb != nullptr ? GetTCBbyHwnd(ucb, window) : nullptr;
  if (tcb == nullptr) return FALSE;
  if (message == WM_NOTIFY) {
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code == PSN_SETACTIVE) ucb->wCurrentDialog = tcb->tabId;
    if (code == PSN_APPLY) ucb->pWork->dialog.fOk = 1;
    if (code == PSN_RESET) ucb->pWork->dialog.fOk = 0;
    return FALSE;
  }
  const WORD id = LOWORD(wParam);
  if (message != WM_COMMAND || (id != IDOK && id != IDCANCEL)) return FALSE;
  ucb->pWork->dialog.fOk = id == IDOK ? 1 : 0;
  tcb->hWnd = nullptr;
  if (MustDoEndDialog(tcb)) EndDialog(window, id);
  return TRUE;
}

INT_PTR CALLBACK PropertySheetProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return DialogProc(page, message, wParam, lParam);
  const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* ucb = reinterpret_cast<UCB*>(description->lParam);
  if (ucb != nullptr) ucb->wCurrentDialog = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(description->pszTemplate));
  return DialogProc(page, message, wParam, reinterpret_cast<LPARAM>(ucb));
}
