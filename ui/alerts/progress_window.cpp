#include "ui/alerts/progress_window.h"

#include "platform/modules/winresource.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_dialogs.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "ui/resource_dll.h"

HWND StartWindow(UCB* ucb, HWND /*unused*/, UINT messageId) {
  const HMODULE module = GetResDll(ucb);
  if (module == nullptr || ucb->pWork == nullptr) return nullptr;
  const HWND window =
      CreateDialogParamW(module, MAKEINTRESOURCEW(kProgressDialogId), GetActiveWindow(), nullptr, 0);
  if (window == nullptr) return nullptr;
  // The message stays in the work area's text buffer while the window shows.
  WCHAR* text = ucb->pWork->szScratch;
  LoadStringFromResDll(ucb, messageId, text, kScratchChars, TRUE);
  SetWindowTextW(window, GetPrinterName(ucb));
  SetDlgItemTextW(window, kProgressTextItem, text);
  // The slow step runs at once on this thread and no messages are
  // dispatched until it ends: the window is painted now, or it would show
  // nothing while it stands.
  UpdateWindow(window);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    UpdateWindow(child);
  }
  return window;
}

void EndWindow(UCB* /*ucb*/, HWND window) {
  if (window != nullptr) DestroyWindow(window);
}
