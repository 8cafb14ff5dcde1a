// The description's actions of a UI group and the item's built-in
// function, and the dialog an action may name.
#include "features/custom_modules.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "settings/constraints/constraint_engine.h"
#include "settings/values/setting_value.h"
#include "storage/stores/preset_store.h"
#include "ui/constraint_services.h"
#include "ui/engine/change_road.h"
#include "ui/engine/refresh.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/engine/transact_follow.h"

namespace {

constexpr WORD kFuncPresetNo = 37;
constexpr WORD kPresetFirst = 119;  // the choice of preset index 0
constexpr WORD kPresetList = 2001;
constexpr int kDialogMode = 4;
constexpr int kDialogCancelled = 2;

}  // namespace

int DoTransact(UCB* ucb, TCB* tcb, const UiGroup* group, WORD builtInId) {
  if (ucb == nullptr || group == nullptr) return 0;
  const WORD dialogId = BKPDSetActionUI(group, ucb);
  KesmUiCoreBuiltInFunc(ucb, builtInId);
  if (dialogId == 0 || tcb == nullptr) return 0;
  if (ShowDialogBox(ucb, kDialogMode, dialogId, tcb->hWnd) == kDialogCancelled) RefreshDialog(ucb, tcb, 1);
  return 1;
}

LONG_PTR CurrentPresetNo(const UCB* ucb) { return GetDevmodeValueByFuncID(ucb, kFuncPresetNo, nullptr); }

void FollowPresetChoice(UCB* ucb, TCB* tcb, LONG_PTR before) {
  const LONG_PTR now = CurrentPresetNo(ucb);
  if (now == before) return;
  // As a 16-bit number "none" (118) is index 65535, which selects no entry.
  const auto index = static_cast<WORD>(now - kPresetFirst);
  ReadPresetByID(ucb, index);
  SetDevmodeValueByFuncID(ucb, kFuncPresetNo, static_cast<WORD>(index + kPresetFirst));
  if (tcb == nullptr) return;
  if (HWND list = tcb->hWnd != nullptr ? GetDlgItem(tcb->hWnd, kPresetList) : nullptr; list != nullptr) {
    SendMessageW(list, LB_SETCURSEL, index, 0);
  }
  RefreshDialog(ucb, tcb, 1);
}
