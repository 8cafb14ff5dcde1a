// A page's answers to its sheet: activation, the accept step with its
// judge of the page's own group, the reset of Cancel, and help. The sheet
// asks every page it has made; only the page the sheet started with hands
// the edited settings out when it is accepted.
#include "features/custom_modules.h"
#include "jobsettings/devmode/runtime_flags.h"
#include "platform/window/propsheet/prsht.h"
#include "platform/window/winuser.h"
#include "settings/context/context_block.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/properties/devmode_handout.h"
#include "storage/system/system_info.h"
#include "ui/engine/change_road.h"
#include "ui/engine/refresh.h"
#include "ui/sheets/page_internal.h"
#include "ui/sheets/page_life.h"

namespace {

using kesm_page::kHandled;
using kesm_page::kNotHandled;

constexpr WORD kFuncUiStart = 826;  // wdmUIStart

// Flags the apply step for as long as it runs.
class Applying {
 public:
  explicit Applying(UCB* ucb) : flag_(ucb->pWork->dialog.fApplying) { flag_ = 1; }
  ~Applying() { flag_ = 0; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  INT& flag_;
};

// The pages whose acceptance hands the sheet's settings out. A page of the
// nested settings sheet counts too while the sheet is no preset's.
bool HandsOut(const UCB* ucb, const TCB* tcb) {
  if ((tcb->kind & (kTabDocumentPage | kTabPrinterPage)) != 0) return true;
  return (tcb->kind & kTabPresetSheetPage) != 0 && GetKDMPresentUIMode(ucb) != 1;
}

void HandOutFromStartPage(UCB* ucb, TCB* tcb, HWND page) {
  if (!HandsOut(ucb, tcb) || tcb->tabId != ucb->pWork->dialog.wStartPageId) return;
  if (IsOsLaterWin2000()) {
    if (HWND sheet = GetParent(page)) SendMessageW(sheet, PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
    SetDevmodeValueDirectByFuncID(ucb, kFuncUiStart, 0);
    ModifyDefaultDevmode2000(ucb);
    SetDevmodeValueDirectByFuncID(ucb, kFuncUiStart, 1);
  } else {
    SetDevmodeValueDirectByFuncID(ucb, kFuncUiStart, 0);
  }
  ResetEntryChanged(ucb);
  RefreshDialog(ucb, tcb, 1);
  if ((tcb->kind & kTabDocumentPage) != 0) KesmCustomFunction(ucb, kCustomDocumentPageAccepted, nullptr);
}

// The page the sheet shows is refreshed and stays.
INT_PTR Refuse(UCB* ucb, HWND page) {
  HWND sheet = GetParent(page);
  auto current = sheet != nullptr ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
  if (current == nullptr) current = page;
  if (TCB* shown = GetTCBbyHwnd(ucb, current)) RefreshDialog(ucb, shown, 1);
  kesm_page::Answer(page, PSNRET_INVALID_NOCHANGEPAGE);
  return kHandled;
}

INT_PTR OnApply(UCB* ucb, TCB* tcb, HWND page) {
  Applying applying(ucb);
  if ((GetRequestCode(ucb) & kRequestSaveBeforeOk) != 0) {
    // The preset is saved first; its button presses OK again.
    HWND sheet = GetParent(page);
    const WORD button = sheet != nullptr && GetDlgItem(sheet, kCmdOverwritePreset) != nullptr ? kCmdOverwritePreset
                                                                                               : kCmdSaveNewPreset;
    kesm_page::Answer(page, PSNRET_INVALID_NOCHANGEPAGE);
    PostMessageW(page, WM_COMMAND, button, 0);
    return kHandled;
  }
  INT& ok = kesm_page::OkFlag(ucb);
  ok = 1;
  if (kesm_page::PageGroupRefuses(ucb, tcb) || ok == 0) return Refuse(ucb, page);
  kesm_page::Answer(page, PSNRET_NOERROR);
  HandOutFromStartPage(ucb, tcb, page);
  return kNotHandled;
}

}  // namespace

namespace kesm_page {

INT_PTR OnNotify(UCB* ucb, TCB* tcb, HWND page, const NMHDR* header, LPARAM) {
  switch (header->code) {
    case PSN_SETACTIVE:
      ucb->wCurrentDialog = tcb->tabId;
      Answer(page, 0);
      RefreshDialog(ucb, tcb, 1);
      return kNotHandled;
    case PSN_APPLY:
      return OnApply(ucb, tcb, page);
    case PSN_RESET:
      OkFlag(ucb) = 0;
      return kNotHandled;
    case PSN_HELP:
      ShowPageHelp(ucb, tcb, page);
      return kNotHandled;
    default:
      return kNotHandled;
  }
}

}  // namespace kesm_page
