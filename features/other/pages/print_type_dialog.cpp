// The print type: the job's user, owner, document and merge file names
// and its passwords. A password typed is confirmed in a dialog of its own
// when OK is pressed; a merge file name must be a plain name of a file
// that does not exist yet.
#include <array>
#include <string>

#include "features/module_table/module_entries.h"
#include "features/other/pages/job_merge_path.h"
#include "features/other/pages/other_pages.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_controls.h"
#include "platform/window/winuser_dialogs.h"
#include "platform/window/winuser_messages.h"
#include "settings/context/context_block.h"
#include "settings/tables/alert_table.h"
#include "settings/tables/setting_table.h"
#include "settings/values/setting_lookup.h"
#include "settings/values/setting_value.h"
#include "ui/alerts/alert_message.h"
#include "ui/engine/change_road.h"
#include "ui/engine/item_dispatch.h"
#include "ui/engine/item_window.h"
#include "ui/engine/sub_dialogs.h"

namespace other_pages {
namespace {

constexpr WORD kUserIdEdit = 2241;
constexpr WORD kMergeFileEdit = 2243;
constexpr WORD kJobPasswordEdit = 2245;
constexpr WORD kOwnerNameEdit = 2423;
constexpr WORD kDocumentNameEdit = 2532;
constexpr WORD kStoredPasswordEdit = 2533;
constexpr WORD kPasswordDialog = 4005;
constexpr WORD kConfirmationEdit = 2527;
constexpr WORD kFuncPrnMethod = 209;
constexpr LONG_PTR kPrnMethodSecure = 1;
constexpr LONG_PTR kPrnMethodMerge = 5;
constexpr UINT kMessagePasswordsDiffer = 10034;
constexpr UINT kMessageMergeFileExists = 10050;
constexpr UINT kMessageMergeNameRefused = 10051;
constexpr UINT kUserIdMessages[] = {10003, 10004};
constexpr int kTextChars = 1025;

HWND Dialog(const Message& m) { return m.tcb->hWnd; }

LONG_PTR PrnMethod(const Message& m) { return GetDevmodeValueDirectByFuncID(m.ucb, kFuncPrnMethod, nullptr); }

WORD PasswordItem(const Message& m) { return PrnMethod(m) == kPrnMethodSecure ? kJobPasswordEdit : kStoredPasswordEdit; }

std::u16string ItemText(const Message& m, WORD itemId) {
  std::array<WCHAR, kTextChars> text{};
  GetDlgItemTextW(Dialog(m), itemId, text.data(), kTextChars);
  return text.data();
}

void Focus(const Message& m, WORD itemId) { SetFocus(GetDlgItem(Dialog(m), itemId)); }

// The password is typed again.
void ClearPassword(const Message& m) {
  const WORD item = PasswordItem(m);
  SetDlgItemTextW(Dialog(m), item, u"");
  Focus(m, item);
}

// A password typed since the last confirmation, in an item the user may
// change, must be confirmed before the dialog closes.
INT_PTR OnPasswordTyped(const Message& m) {
  DoDefaultProcessItemCommand(m.ucb, m.tcb, m.icb, m.wParam, m.lParam);
  const bool changed = m.icb->pSFCB != nullptr && (m.icb->pSFCB->flags & kSfcbChangedMask) != 0;
  if (changed && m.icb->hWnd != nullptr && IsWindowEnabled(m.icb->hWnd)) {
    KesmRequestForUiCore(m.ucb, kRequestConfirmPassword);
  }
  return kHandled;
}

// The confirmation; true when the dialog may close.
bool PasswordConfirmed(const Message& m) {
  if ((GetRequestCode(m.ucb) & kRequestConfirmPassword) == 0) return true;
  ICB* ok = ItemOf(m, IDOK);
  if (ok != nullptr && CheckAlertMsg2(m.ucb, m.tcb, ok, 0, 0) == 1) return false;
  if (m.work != nullptr) m.work->confirmation[0] = 0;
  if (ShowDialogBox(m.ucb, kShowDialogModal, kPasswordDialog, Dialog(m)) == IDCANCEL) {
    ClearPassword(m);
    return false;
  }
  // Without a work area no confirmation can be kept: it never matches.
  if (m.work == nullptr || ItemText(m, PasswordItem(m)) != m.work->confirmation) {
    _ShowAlertMsgEx11(m.ucb, Dialog(m), kMessagePasswordsDiffer);
    ClearPassword(m);
    return false;
  }
  ResetRequestCode(m.ucb, kRequestConfirmPassword);
  return true;
}

// The merge file must be a plain name of a file not there yet.
bool MergeFileAccepted(const Message& m) {
  if (PrnMethod(m) != kPrnMethodMerge) return true;
  const std::u16string name = ItemText(m, kMergeFileEdit);
  if (name.empty()) return true;
  UINT refusal = 0;
  if (IsJobMergeNameRefused(name)) {
    refusal = kMessageMergeNameRefused;
  } else if (IsFile(JobMergeFilePath(m.ucb, name).c_str())) {
    refusal = kMessageMergeFileExists;
  }
  if (refusal == 0) return true;
  _ShowAlertMsgEx11(m.ucb, Dialog(m), refusal);
  Focus(m, kMergeFileEdit);
  return false;
}

INT_PTR OnClosing(const Message& m) {
  switch (LOWORD(m.wParam)) {
    case IDOK:
      return PasswordConfirmed(m) && MergeFileAccepted(m) ? kNotHandled : kHandled;
    case IDCANCEL:
      ResetRequestCode(m.ucb, kRequestConfirmPassword);
      return kNotHandled;
    default:
      return kNotHandled;
  }
}

// After a refused alert the focus goes where the refused value is typed.
void OnAlertRefused(const Message& m) {
  const AP* alert = GetAPbyAlertID(m.ucb, static_cast<WORD>(m.wParam));
  if (alert == nullptr || Dialog(m) == nullptr) return;
  for (UINT id : kUserIdMessages) {
    if (alert->messageId == id) {
      Focus(m, kUserIdEdit);
      return;
    }
  }
  ClearPassword(m);
}

bool IsPassword(WORD itemId) { return itemId == kJobPasswordEdit || itemId == kStoredPasswordEdit; }

}  // namespace

INT_PTR OnPasswordDialog(const Message& m) {
  const bool accepted = m.message == WM_COMMAND && m.icb == nullptr && LOWORD(m.wParam) == IDOK;
  if (!accepted || m.work == nullptr || m.tcb->hWnd == nullptr) return kNotHandled;
  GetDlgItemTextW(m.tcb->hWnd, kConfirmationEdit, m.work->confirmation, kOtherPasswordChars);
  return kNotHandled;
}

INT_PTR OnPrintTypeDialog(const Message& m) {
  switch (m.message) {
    case WM_CHAR: {
      const bool names = m.icb != nullptr && (m.icb->itemId == kOwnerNameEdit || m.icb->itemId == kDocumentNameEdit);
      return names && m.wParam == u'"' ? kHandled : kNotHandled;
    }
    case WM_COMMAND:
      if (m.icb == nullptr) return Dialog(m) != nullptr ? OnClosing(m) : kNotHandled;
      if (!m.CommandOfItem() || !IsPassword(m.icb->itemId)) return kNotHandled;
      if (m.notification() != EN_CHANGE && m.notification() != EN_UPDATE) return kNotHandled;
      return OnPasswordTyped(m);
    case kMsgAlertRefused:
      OnAlertRefused(m);
      return kHandled;
    default:
      return kNotHandled;
  }
}

}  // namespace other_pages
