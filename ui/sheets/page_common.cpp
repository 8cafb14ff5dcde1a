// What the parts of the page life share.
#include "platform/window/winuser.h"
#include "platform/window/winuser_help.h"
#include "platform/window/winuser_styles.h"
#include "settings/constraints/ui_status.h"
#include "settings/context/context_block.h"
#include "settings/context/context_names.h"
#include "settings/values/setting_value.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_window.h"
#include "ui/sheets/page_internal.h"

namespace {

constexpr WORD kFuncPresetNo = 37;  // kdmPresetNo, shown as 119 + index
constexpr LONG_PTR kFirstPreset = 119;
constexpr int kPresets = 16;

}  // namespace

namespace kesm_page {

UCB* ContextOf(HWND window) {
  auto* ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(window, DWLP_USER));
  return ucb != nullptr && ucb->pWork != nullptr ? ucb : nullptr;
}

void Answer(HWND window, LONG_PTR value) { SetWindowLongPtrW(window, DWLP_MSGRESULT, value); }

INT& OkFlag(UCB* ucb) { return ucb->pWork->dialog.fOk; }

int SelectedPresetIndex(const UCB* ucb) {
  const LONG_PTR index = GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr) - kFirstPreset;
  return index >= 0 && index < kPresets ? static_cast<int>(index) : -1;
}

void SelectPreset(UCB* ucb, int index) { SetDevmodeValueByFuncID(ucb, kFuncPresetNo, kFirstPreset + index); }

bool PageGroupRefuses(UCB* ucb, TCB* tcb) {
  if (tcb == nullptr || tcb->groupId == 0) return false;
  ICB blank{};
  blank.groupId = tcb->groupId;
  blank.pUiGroup = GetUiGroupFromGroupID(ucb, tcb->groupId);
  return CheckAlertMsg2(ucb, tcb, &blank, 0, 0) == 1;
}

void ShowPageHelp(UCB* ucb, const TCB* tcb, HWND window) {
  if (tcb == nullptr) return;
  WinHelpW(window, GetHelpFileName(ucb), HELP_CONTEXT, tcb->helpId);
}

void HidePopup(UCB* ucb, HWND page) {
  if (ucb != nullptr) ShowPopupMsg(ucb, nullptr, page, 0, 0);
}

}  // namespace kesm_page
