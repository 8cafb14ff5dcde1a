// Built with the shared code (user mode only), because the feature modules'
// procedure chain starts with it.
#include "ui/user_callback.h"

#if !KESM_KERNEL_MODE

#include <memory>

#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "ui/constraint_services.h"
#include "ui/resource_dll.h"

namespace {

constexpr UINT kWmInitDialog = 0x0110;
constexpr WORD kTabWithHint = 1003;
constexpr WORD kItemHinted = 2407;
constexpr UINT kHintString = 563;
constexpr WORD kHintControl = 2088;
constexpr int kHintChars = 1025;

}  // namespace

INT_PTR UserCallBack(UCB* ucb, TCB* tcb, ICB* icb, UINT message, UINT_PTR, LPARAM) {
  if (ucb == nullptr || tcb == nullptr || icb != nullptr || message != kWmInitDialog) return 0;
  if (tcb->tabId != kTabWithHint) return 0;
  const ICB* item = GetICBbyItemID(ucb, tcb, kItemHinted);
  if (item == nullptr || GetIcbStatusIsHide(ucb, item->pUiGroup, item->itemId)) return 0;
  std::unique_ptr<WCHAR[]> text(new (std::nothrow) WCHAR[kHintChars]);
  if (text == nullptr) return 0;
  LoadStringFromResDll(ucb, kHintString, text.get(), kHintChars, FALSE);
  SetPageControlText(tcb->hWnd, kHintControl, text.get());
  return 0;
}

#endif
