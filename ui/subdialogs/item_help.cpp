// Help for one control of a page: the topic of its item, from the driver's
// help file, for the page's WM_HELP (at the control) or WM_CONTEXTMENU (at
// the page for a sunken text, which shows no window of its own to the
// user, else at the control).
#include "platform/window/winuser_help.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/sub_dialogs.h"

namespace {

constexpr WORD kStatusHidden = 0x0003;

}  // namespace

void ShowItemHelp(HWND page, HWND control, UINT message) {
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(page, DWLP_USER));
  TCB* tcb = ucb != nullptr ? GetTCBbyHwnd(ucb, page) : nullptr;
  const ICB* icb = tcb != nullptr && control != nullptr ? GetICBbyHwnd(ucb, tcb, control) : nullptr;
  if (icb == nullptr || (icb->status & kStatusHidden) != 0) return;
  // The control's topic, ended by a pair of zeros.
  const DWORD ids[4] = {icb->itemId, icb->helpId, 0, 0};
  const auto data = reinterpret_cast<ULONG_PTR>(ids);
  if (message == WM_HELP) {
    WinHelpW(control, GetHelpFileName(ucb), HELP_WM_HELP, data);
    return;
  }
  WinHelpW(icb->kind == kCtlText4 ? page : control, GetHelpFileName(ucb), HELP_CONTEXTMENU, data);
}
