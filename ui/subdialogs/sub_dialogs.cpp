// ShowDialogBox: every dialog below a property page runs between a backup
// of the settings and its undo. Each level keeps its own saved dialog id
// and backup, so cancelling an inner dialog undoes only its own changes;
// acceptance keeps them and marks the parent page changed.
#include "ui/engine/sub_dialogs.h"

#include <new>

#include "features/custom_modules.h"
#include "jobsettings/validate/dm_value_tables.h"
#include "platform/window/propsheet/prsht.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "ui/engine/refresh.h"
#include "ui/resource_dll.h"
#include "ui/subdialogs/dialog_runs.h"
#include "ui/subdialogs/file_dialogs.h"

namespace {

constexpr DWORD kSheetModes = 0xF0;

int Run(UCB* ucb, int mode, TCB* tcb, HWND parent) {
  if (IsFileDialog(tcb)) return subdialogs::RunFileDialog(ucb, tcb, parent);
  if ((static_cast<DWORD>(mode) & kSheetModes) != 0 || (tcb->kind & kTabUserQualityPage) != 0) {
    const DWORD mask = (tcb->kind & kTabUserQualityPage) != 0 ? kTabUserQualityPage : static_cast<DWORD>(mode);
    return subdialogs::RunNestedSheet(ucb, mask, tcb, parent);
  }
  return subdialogs::RunModalDialog(ucb, tcb, parent);
}

// Keeps or undoes the dialog's changes by how it ended, and tells the
// feature modules.
void Conclude(UCB* ucb, WORD savedDialog, WORD dialogId, HWND parent) {
  const TCB* current = GetTCBbyTabID(ucb, ucb->wCurrentDialog);
  ucb->wCurrentDialog = savedDialog;
  CustomDialogState state{current != nullptr ? current->kind : 0};
  if (ucb->pWork->dialog.fOk == 0) {
    RestorePrivateDevmode(ucb, TRUE);
    KesmCustomFunction(ucb, kCustomDialogCancelled, &state);
    return;
  }
  RestorePrivateDevmode(ucb, FALSE);
  KesmCustomFunction(ucb, kCustomDialogAccepted, &state);
  // Only a page of this context is told; a window of anyone else is not
  // sent a sheet's message.
  TCB* parentTab = parent != nullptr ? GetTCBbyHwnd(ucb, parent) : nullptr;
  if (parentTab == nullptr || !IsDevmodeChangedOnDialog(current != nullptr ? current->tabId : dialogId)) return;
  SendMessageW(GetParent(parent), PSM_CHANGED, reinterpret_cast<WPARAM>(parent), 0);
  RefreshDialog(ucb, parentTab, 1);
}

}  // namespace

int ShowDialogBox(UCB* ucb, int mode, WORD dialogId, HWND parent) {
  if (ucb == nullptr || ucb->pWork == nullptr || GetResDll(ucb) == nullptr) return -1;
  const WORD savedDialog = ucb->wCurrentDialog;
  ucb->wCurrentDialog = dialogId;
  BackupPrivateDevmode(ucb);
  TCB* tcb = GetTCBbyTabID(ucb, dialogId);
  if (tcb == nullptr) {
    RestorePrivateDevmode(ucb, TRUE);
    ucb->wCurrentDialog = savedDialog;
    return 0;
  }
  // Only the dialog itself can accept what it shows.
  ucb->pWork->dialog.fOk = 0;
  int result = 0;
  try {
    result = Run(ucb, mode, tcb, parent);
  } catch (const std::bad_alloc&) {
    ucb->pWork->dialog.fOk = 0;  // what the dialog did is undone
  }
  Conclude(ucb, savedDialog, dialogId, parent);
  return result;
}
