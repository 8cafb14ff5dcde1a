// The hook of every file dialog of the engine: it keeps the context in the
// dialog's user slot, checks the names the user chooses against the kind
// of file the dialog asks for, and drives the set-file buttons, whose
// action the dialog's opener carries out once the dialog has closed.
#include <new>

#include "platform/window/commdlg/commdlg.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/context/context_dcb2.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "storage/setfiles/set_file.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/painting_helpers.h"
#include "ui/engine/sub_dialogs.h"
#include "ui/subdialogs/file_hook_internal.h"

namespace filehook {

WORD Hook::Action() const { return ucb->pWork->dialog.wFileAction; }
void Hook::SetAction(WORD action) const { ucb->pWork->dialog.wFileAction = action; }
void Hook::SetOk(int ok) const { ucb->pWork->dialog.fOk = ok; }

void Warn(const Hook& hook, UINT messageId, LPCWSTR path) {
  if (path != nullptr) {
    _ShowAlertMsgEx21(hook.ucb, hook.dialog, messageId, path);
  } else {
    _ShowAlertMsgEx11(hook.ucb, hook.dialog, messageId);
  }
}

std::optional<std::u16string> PathOrRefuse(const Hook& hook, std::u16string_view name) {
  auto path = FullPath(hook, name);
  if (!path) Warn(hook, kMsgNameRefused);
  return path;
}

bool Ask(const Hook& hook, UINT messageId) { return _ShowAlertMsgEx12(hook.ucb, hook.dialog, messageId) == IDOK; }

bool TakeKindExtension(const Hook& hook, UINT question, std::u16string& name) {
  if (HasKindExtension(hook, name)) return true;
  if (!Ask(hook, question)) return false;
  name = WithKindExtension(hook, name);
  return true;
}

void PressOk(const Hook& hook) {
  SendMessageW(hook.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hook.dialog, IDOK)));
}

bool TestRead(const Hook& hook, const std::u16string& path, DWORD flags, bool rewrite) {
  UCB* ucb = hook.ucb;
  BackupPrivateDevmode(ucb);
  ucb->pWork->fSetFileReadFault = 0;
  ReadSetFile(ucb->hPrinter, path.c_str(), flags, ucb);
  const bool clean = ucb->pWork->fSetFileReadFault == 0;
  if (clean && rewrite) WriteSetFile(ucb->hPrinter, path.c_str(), flags, ucb);
  RestorePrivateDevmode(ucb, TRUE);
  return clean;
}

}  // namespace filehook

namespace {

using filehook::Hook;

constexpr WORD kFolderDialog = 4015;
constexpr int kSpoolAllCheckBox = 2897;
constexpr int kDefaultFolderButton = 2887;
constexpr WORD kSpoolDirectoryAll = 942;

// The hook's view of a dialog: null context before WM_INITDIALOG has
// stored it.
Hook HookOf(HWND dialog) {
  Hook hook;
  hook.dialog = dialog;
  hook.ucb = reinterpret_cast<UCB*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (hook.ucb == nullptr || hook.ucb->pWork == nullptr) {
    hook.ucb = nullptr;
    return hook;
  }
  hook.tcb = GetTCBbyTabID(hook.ucb, hook.ucb->wCurrentDialog);
  hook.row = GetFileDialogInfo(hook.tcb);
  return hook;
}

UINT_PTR OnInitDialog(HWND dialog, const OPENFILENAMEW* ofn) {
  auto* ucb = ofn != nullptr ? reinterpret_cast<UCB*>(ofn->lCustData) : nullptr;
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ucb));
  if (ucb == nullptr) return TRUE;
  CheckCurrentWindowProc(ucb, dialog);
  if (ucb->wCurrentDialog == kFolderDialog) {
    const LONG_PTR all = GetDevmodeValueDirectByFuncID(ucb, kSpoolDirectoryAll, nullptr);
    CheckDlgButton(dialog, kSpoolAllCheckBox, all == 1 ? BST_CHECKED : BST_UNCHECKED);
  }
  return TRUE;
}

UINT_PTR OnCommand(const Hook& hook, WORD id, WORD code) {
  switch (id) {
    case IDOK:
      if (hook.tcb != nullptr && hook.tcb->tabId == kFolderDialog) return filehook::OnFolderOk(hook);
      return filehook::OnOk(hook);
    case IDCANCEL:
      hook.SetOk(0);
      return FALSE;
    case filehook::kSaveButton:
    case filehook::kReadButton:
    case filehook::kDeleteButton:
      return filehook::OnSetFileButton(hook, id);
    case kFileTypeComboId:
      if (code != CBN_SELCHANGE) return FALSE;
      // A new type lists its files at once.
      filehook::SetNameText(hook, GetFileDialogDefaultExt(hook.tcb));
      filehook::PressOk(hook);
      return FALSE;
    case kDefaultFolderButton:
      return filehook::OnDefaultFolderButton(hook);
    case kSpoolAllCheckBox:
      SetDevmodeValueDirectByFuncID(hook.ucb, kSpoolDirectoryAll,
                                    IsDlgButtonChecked(hook.dialog, kSpoolAllCheckBox) == BST_CHECKED ? 1 : 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

UINT_PTR CALLBACK FileHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) return OnInitDialog(dialog, reinterpret_cast<const OPENFILENAMEW*>(lParam));
    // Help of the old dialogs is not offered.
    if (message == WM_HELP || message == WM_CONTEXTMENU) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    const Hook hook = HookOf(dialog);
    if (hook.ucb == nullptr || hook.row == nullptr) return FALSE;
    return OnCommand(hook, LOWORD(wParam), HIWORD(wParam));
  } catch (const std::bad_alloc&) {
    return FALSE;  // the dialog goes on as if the hook had not been asked
  }
}
