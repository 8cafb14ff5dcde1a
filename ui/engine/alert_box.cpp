// The message box of a description's alert, shown at once or, for a
// number edit, when the page has finished with the edit.
#include <array>

#include "platform/window/winuser.h"
#include "platform/window/winuser_messages.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "ui/constraint_services.h"
#include "ui/engine/change_road.h"
#include "ui/resource_dll.h"

namespace {

constexpr int kTitleChars = 64;

}  // namespace

int ShowAlertMsg(UCB* ucb, const ExclusiveAlert* entry, HWND owner) {
  if (ucb == nullptr || ucb->pWork == nullptr || entry == nullptr) return 0;
  const AP* ap = GetAPbyAlertID(ucb, entry->alertId);
  if (ap == nullptr) return 0;
  std::array<WCHAR, kTitleChars + 1> title{};
  LPCWSTR caption = title.data();
  if (ap->titleId != 0) {
    LoadStringFromResDll(ucb, ap->titleId, title.data(), static_cast<int>(title.size()), FALSE);
  } else {
    caption = GetPrinterName(ucb);
  }
  LPWSTR text = ucb->pWork->szScratch;
  LoadStringFromResDll(ucb, ap->messageId, text, kScratchChars, TRUE);
  // The page behind the box is drawn again once the box has closed.
  if (owner != nullptr) PostMessageW(owner, WM_PAINT, 0, 0);
  return MessageBoxW(owner, text, caption, static_cast<UINT>(entry->button) | entry->icon);
}

void ShowQueuedAlert(UCB* ucb, TCB* tcb, WPARAM controlId, LPARAM entry) {
  if (ucb == nullptr || tcb == nullptr || entry == 0) return;
  const ICB* icb = GetICBbyItemID(ucb, tcb, static_cast<WORD>(controlId));
  if (icb == nullptr) return;
  // The change was judged accepted or refused when it was made, so the box
  // only informs: a Cancel here would change nothing.
  ExclusiveAlert shown = *reinterpret_cast<const ExclusiveAlert*>(entry);
  shown.button = MB_OK;
  ShowAlertMsg(ucb, &shown, tcb->hWnd);
  FocusPageControl(tcb->hWnd, icb->itemId);
}
